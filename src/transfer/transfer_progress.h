// The progress of a long transfer: a window-modal dialog that appears once the transfer has run
// for a while, shows the rows copied (of how many), keeps the window responsive and offers Cancel,
// which stops the transfer after the row being copied.
#pragma once

#include "transfer/row_transfer.h"

#include <QElapsedTimer>

class QProgressDialog;
class QWidget;

class TransferProgressDialog {
public:
    TransferProgressDialog(QWidget* parent, int delayMs);
    ~TransferProgressDialog();
    TransferProgressDialog(const TransferProgressDialog&) = delete;
    TransferProgressDialog& operator=(const TransferProgressDialog&) = delete;

    TransferProgress Callback();
    void Finish();
    // The dialog, once it has appeared (for tests).
    QProgressDialog* Dialog() const { return dialog_; }

private:
    bool Report(std::int64_t copied, std::int64_t total);

    QWidget* parent_;
    int delayMs_;
    QElapsedTimer started_, lastUpdate_;
    QProgressDialog* dialog_ = nullptr;
};
