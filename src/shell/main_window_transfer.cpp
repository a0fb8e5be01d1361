// The main window's road to the transfer window.
#include "shell/data_module.h"
#include "shell/main_window.h"
#include "transfer/transfer_window.h"
#include "ui/radio_group.h"

#include <QLineEdit>
#include <QListWidget>

void TQueryFrm1::AttachTransferWindow(TForm1& transfer, TDM1& dataModule) {
    transfer_ = &transfer;
    transfer.Bind(dataModule.TransferLinks());
    transfer.SetMainWindow(this);
    dataModule.SetTransferWindow(&transfer);
    connect(RadioGroup1, &TRadioGroup::itemsChanged, &transfer,
            [this, &transfer] { transfer.SetDatabaseNames(RadioGroup1->items()); });
}

// Opens the transfer window with this window's server, account, database and selected table.
void TQueryFrm1::BDEMySQL1Click() {
    if (!transfer_)
        return;
    TransferStart start;
    start.host = CurrentHost;
    start.user = edtUsername->text();
    start.password = edtPasswd->text();
    start.database = edtDatabase->text();
    start.databaseSelected = RadioGroup1->itemIndex() >= 0;
    if (QListWidgetItem* item = ListBox1->currentItem(); item && item->isSelected())
        start.selectedTable = item->text();
    transfer_->OpenFromMainWindow(start);
}
