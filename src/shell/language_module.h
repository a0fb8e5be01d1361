// Language modules: compiled translations of the window texts (Qt .qm files) beside the program,
// named like the program file with the locale's abbreviated language name as extension
// ("kestrel.HRV"), or its first two letters ("kestrel.HR"). At most one module is in use.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The program file the modules are named after and searched beside; tests point it elsewhere.
// Default: the running executable.
extern std::function<QString()> languageProgramFile;

// The files tried for an abbreviation, in order: the extension of the program's file name (or,
// when it has none, the name itself) followed by the abbreviation, then by its first two letters.
// Empty when the abbreviation is empty.
QStringList LanguageModuleFiles(const QString& programFile, const QString& abbreviation);

// Loads the module of a locale identifier and puts it in use in place of the previous one.
// Answers false and changes nothing when the identifier is unknown or no file loads.
bool LoadLanguageModule(int localeId);

// The file of the module in use; empty when none is.
QString LanguageModuleInUse();

// Stops using the module in use (windows keep their texts until they are re-read).
void ReleaseLanguageModule();
