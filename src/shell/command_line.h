// The options the program answers without opening a window or needing a display.
#pragma once

#include <optional>
#include <ostream>

// The program's version, set once in the build description.
const char* KestrelVersion();

// Answers --help (-h) and --version (-v) on `out` and gives the exit code; answers nothing for any
// other command line, which then starts the program.
std::optional<int> AnswerCommandLine(int argc, const char* const* argv, std::ostream& out);
