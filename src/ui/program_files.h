// Where the files that ship with the program are found: beside the executable in a build folder,
// or in the installed data folder <prefix>/share/kestrel for an executable in <prefix>/bin.
#pragma once

#include <QString>

// The installed data folder that belongs to an executable: "<its folder>/../share/kestrel".
QString InstalledDataFolder(const QString& programFile);

// The folder holding `entry` (a file or folder name such as "Scripts"): the executable's own
// folder when the entry is there, else the installed data folder when it is there, else the
// executable's folder.
QString ProgramFilesFolder(const QString& programFile, const QString& entry);

// ProgramFilesFolder for the running executable.
QString ProgramFilesFolder(const QString& entry);
