#include "browse/query_file.h"

#include "ui/text_lines_file.h"

#include <utility>

std::optional<QString> SaveQueryFile(const QStringList& lines) {
    return WriteTextLines(QString::fromLatin1(kQueryFileName), lines);
}

bool FirstQueryFileFailure() {
    static bool told = false;
    return !std::exchange(told, true);
}
