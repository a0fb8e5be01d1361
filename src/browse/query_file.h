// "qry.txt" in the working directory: a copy of the last query the editor ran, replaced on every
// run and left behind afterwards, for the operator to look at.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

inline constexpr const char* kQueryFileName = "qry.txt";

// Replaces qry.txt with lines as every text file for the operator is written
// (ui/text_lines_file.h): a run whose copy cannot be written leaves the last one whole. Nothing
// when it was written, else the reason it was not.
std::optional<QString> SaveQueryFile(const QStringList& lines);

// True the first time in this run of the program that qry.txt could not be written: the operator
// is told once, not on every run of a query.
bool FirstQueryFileFailure();
