// The query editor of the main window: the SQL in Memo1 runs on the database chosen in
// RadioGroup1. Rows that can be edited open in the grid through MySQLQuery1; other rows come back
// as the first column of each row in the memo, read over the command session.
#pragma once

#include <QStringList>

class QPlainTextEdit;
class CommandContext;

// "Run query" (menu, toolbar, double click on the memo).
void RunQuery(CommandContext& context);
// "Close query": the grid empties, the memo stays.
void CloseQuery(CommandContext& context);
// "Open script": loads a script from the Scripts folder beside the program into the memo; nothing
// runs.
void OpenScript(CommandContext& context);

// The memo's lines (a final line break does not start another line).
QStringList MemoLines(const QPlainTextEdit& memo);
// The statement the read-only path sends: a blank before every line, all on one line.
QString JoinedStatement(const QStringList& lines);
// The folder "Scripts" beside the program file (or in the installed data folder).
QString ScriptFolder();
