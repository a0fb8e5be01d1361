// The transfer window: created hidden at start-up and kept for the whole run.
#pragma once

#include <QWidget>

class QLabel;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;
    void retranslateUi();

    // Record position of the shared query, "3/120".
    QLabel* Label5;
};

extern TForm1* Form1;
