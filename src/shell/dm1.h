// The data module: the shared data-access objects behind the main window's grid and the transfer
// window. The MySQL side (connection, transaction, query) feeds DataSource1; the alias side
// (Database1, Query1) feeds DSQuery1.
#pragma once

#include "commands/shared_query.h"
#include "ui/data_source.h"

#include <QObject>
#include <QString>
#include <QStringList>

struct AliasDatabaseSettings {
    QString AliasName = QStringLiteral("Lindora");
    QString DatabaseName = QStringLiteral("DBLindora");
    QString SessionName = QStringLiteral("Default");
};

struct AliasQuerySettings {
    QString DatabaseName = QStringLiteral("DBLindora");
    QString SessionName = QStringLiteral("Default");
};

class TDM1 : public QObject, public SharedQuery {
    Q_OBJECT
public:
    explicit TDM1(QObject* parent = nullptr);
    ~TDM1() override;

    // After-scroll of MySQLQuery1: the record position into the transfer window's Label5.
    static void MySQLQuery1AfterScroll(TDataSet& dataSet);

    // MySQLDatabase1, MySQLTransact1 and MySQLQuery1 come from SharedQuery.
    TDataSource* DataSource1; // feeds DBGrid1 and DBNavigator1 from MySQLQuery1
    AliasDatabaseSettings Database1;
    AliasQuerySettings Query1;
    QObject* DSQuery1; // feeds the transfer window's source grid from Query1
};

extern TDM1* DM1;
