// Housekeeping commands on the selected server, each on its own command connection. They read the
// connection inputs from the window at the moment they run and show their outcome in message boxes.
#pragma once

class TQueryFrm1;

void Ping(TQueryFrm1& window);
void ShowStatus(TQueryFrm1& window);
void ShowProcesses(TQueryFrm1& window);
void KillProcess(TQueryFrm1& window);
void ShutdownServer(TQueryFrm1& window);
void FlushPrivileges(TQueryFrm1& window);
void FlushHosts(TQueryFrm1& window);
