// "About": product name and version, the trademark line, who owns the program, the project's web
// address and the credits. Created for one use by the main window's "About" item.
#pragma once

#include "ui/retranslatable.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TUrlLabel;

// The project's own page, shown and opened by the about box.
inline constexpr char kProjectWebAddress[] = "https://kestrel.example.org";

class TAboutBox : public QDialog, public Retranslatable {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 298;
    static constexpr int kClientHeight = 349;

    explicit TAboutBox(QWidget* parent = nullptr);
    void retranslateUi() override;

    QFrame* Panel1;
    QLabel* Label1;
    QLabel* ProgramIcon;
    QLabel* Label2;
    QLabel* Image1;
    QLabel* Label3;
    TUrlLabel* UrlLabel1;
    QLabel* Label4;
    QLabel *Label5, *Label6, *Label7, *Label8;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;
};
