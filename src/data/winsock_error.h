// EWinsockError: the failure of a socket call or of a host lookup, with the system's message and
// error code. Start-up and clean-up of the platform's socket library live here too.
#pragma once

#include <stdexcept>
#include <string>

inline constexpr const char* kUnableToLoadWinsock = "Unable to load Winsock";

class EWinsockError : public std::runtime_error {
public:
    EWinsockError(const std::string& message, int code)
        : std::runtime_error(message), code_(code) {}
    // The system's error code (0 for a failure that has none, such as the start-up failure).
    int Code() const { return code_; }

private:
    int code_;
};

// "Winsocket error: <system message> No <code>."
std::string SocketErrorText(const std::string& systemMessage, int code);

// Raises EWinsockError for a socket error code; 0 and "the call would block" are not errors.
void CheckSocketError(int code);
// The same for the code the last failed socket call left behind (errno).
void CheckLastSocketError();

// Starts the platform's socket library once for the program; raises EWinsockError "Unable to load
// Winsock" when it cannot be started. On systems whose sockets need no start-up this does nothing.
void StartSocketLibrary();
void StopSocketLibrary();
