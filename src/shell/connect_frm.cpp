#include "shell/connect_frm.h"
#include "ui/object_names.h"
#include "ui/screen_placement.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TConnectFrm::TConnectFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ConnectFrm"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    auto* form = new QFormLayout;
    form->setVerticalSpacing(2);
    auto field = [&](QLineEdit*& edit, const char* name, bool masked, const char* caption) {
        edit = Named(new QLineEdit(this), name);
        if (masked)
            edit->setEchoMode(QLineEdit::Password);
        QLabel* label = LabelFor(edit);
        captions_.emplace_back(label, caption);
        form->addRow(label, edit);
    };
    field(eHost, "eHost", false, QT_TR_NOOP("Server:"));
    field(eFriendly, "eFriendly", false, QT_TR_NOOP("Friendly name:"));
    field(eSocket, "eSocket", false, QT_TR_NOOP("TCP Socket:"));
    field(eUser, "eUser", false, QT_TR_NOOP("User:"));
    field(ePassword, "ePassword", true, QT_TR_NOOP("Password:"));
    field(MaskEdit1, "MaskEdit1", true, QT_TR_NOOP("Confirm pwd:"));
    eSocket->setText(QStringLiteral("3360"));
    column->addLayout(form);
    CBSjetise = Named(new QCheckBox(this), "CBSjetise");
    column->addWidget(CBSjetise);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = Named(new QPushButton(this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = Named(new QPushButton(this), "BitBtn2");
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    column->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, &TConnectFrm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    retranslateUi();
    // The design size, wider where a font needs it to show every text whole.
    setFixedSize(QSize(234, 201).expandedTo(sizeHint()));
    eHost->setFocus();
    CentreOnScreen(*this); // placed before it is shown, so it does not jump
}

void TConnectFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this); // now with the frame the window system gave it
}

void TConnectFrm::retranslateUi() {
    setWindowTitle(tr("Host data entry"));
    for (const auto& [label, caption] : captions_)
        label->setText(tr(caption));
    CBSjetise->setText(tr("Remember password for this serv."));
    BitBtn1->setText(tr("OK"));
    BitBtn2->setText(tr("Cancel"));
}

// OK: the entry is accepted when server and user are filled and both passwords match.
void TConnectFrm::BitBtn1Click() {
    accepted_ = !eHost->text().isEmpty() && !eUser->text().isEmpty() &&
                ePassword->text() == MaskEdit1->text();
    if (accepted_ && eFriendly->text().isEmpty())
        eFriendly->setText(eHost->text());
    // The dialog closes whether or not the entry was accepted.
    accept();
}
