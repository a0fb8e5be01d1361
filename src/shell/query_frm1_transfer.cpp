// The main window's road to the transfer window.
#include "shell/dm1.h"
#include "shell/query_frm1.h"
#include "transfer/transfer_window.h"
#include "ui/radio_group.h"

#include <QLineEdit>
#include <QListWidget>

void TQueryFrm1::AttachTransferWindow(TForm1& transfer, TDM1& dataModule) {
    transfer.Bind(dataModule.TransferLinks());
    transfer.SetMainWindow(this);
    connect(RadioGroup1, &TRadioGroup::itemsChanged, &transfer,
            [this, &transfer] { transfer.SetDatabaseNames(RadioGroup1->items()); });
}

void TQueryFrm1::BDEMySQL1Click() {
    if (!Form1)
        return;
    TransferStart start;
    start.host = CurrentHost;
    start.user = edtUsername->text();
    start.password = edtPasswd->text();
    start.database = edtDatabase->text();
    start.databaseSelected = RadioGroup1->itemIndex() >= 0;
    if (QListWidgetItem* item = ListBox1->currentItem(); item && item->isSelected())
        start.selectedTable = item->text();
    Form1->OpenFromMainWindow(start);
}
