#include "commands/command_context.h"

QString ServerLabel(const QString& serverEntry) {
    return serverEntry.mid(serverEntry.indexOf(QLatin1Char('>')) + 1);
}
