// Watches the window while a command waits for the server: a timer that ticks and asks for
// repaints, the paints that follow, the progress window with its Stop button, and how long the
// command took to end after Stop (or after closing the main window).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

class StatementWatch : public QObject {
public:
    enum class OnProgress { Stop, PressEscape, CloseWindow, Nothing };

    // Watches window (it should be shown, so that it paints); what to do once the progress
    // window is up.
    StatementWatch(QWidget* window, OnProgress action);
    ~StatementWatch() override;

    int ticks = 0;
    int paints = 0;
    bool progressShown = false;
    bool stopEnabled = false;
    // Milliseconds from the action to the end of the command (-1: no action taken).
    qint64 EndedAfterActionMs() const;
    // Call when the command has returned.
    void CommandEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Tick();

    QWidget* window_;
    OnProgress action_;
    QTimer timer_;
    QElapsedTimer sinceAction_;
    qint64 endedAfterAction_ = -1;
};
