// The data module: the shared data-access objects behind the main window's grid and the transfer
// window. The MySQL side (connection, transaction, query) feeds DataSource1; the alias side
// (Database1, Query1) feeds DSQuery1.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Settings holders standing in for the data-access components until those exist; each carries the
// settings the module gives its object at creation.
struct MySQLDatabaseSettings {
    QString Host = QStringLiteral("localhost");
    QString Database = QStringLiteral("lindora");
    QString Login = QStringLiteral("root");
    QString Password;
    QString Port = QStringLiteral("33600");
    bool Connected = false;
};

struct MySQLTransactSettings {
    QString Host = QStringLiteral("localhost");
    QString Port = QStringLiteral("19700");
    bool UseTransServer = false;
    bool AutoCommit = true;
};

struct MySQLQuerySettings {
    bool CachedUpdates = false;
    bool RequestLive = true;
    bool QueryAllRecords = true;
    bool UseGen = false;
    bool StoreResult = true;
    QStringList ShowRecordTypes{QStringLiteral("rtModified"), QStringLiteral("rtInserted"),
                                QStringLiteral("rtUnmodified")};
    bool LinkRequery = false;
};

struct AliasDatabaseSettings {
    QString AliasName = QStringLiteral("Lindora");
    QString DatabaseName = QStringLiteral("DBLindora");
    QString SessionName = QStringLiteral("Default");
};

struct AliasQuerySettings {
    QString DatabaseName = QStringLiteral("DBLindora");
    QString SessionName = QStringLiteral("Default");
};

class TDM1 : public QObject {
    Q_OBJECT
public:
    explicit TDM1(QObject* parent = nullptr);
    ~TDM1() override;

    MySQLDatabaseSettings MySQLDatabase1;
    MySQLTransactSettings MySQLTransact1;
    MySQLQuerySettings MySQLQuery1;
    QObject* DataSource1; // feeds DBGrid1 and DBNavigator1 from MySQLQuery1
    AliasDatabaseSettings Database1;
    AliasQuerySettings Query1;
    QObject* DSQuery1; // feeds the transfer window's source grid from Query1
};

extern TDM1* DM1;
