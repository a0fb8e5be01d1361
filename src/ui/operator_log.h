// The operator's log: every error or warning shown in a message box is also written, one line
// each, with a time stamp and the command that met it, to a file in the user's data folder. No
// password reaches the file: passwords of statements and the secrets the program registered are
// masked.
#pragma once

#include <QString>

#include <functional>

// The log file: "$XDG_DATA_HOME/kestrel/kestrel.log" (~/.local/share/kestrel/kestrel.log). Tests
// may point it elsewhere.
extern std::function<QString()> operatorLogFile;

// Appends one line for a message shown to the operator. A file over 1 MiB is moved aside to
// "kestrel.log.1" first. The file is readable by its owner only (0600). Failing to write the log
// is not reported.
void WriteOperatorLog(const QString& text);

// The text with passwords masked: quoted values after IDENTIFIED BY and inside PASSWORD(), and
// every registered secret.
QString MaskPasswords(const QString& text);

// A password the program holds (the operator's, a grantor's): never written to the log. Only the
// masking keeps it, for as long as the program runs; empty texts are ignored.
void RegisterSecret(const QString& secret);

// Registers the password values of a statement about to be sent, so that a server text quoting
// the statement, in whatever shape, never brings them into the log.
void RegisterStatementSecrets(const QString& sql);

// Names the command that runs while the object lives ("Ping1", "ShowDatabases1"); scopes nest.
class OperatorCommand {
public:
    explicit OperatorCommand(const QString& name);
    ~OperatorCommand();
    OperatorCommand(const OperatorCommand&) = delete;
    OperatorCommand& operator=(const OperatorCommand&) = delete;

    // The innermost command running, empty when none.
    static QString Current();

private:
    QString previous_;
};
