// The saved servers in the settings: key "Hostlist" with the byte "Count" and one subkey "H1" to
// "H<Count>" per server. A hand-edited file may have gaps (a missing subkey within the count):
// such a place reads as a server with empty fields.
#pragma once

#include "commands/server_entry.h"

#include <QString>

struct SavedServer {
    QString host;
    QString user;
    QString friendly;
    QString socket;
    QString password; // kept only when rememberPassword; empty when it is in the keyring
    bool rememberPassword = false;
    bool passwordInKeyring = false; // the settings hold only the mark "Keyring" = 1

    QString HostEntry() const { return ServerEntry(user, host); }
    QString FriendlyEntry() const { return ServerEntry(user, friendly); }
};

// A remembered password goes to the desktop's keyring, keyed by user and host, and the subkey
// keeps only the mark "Keyring" = 1. Where there is no keyring at all (or KESTREL_KEYRING is
// "off") it is written to "Password" in plain text as before, in a settings file only its owner
// reads. A keyring that keeps the operator waiting (it may be asking something in its own window)
// is waited for as long as the operator wants; one that refuses or does not answer leads to plain
// text only when the operator allows it, else the password is not remembered. A plain password
// saved earlier is read as it is and moves to the keyring when its server is saved again.
// The writes answer false (Append: 0) when the settings file could not be written.
class SavedServerStore {
public:
    // "Count" is kept as a byte.
    static constexpr int kMostServers = 255;

    // True when the "Hostlist" key exists.
    bool Exists() const;
    // The number of saved servers, 0 when there is no count.
    int Count() const;
    // Place i, from 1 to Count(). A password in the keyring is not fetched: see Password().
    SavedServer Read(int i) const;
    // The remembered password of a server read before, from the keyring (waited for as a write is)
    // or the settings.
    QString Password(const SavedServer& server) const;
    // True once per run, after a password was written to the settings because no keyring
    // answered: the operator is to be told.
    static bool TakeKeyringMissingNotice();
    // Replaces place i with a fresh subkey holding server; nothing of an earlier entry stays.
    bool WriteNew(int i, const SavedServer& server);
    // Rewrites every field of place i; the password is emptied when it is not to be remembered.
    bool Update(int i, const SavedServer& server);
    // Saves server after the last one and counts it; the answer is its place.
    int Append(const SavedServer& server);
    // The first place saved with exactly this user and host, 0 when there is none.
    int Find(const QString& user, const QString& host) const;
    // Removes place i; the places after it move up one, so "H1" to "H<Count>" keep their order
    // without a gap.
    bool Remove(int i);
};
