#include "admin/main_window_clear.h"

#include "admin/command_connection.h"
#include "browse/browse_context.h"
#include "shell/dm1.h"
#include "shell/query_frm1.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QLineEdit>
#include <QListWidget>

void ClearMainWindow(TQueryFrm1& window) {
    prompts().processEvents();
    prompts().setCursor(CursorShape::Arrow);
    if (DM1 && DM1->MySQLDatabase1.Connected())
        CloseSharedQuery();
    window.RadioGroup1->clearItems();
    window.ListBox1->clear();
    window.edtDatabase->clear();
    ShowServerAndUser(window);
}
