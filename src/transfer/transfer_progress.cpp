#include "transfer/transfer_progress.h"

#include "ui/language.h"
#include "ui/object_names.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>
#include <climits>

TransferProgressDialog::TransferProgressDialog(QWidget* parent, int delayMs)
    : parent_(parent), delayMs_(delayMs) {
    started_.start();
    lastUpdate_.start();
}

TransferProgressDialog::~TransferProgressDialog() {
    Finish();
}

TransferProgress TransferProgressDialog::Callback() {
    return [this](std::int64_t copied, std::int64_t total) { return Report(copied, total); };
}

bool TransferProgressDialog::Report(std::int64_t copied, std::int64_t total) {
    // Windows messages are looked at a few times a second, not after every row.
    if (lastUpdate_.elapsed() < 50)
        return !(dialog_ && dialog_->wasCanceled());
    lastUpdate_.restart();
    if (!dialog_ && started_.elapsed() >= delayMs_) {
        dialog_ = Named(new QProgressDialog(parent_), "TransferProgress");
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setWindowTitle(BiText(QStringLiteral("Transfer"), QStringLiteral("Prijenos")));
        dialog_->setCancelButtonText(BiText(QStringLiteral("Cancel"), QStringLiteral("Odustani")));
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setRange(0, total > 0 && total <= INT_MAX ? static_cast<int>(total) : 0);
        dialog_->show();
    }
    if (dialog_) {
        const QString text = total > 0 ? BiText(QStringLiteral("%1 of %2 rows copied"),
                                                QStringLiteral("Kopirano redaka: %1 od %2"))
                                             .arg(copied)
                                             .arg(total)
                                       : BiText(QStringLiteral("%1 rows copied"),
                                                QStringLiteral("Kopirano redaka: %1"))
                                             .arg(copied);
        dialog_->setLabelText(text);
        if (dialog_->maximum() > 0)
            dialog_->setValue(static_cast<int>(std::min<std::int64_t>(copied, dialog_->maximum())));
        // The dialog is window-modal: the window answers paint and Cancel, not its buttons.
        QCoreApplication::processEvents();
    }
    return !(dialog_ && dialog_->wasCanceled());
}

void TransferProgressDialog::Finish() {
    if (dialog_) {
        dialog_->hide();
        dialog_->deleteLater();
        dialog_ = nullptr;
    }
}
