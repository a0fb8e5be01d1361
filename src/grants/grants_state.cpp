#include "grants/grants_state.h"

GrantsState& grantsState() {
    static GrantsState state;
    return state;
}

void ResetGrantsState() {
    GrantsState& s = grantsState();
    s.grantor.Close();
    s.grantorConnected = 0;
    s.checkedServerCount = 0;
    s.targetServer.clear();
    s.targetDatabase.clear();
}
