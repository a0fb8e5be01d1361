// Remembered passwords in the desktop's keyring (the Secret Service on Linux, the platform's store
// elsewhere), keyed by user and host. Each call waits for the keyring's answer, at most a few
// seconds, so a keyring that does not answer cannot hang the window.
#pragma once

#include <QString>

#include <optional>

namespace keyring {

enum class Outcome {
    Done,      // the keyring did it
    NoKeyring, // no keyring answers: the caller keeps the password elsewhere
    Failed,    // a keyring answered and refused
};

// Stores the password of user at host, replacing the one stored before.
Outcome Write(const QString& user, const QString& host, const QString& password);

// The password of user at host; nothing when the keyring holds none or does not answer.
std::optional<QString> Read(const QString& user, const QString& host);

// Removes the password of user at host; nothing happens when there is none.
void Remove(const QString& user, const QString& host);

// The keyring's name of an entry: user + ">" + host, as the saved server list shows it.
QString EntryKey(const QString& user, const QString& host);

} // namespace keyring
