#pragma once

// Runs the program: loads the client library (or reports that it is missing and ends), creates the
// main window, the data module and the hidden transfer window, and runs the message loop until
// the main window closes. Answers the process exit code.
int RunKestrel(int& argc, char** argv);

// The same steps on an existing application object, for tests: answers the exit code after the
// main window was created and, when runLoop is false, without entering the message loop.
int StartKestrel(bool runLoop);
