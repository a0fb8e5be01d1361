#include "shell/form1.h"

#include <QLabel>
#include <QVBoxLayout>

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    auto* layout = new QVBoxLayout(this);
    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    layout->addWidget(Label5);
    retranslateUi();
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::retranslateUi() {
    setWindowTitle(tr("BDE->MySQL"));
}
