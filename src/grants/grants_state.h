// The values of the grants wizard that outlive its window: the grantor connection and what the
// last grant check and the database page decided.
#pragma once

#include "data/server_session.h"

#include <QString>

struct GrantsState {
    // The wizard's own connection, opened and closed step by step.
    ServerSession grantor;
    // 0 at start, 1 after the first successful grantor connection; never cleared.
    int grantorConnected = 0;
    // Checked entries of the server list at the last passed grant check.
    int checkedServerCount = 0;
    // The server every later step connects to.
    QString targetServer;
    // The database the privileges name: the last checked one, or kAllDatabases once the operator
    // chose every database.
    QString targetDatabase;
};

// The target database that stands for every database of the server, the "mysql" one included.
inline const QString kAllDatabases = QStringLiteral("%");

GrantsState& grantsState();
// Closes the grantor connection and brings every value back to its start (for tests).
void ResetGrantsState();
