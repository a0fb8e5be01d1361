// Housekeeping commands on the selected server, each on its own command connection. They read the
// connection inputs from the window at the moment they run and show their outcome in message boxes.
#pragma once

class CommandContext;

void Ping(CommandContext& context);
void ShowStatus(CommandContext& context);
void ShowProcesses(CommandContext& context);
void KillProcess(CommandContext& context);
void ShutdownServer(CommandContext& context);
void FlushPrivileges(CommandContext& context);
void FlushHosts(CommandContext& context);
