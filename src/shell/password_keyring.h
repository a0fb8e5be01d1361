// Remembered passwords in the desktop's keyring (the Secret Service on Linux, the platform's store
// elsewhere), keyed by user and host. Each call waits for the keyring's answer. A keyring may be
// asking the user something in a window of its own (a password for a new keyring, unlocking one)
// and answer only after that: every few seconds without an answer the caller is asked whether to
// go on waiting, so a keyring that never answers cannot hang the window either.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace keyring {

enum class Outcome {
    Done,      // the keyring did it
    NoKeyring, // there is no keyring at all (no service, no session bus to reach one)
    Failed,    // a keyring answered and refused
    NoAnswer,  // a keyring was asked and had not answered when the caller stopped waiting
};

// Asked each time the keyring has let kAnswerWaitMs pass without an answer: true waits that long
// again. Without one the call stops waiting at the first such time.
using KeepWaiting = std::function<bool()>;
inline constexpr int kAnswerWaitMs = 5000;

// Stores the password of user at host, replacing the one stored before. why, when given, receives
// the keyring's own text of a refusal.
Outcome Write(const QString& user, const QString& host, const QString& password,
              const KeepWaiting& keepWaiting = {}, QString* why = nullptr);

// The password of user at host; nothing when the keyring holds none, refuses or was not waited for.
std::optional<QString> Read(const QString& user, const QString& host,
                            const KeepWaiting& keepWaiting = {});

// Removes the password of user at host; nothing happens when there is none.
void Remove(const QString& user, const QString& host);

// The keyring's name of an entry: user + ">" + host, as the saved server list shows it.
QString EntryKey(const QString& user, const QString& host);

} // namespace keyring
