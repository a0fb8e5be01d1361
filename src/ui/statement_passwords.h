// The password values a statement carries, read from the statement itself so that they can be
// kept out of the operator's log whatever shape a server text quoting the statement has.
#pragma once

#include <QString>
#include <QStringList>

// The password values of sql, each as written in it and as the server reads it (quotes doubled or
// escaped with a backslash undone): the value after IDENTIFIED [WITH|VIA plugin] BY|USING|AS
// [PASSWORD], inside PASSWORD(…) and OLD_PASSWORD(…), after SET PASSWORD [FOR …] =. A value
// whose quotes were forgotten runs to a blank, ",", ";" or ")"; a quote left open runs to the end
// of the statement.
QStringList StatementPasswords(const QString& sql);
