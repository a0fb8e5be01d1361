// The windows' runner of the calls that wait for the server (see data/blocking_calls.h).
//
// Each call runs on a worker thread of its own; the window's thread waits for it in a local event
// loop, so the windows keep painting and can be moved and resized. Until the call has run about
// half a second the loop takes no user input (it is held until the call ends, so nothing else
// starts meanwhile); after that a modal progress window shows the time it has run and a Stop
// button. Stop sends KILL QUERY on a separate short connection; the call then ends as failed with
// the message "Stopped by the operator". A connect has no statement to stop: Stop leaves it (the
// window goes on at once, the attempt ends on its own thread and is discarded). A transact-server
// command is stopped by closing its socket. A call that ends within a few milliseconds is waited
// for without any event being processed, as if it had run on the window's thread.
//
// It also carries the news of streamed rows (data/row_stream.h) from their reader to the window's
// event loop, where the dataset takes them in.
#pragma once

#include "data/blocking_calls.h"
#include "data/row_stream.h"

#include <QPointer>
#include <QWidget>

class StatementRunner {
public:
    // Installs the runner; its progress window belongs to window (or the active window). The
    // destructor puts the previous runner back.
    explicit StatementRunner(QWidget* window);
    ~StatementRunner();
    StatementRunner(const StatementRunner&) = delete;
    StatementRunner& operator=(const StatementRunner&) = delete;

    // True while a call runs through a StatementRunner.
    static bool Running();
    // Stops the innermost running call as its Stop button does: false when none runs or the
    // server did not take the stop.
    static bool StopRunning();
    // The progress window of the innermost running call, once it is shown (else null).
    static QWidget* ProgressWindow();

private:
    BlockingCallOutcome Run(MYSQL* handle, const std::function<void()>& work);
    BlockingCallOutcome RunSide(const SideCall& call);

    QPointer<QWidget> window_;
    BlockingCallRunner previous_;
    SideCallRunner previousSide_;
    RowArrivalPoster previousPoster_;
};
