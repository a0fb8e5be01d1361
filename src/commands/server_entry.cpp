#include "commands/server_entry.h"

namespace {

constexpr QLatin1Char kMark('>');

} // namespace

QString ServerEntry(const QString& user, const QString& label) {
    return user + kMark + label;
}

ServerEntryParts SplitServerEntry(const QString& entry, const std::optional<QString>& knownUser) {
    if (knownUser && entry.startsWith(*knownUser + kMark))
        return {*knownUser, entry.mid(knownUser->size() + 1)};
    const qsizetype mark = entry.lastIndexOf(kMark);
    if (mark < 0)
        return {entry, entry};
    return {entry.left(mark), entry.mid(mark + 1)};
}

QString ServerLabel(const QString& entry, const std::optional<QString>& knownUser) {
    return SplitServerEntry(entry, knownUser).label;
}
