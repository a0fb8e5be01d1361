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
    // stop is called once, when the operator asks for it; it answers whether the stop was sent.
    StatementProgress(QWidget* parent, const QElapsedTimer& running, std::function<bool()> stop);

    void retranslateUi() override;
    QPushButton* stopButton() const { return stop_; }
    // Asks for the stop as the button does.
    void requestStop();

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
