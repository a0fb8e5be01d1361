#include "commands/command_guard.h"

namespace {
// All windows live on the one user-interface thread, and they share one command at a time.
bool g_running = false;
} // namespace

CommandGuard::CommandGuard() : entered_(!g_running) {
    g_running = true;
}

CommandGuard::~CommandGuard() {
    if (entered_)
        g_running = false;
}

bool CommandGuard::Busy() {
    return g_running;
}
