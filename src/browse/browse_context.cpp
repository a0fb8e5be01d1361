#include "browse/browse_context.h"

#include "commands/command_context.h"
#include "commands/shared_query.h"
#include "ui/radio_group.h"

void PrepareSharedDatabase(CommandContext& context, SharedQuery& shared) {
    const ConnectionInputs in = context.connectionInputs();
    shared.PrepareSharedDatabase(context.databaseList().currentItem().toStdString(),
                                 in.host.toStdString(), in.user.toStdString(),
                                 in.password.toStdString());
}
