#include "shell/data_module.h"

#include "transfer/transfer_window.h"
#include "ui/object_names.h"

TDM1::TDM1(QObject* parent) : QObject(parent) {
    MySQLDatabase1.SetHost("localhost");
    MySQLDatabase1.SetDatabase("lindora");
    MySQLDatabase1.SetLogin("root");
    MySQLDatabase1.SetPassword("");
    MySQLDatabase1.SetPort("33600");
    MySQLTransact1.SetDatabase(&MySQLDatabase1);
    MySQLTransact1.SetHost("localhost");
    MySQLTransact1.Port = "19700";
    MySQLTransact1.UseTransServer = false;
    MySQLTransact1.AutoCommit = true;
    MySQLQuery1.SetDatabase(&MySQLDatabase1);
    MySQLQuery1.SetTransaction(&MySQLTransact1);
    MySQLQuery1.CachedUpdates = false;
    MySQLQuery1.RequestLive = true;
    MySQLQuery1.QueryAllRecords = true;
    MySQLQuery1.UseGen = false;
    MySQLQuery1.StoreResult = true;
    // Rows of a long result arrive while the grid shows the first ones.
    MySQLQuery1.StreamRows = true;
    MySQLQuery1.ShowRecordTypes = rtModified | rtInserted | rtUnmodified;
    MySQLQuery1.LinkRequery = false;
    setObjectName(QStringLiteral("DM1"));
    DataSource1 = Named(new TDataSource(this), "DataSource1");
    DataSource1->SetDataSet(&MySQLQuery1);
    MySQLQuery1.AfterScroll = [this](TDataSet& dataSet) { MySQLQuery1AfterScroll(dataSet); };
    Database1.AliasName = "Lindora";
    Database1.DatabaseName = "DBLindora";
    Database1.SessionName = "Default";
    Query1.DatabaseName = "DBLindora";
    Query1.SessionName = "Default";
    Query1.SetDatabase(&Database1);
    DSQuery1 = Named(new TDataSource(this), "DSQuery1");
    DSQuery1->SetDataSet(&Query1);
}

TransferObjects TDM1::TransferLinks() {
    return {&MySQLDatabase1, &MySQLQuery1, DataSource1, &Database1, &Query1, DSQuery1};
}

void TDM1::MySQLQuery1AfterScroll(TDataSet& dataSet) {
    if (transfer_)
        transfer_->ShowPosition(dataSet);
}

TDM1::~TDM1() {
    MySQLQuery1.Close();
    MySQLTransact1.Disconnect();
    MySQLDatabase1.Disconnect();
    Query1.Close();
    Database1.Close();
}
