#include "shell/dm1.h"

#include "shell/query_frm1.h"
#include "transfer/form1.h"

TDM1* DM1 = nullptr;

TDM1::TDM1(QObject* parent) : QObject(parent) {
    DM1 = this;
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
    DataSource1 = new TDataSource(this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->SetDataSet(&MySQLQuery1);
    MySQLQuery1.AfterScroll = [](TDataSet& dataSet) { MySQLQuery1AfterScroll(dataSet); };
    if (QueryFrm1)
        QueryFrm1->BindDataSource(DataSource1);
    Database1.AliasName = "Lindora";
    Database1.DatabaseName = "DBLindora";
    Database1.SessionName = "Default";
    Query1.DatabaseName = "DBLindora";
    Query1.SessionName = "Default";
    Query1.SetDatabase(&Database1);
    DSQuery1 = new TDataSource(this);
    DSQuery1->setObjectName(QStringLiteral("DSQuery1"));
    DSQuery1->SetDataSet(&Query1);
}

TransferObjects TDM1::TransferLinks() {
    return {&MySQLDatabase1, &MySQLQuery1, DataSource1, &Database1, &Query1, DSQuery1};
}

void TDM1::MySQLQuery1AfterScroll(TDataSet& dataSet) {
    if (Form1)
        Form1->ShowPosition(dataSet);
}

TDM1::~TDM1() {
    MySQLQuery1.Close();
    MySQLTransact1.Disconnect();
    MySQLDatabase1.Disconnect();
    Query1.Close();
    Database1.Close();
    if (DM1 == this)
        DM1 = nullptr;
}
