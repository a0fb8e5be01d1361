#include "browse/query_editor.h"

#include "browse/browse_context.h"
#include "browse/query_file.h"
#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "commands/shared_query.h"
#include "commands/status_panels.h"
#include "data/db_error.h"
#include "ui/language.h"
#include "ui/operator_log.h"
#include "ui/program_files.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringDecoder>

#include <exception>
#include <limits>
#include <string>
#include <vector>

namespace {

// What the live attempt did with the statement. Only NotSent leaves it for the read-only path to
// send: a statement the server has seen is never sent a second time.
enum class LiveOutcome { Opened, RanWithoutRows, ReadOnlyRows, SentAndFailed, NotSent };

void ShowReadOnlyMessage() {
    prompts().message(BiText(QStringLiteral("Read-only result set!"),
                             QStringLiteral("Rezultat nije moguće modificirati!")));
}

// A failure text as a failed client call shows it: at most 200 characters, trimmed.
QString FailureText(const std::exception& e) {
    return QString::fromStdString(e.what()).trimmed().left(200).trimmed();
}

void TellRan(std::uint64_t affectedRows) {
    const QString count = QString::number(affectedRows);
    prompts().message(
        BiText(QStringLiteral("The statement ran; rows affected: %1.").arg(count),
               QStringLiteral("Naredba je izvršena; broj obuhvaćenih redaka: %1.").arg(count)));
}

void SaveQueryFileOrTell(const QStringList& lines) {
    const std::optional<QString> failure = SaveQueryFile(lines);
    if (failure && FirstQueryFileFailure())
        prompts().message(
            BiText(QStringLiteral("The query could not be saved to %1 (%2); it runs from the "
                                  "memo all the same.")
                       .arg(QString::fromLatin1(kQueryFileName), *failure),
                   QStringLiteral("Upit nije moguće spremiti u %1 (%2); svejedno se izvršava iz "
                                  "polja za upit.")
                       .arg(QString::fromLatin1(kQueryFileName), *failure)),
            PromptIcon::Warning);
}

// The live attempt: the memo opened in MySQLQuery1 on a fresh connection of MySQLDatabase1.
// Rows that cannot be edited (statements that are not a SELECT over a table) do not count as
// live, but they have been read: the statement has run. A statement that ran without a result
// set, or that the server refused, has been sent as well. failure holds the text of a refusal.
LiveOutcome OpenLive(CommandContext& context, SharedQuery& shared, const QStringList& lines,
                     std::uint64_t& affectedRows, QString& failure) {
    TMySQLDatabase& db = shared.MySQLDatabase1;
    TMySQLQuery& query = shared.MySQLQuery1;
    bool opening = false; // the flag of the query tells of this attempt only once it opens
    try {
        PrepareSharedDatabase(context, shared);
        prompts().processEvents();
        prompts().setCursor(CursorShape::SqlWait);
        db.Connect();
        SaveQueryFileOrTell(lines);
        query.Close();
        std::vector<std::string> sql;
        sql.reserve(static_cast<std::size_t>(lines.size()));
        for (const QString& line : lines)
            sql.push_back(line.toStdString());
        query.SetSQL(std::move(sql));
        query.RequestLive = true;
        opening = true;
        query.Open();
        return query.CanModify() ? LiveOutcome::Opened : LiveOutcome::ReadOnlyRows;
    } catch (const ENoResultSet& e) {
        affectedRows = e.AffectedRows();
        return LiveOutcome::RanWithoutRows;
    } catch (const std::exception& e) {
        // Before the statement went out its text is not shown: the read-only message stands for
        // every failure of the database, the transaction or its transact-server.
        if (!opening || !query.StatementSent())
            return LiveOutcome::NotSent;
        failure = FailureText(e);
        return LiveOutcome::SentAndFailed;
    }
}

// The first column of every row of the open MySQLQuery1, as the server sent it.
QString FirstColumnOf(TMySQLQuery& query) {
    if (query.FieldCount() == 0)
        return {};
    const TField& field = query.Field(0);
    QStringList texts;
    const std::int64_t rows = query.ReadRowsUpTo(std::numeric_limits<std::int64_t>::max());
    for (std::int64_t recNo = 1; recNo <= rows; ++recNo)
        texts.append(QString::fromStdString(
            ExactText(field.DataType(), field.IsUnsigned(), query.RowValue(recNo, 0))));
    return texts.join(QLatin1Char('\n'));
}

void CloseSharedQueryQuietly(SharedQuery& shared) {
    try {
        shared.CloseSharedQuery();
    } catch (const std::exception&) {
    }
}

// The read-only path: the statement runs over the command session and the first column of each row
// replaces the memo. A statement the server refuses is reported and stays in the memo, as does
// one that turns out to have no result set.
void RunReadOnly(CommandContext& context, SharedQuery& shared, const QStringList& lines) {
    ShowReadOnlyMessage();
    CloseSharedQueryQuietly(shared);

    CommandConnection conn(context);
    if (!conn.Open(ConnectCall::RealConnect, context.connectionInputs().database))
        return;
    const QString statement = JoinedStatement(lines);
    QPlainTextEdit& memo = context.queryMemo();
    memo.clear();
    bool keepStatement = true;
    // A failure (of the statement, of taking its rows or of a later result) shows its error text.
    if (const SessionResult outcome = conn.Run(statement.toStdString()); outcome.failed) {
    } else if (outcome.hasRows) {
        keepStatement = false;
        QStringList firstColumn;
        for (const QStringList& row : ResultRows(outcome.rows))
            firstColumn.append(row.value(0));
        memo.setPlainText(firstColumn.join(QLatin1Char('\n')));
    } else {
        TellRan(outcome.affectedRows);
    }
    if (keepStatement)
        memo.setPlainText(lines.join(QLatin1Char('\n')));
    conn.Close();
    ShowBrowseContext(context);
    ProcessMessagesAndArrow();
}

} // namespace

QStringList MemoLines(const QPlainTextEdit& memo) {
    const QString text = memo.toPlainText();
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QString JoinedStatement(const QStringList& lines) {
    QString statement;
    for (const QString& line : lines)
        statement += QLatin1Char(' ') + line;
    return statement;
}

QString ScriptFolder() {
    const QString scripts = QStringLiteral("Scripts");
    return QDir(ProgramFilesFolder(scripts)).filePath(scripts);
}

void RunQuery(CommandContext& context) {
    const QStringList lines = MemoLines(context.queryMemo());
    SharedQuery* shared = context.sharedQuery();
    // A memo of blanks only holds no statement either.
    if (!shared || lines.join(QString()).trimmed().isEmpty() ||
        context.connectionInputs().database.isEmpty() || context.databaseList().itemIndex() < 0)
        return;

    // A server text that quotes the statement must not bring its passwords into the log.
    RegisterStatementSecrets(JoinedStatement(lines));
    std::uint64_t affectedRows = 0;
    QString failure;
    switch (OpenLive(context, *shared, lines, affectedRows, failure)) {
    case LiveOutcome::Opened:
        ShowBrowseContext(context, QString::number(shared->MySQLQuery1.RowsArrived()));
        FollowRecordCount(context, shared->MySQLQuery1);
        ProcessMessagesAndArrow();
        return;
    case LiveOutcome::RanWithoutRows:
        // It has run once; the memo keeps it.
        CloseSharedQueryQuietly(*shared);
        ShowBrowseContext(context);
        ProcessMessagesAndArrow();
        TellRan(affectedRows);
        return;
    case LiveOutcome::ReadOnlyRows: {
        // The rows the live attempt read take the memo's place, as the read-only path shows
        // them; the statement is not sent again.
        ShowReadOnlyMessage();
        QString firstColumn;
        try {
            firstColumn = FirstColumnOf(shared->MySQLQuery1);
        } catch (const std::exception& e) {
            failure = FailureText(e);
        }
        CloseSharedQueryQuietly(*shared);
        if (failure.isEmpty())
            context.queryMemo().setPlainText(firstColumn);
        else
            prompts().message(failure, PromptIcon::Error);
        ShowBrowseContext(context);
        ProcessMessagesAndArrow();
        return;
    }
    case LiveOutcome::SentAndFailed:
        // The server's refusal is reported once; the statement stays in the memo.
        ShowReadOnlyMessage();
        CloseSharedQueryQuietly(*shared);
        prompts().message(failure, PromptIcon::Error);
        ShowBrowseContext(context);
        ProcessMessagesAndArrow();
        return;
    case LiveOutcome::NotSent:
        RunReadOnly(context, *shared, lines);
        return;
    }
}

void CloseQuery(CommandContext& context) {
    if (SharedQuery* shared = context.sharedQuery())
        shared->CloseSharedQuery();
}

void OpenScript(CommandContext& context) {
    const QString file = prompts().openFileName(context.dialogParent(), QString(), ScriptFolder(),
                                                QStringLiteral("Scripts(*.sql)"));
    if (file.isEmpty())
        return;
    QFile script(file);
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // The memo keeps what it had.
        prompts().message(BiText(QStringLiteral("Cannot read %1: %2"),
                                 QStringLiteral("Nije moguće pročitati %1: %2"))
                              .arg(file, script.errorString()),
                          PromptIcon::Error);
        return;
    }
    const QByteArray bytes = script.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    // Older scripts are often in an 8-bit code page rather than UTF-8.
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    // A line break that ends the file does not start another memo line.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    context.queryMemo().setPlainText(text);
}
