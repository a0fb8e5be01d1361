#include "commands/clear_window.h"

#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "commands/shared_query.h"
#include "commands/status_panels.h"
#include "ui/radio_group.h"

#include <QLineEdit>
#include <QListWidget>

void ClearMainWindow(CommandContext& context) {
    ProcessMessagesAndArrow();
    if (SharedQuery* shared = context.sharedQuery(); shared && shared->MySQLDatabase1.Connected())
        shared->CloseSharedQuery();
    context.databaseList().clearItems();
    context.tableList().clear();
    context.databaseEdit().clear();
    ShowServerAndUser(context);
}
