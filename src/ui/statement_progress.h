// The small window that shows a statement is still running: the time it has run and a Stop button
// (Escape and closing the window stop it as well).
#pragma once

#include "ui/retranslatable.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

class QLabel;
class QPushButton;

class StatementProgress : public QDialog, public Retranslatable {
    Q_OBJECT
public:
    // stop is called when the operator asks for it; it answers whether the stop is sent or on its
    // way (stopFailed tells when one on its way could not be sent).
    StatementProgress(QWidget* parent, const QElapsedTimer& running, std::function<bool()> stop);

    void retranslateUi() override;
    QPushButton* stopButton() const { return stop_; }
    // Asks for the stop as the button does.
    void requestStop();
    // The stop could not be sent after all (the server was not reached): Stop can be asked again.
    void stopFailed();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showElapsed();

    const QElapsedTimer& running_;
    std::function<bool()> stopStatement_;
    bool stopping_ = false;
    QLabel* elapsed_;
    QPushButton* stop_;
    QTimer ticker_;
};
