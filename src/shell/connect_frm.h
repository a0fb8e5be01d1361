// "Host data entry": the dialog in which a saved server's host, friendly name, TCP socket, user and
// password are typed. Created for one use; the caller shows it, then reads Accepted() and the
// fields.
#pragma once

#include "ui/retranslatable.h"

#include <QDialog>

#include <utility>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TConnectFrm : public QDialog, public Retranslatable {
    Q_OBJECT
public:
    explicit TConnectFrm(QWidget* parent = nullptr);

    // True when OK closed the dialog with server and user filled and both passwords equal.
    bool Accepted() const { return accepted_; }
    void retranslateUi() override;

    QLineEdit* eHost;
    QLineEdit* eFriendly;
    QLineEdit* eSocket;
    QLineEdit* eUser;
    QLineEdit* ePassword;
    QLineEdit* MaskEdit1;
    QCheckBox* CBSjetise;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    // Opens centred on the screen (not on the window that opened it).
    void showEvent(QShowEvent* event) override;

private:
    void BitBtn1Click();

    // The label of each field with its caption in English, which retranslateUi() translates.
    std::vector<std::pair<QLabel*, const char*>> captions_;
    bool accepted_ = false;
};
