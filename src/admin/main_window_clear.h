// The "Clear" reset of the main window: the database and table lists, edtDatabase and the status
// bar start again from the chosen server; the server entry, user, password, query text and
// CurrentHost stay.
#pragma once

class TQueryFrm1;

void ClearMainWindow(TQueryFrm1& window);
