// Commands of the main window run one at a time.
//
// A command lets pending window messages be processed while it talks to a server (so the window
// repaints), and the operator could pick another menu item or toolbar button meanwhile. That second
// command would run on the same command session in the middle of the first one; instead it is
// ignored. Every handler that starts a command holds a CommandGuard for as long as the command runs
// and does nothing when the guard was not entered.
#pragma once

class CommandGuard {
public:
    CommandGuard();
    ~CommandGuard();
    CommandGuard(const CommandGuard&) = delete;
    CommandGuard& operator=(const CommandGuard&) = delete;

    // True when no other command was running: this one may go on.
    explicit operator bool() const { return entered_; }
    // True while some command holds a guard.
    static bool Busy();

private:
    bool entered_;
};

// Runs command unless another command is running.
template <typename F> void RunExclusive(F&& command) {
    if (CommandGuard guard; guard)
        command();
}
