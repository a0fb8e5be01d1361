// "Dump databse": the structure of every table of the database selected in the database list,
// written into the report "dbstruct.txt" and opened in the text editor. The table list is read on
// the command session, each table's fields and keys on a second connection of the command's own.
// A progress window counts the tables done; cancelling it leaves the earlier report untouched.
#pragma once

class CommandContext;

inline constexpr const char* kDumpReportName = "dbstruct.txt";

void DumpDatabase(CommandContext& context);
