#include "admin/main_window_clear.h"

#include "admin/command_connection.h"
#include "shell/query_frm1.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QLineEdit>
#include <QListWidget>

void ClearMainWindow(TQueryFrm1& window) {
    prompts().processEvents();
    prompts().setCursor(CursorShape::Arrow);
    // The shared query is closed and the shared connection disconnected here once the query
    // editor has them.
    window.RadioGroup1->clearItems();
    window.ListBox1->clear();
    window.edtDatabase->clear();
    ShowServerAndUser(window);
}
