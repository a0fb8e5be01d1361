// A saved server as the server list shows it: its user name, ">", and its host address or friendly
// name (the label), e.g. "root>127.0.0.1". Entries are built and taken apart only here.
#pragma once

#include <QString>

#include <optional>

// The entry of user at label.
QString ServerEntry(const QString& user, const QString& label);

struct ServerEntryParts {
    QString user;
    QString label;
};

// The user name and label of an entry. A user name may itself hold ">", a host address never
// does: the label is the text after the last ">", unless the entry begins with the known user and
// ">" (the user name field beside the list), which settles where the user ends even for a friendly
// name with ">" in it. An entry without ">" is both the user and the label.
ServerEntryParts SplitServerEntry(const QString& entry,
                                  const std::optional<QString>& knownUser = std::nullopt);

// The label alone.
QString ServerLabel(const QString& entry, const std::optional<QString>& knownUser = std::nullopt);
