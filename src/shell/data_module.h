// The data module: the shared data-access objects behind the main window's grid and the transfer
// window. The MySQL side (connection, transaction, query) feeds DataSource1; the alias side
// (Database1, Query1) feeds DSQuery1.
#pragma once

#include "commands/shared_query.h"
#include "transfer/odbc_database.h"
#include "transfer/odbc_query.h"
#include "transfer/transfer_window.h"
#include "ui/data_source.h"

#include <QObject>
#include <QPointer>

class TDM1 : public QObject, public SharedQuery {
    Q_OBJECT
public:
    explicit TDM1(QObject* parent = nullptr);
    ~TDM1() override;

    // The transfer window that shows the record position of MySQLQuery1; start-up hands it over
    // (TQueryFrm1::AttachTransferWindow). The module reaches no window otherwise.
    void SetTransferWindow(TForm1* transfer) { transfer_ = transfer; }
    // After-scroll of MySQLQuery1: the record position into the transfer window's Label5.
    void MySQLQuery1AfterScroll(TDataSet& dataSet);

    // MySQLDatabase1, MySQLTransact1 and MySQLQuery1 come from SharedQuery.
    TDataSource* DataSource1; // feeds DBGrid1 and DBNavigator1 from MySQLQuery1
    TOdbcDatabase Database1;  // the ODBC data source named by its AliasName
    TOdbcQuery Query1;        // on Database1
    TDataSource* DSQuery1;    // feeds the transfer window's source grid from Query1

    // The objects the transfer window works on.
    TransferObjects TransferLinks();

private:
    QPointer<TForm1> transfer_;
};
