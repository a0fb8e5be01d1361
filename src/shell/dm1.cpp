#include "shell/dm1.h"

TDM1* DM1 = nullptr;

TDM1::TDM1(QObject* parent) : QObject(parent) {
    DM1 = this;
    setObjectName(QStringLiteral("DM1"));
    DataSource1 = new QObject(this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DSQuery1 = new QObject(this);
    DSQuery1->setObjectName(QStringLiteral("DSQuery1"));
}

TDM1::~TDM1() {
    if (DM1 == this)
        DM1 = nullptr;
}
