// "Dump databse": the structure of every table of the database selected in RadioGroup1, written
// into the report "dbstruct.txt" and opened in the text editor. The table list is read over
// AdminHandle, each table's fields and keys over a second connection of the command's own. A
// progress window counts the tables done; cancelling it leaves the earlier report untouched.
#pragma once

class TQueryFrm1;

inline constexpr const char* kDumpReportName = "dbstruct.txt";

void DumpDatabase(TQueryFrm1& window);
