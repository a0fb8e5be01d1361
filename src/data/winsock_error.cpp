#include "data/winsock_error.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <winsock2.h>
#endif

std::string SocketErrorText(const std::string& systemMessage, int code) {
    return "Winsocket error: " + systemMessage + " No " + std::to_string(code) + ".";
}

void CheckSocketError(int code) {
    if (code == 0 || code == EWOULDBLOCK || code == EAGAIN)
        return;
    throw EWinsockError(SocketErrorText(std::system_category().message(code), code), code);
}

void CheckLastSocketError() {
#ifdef _WIN32
    CheckSocketError(WSAGetLastError());
#else
    CheckSocketError(errno);
#endif
}

#ifdef _WIN32
void StartSocketLibrary() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        throw EWinsockError(kUnableToLoadWinsock, 0);
}

void StopSocketLibrary() {
    WSACleanup();
}
#else
// POSIX sockets are ready without a start-up step.
void StartSocketLibrary() {}
void StopSocketLibrary() {}
#endif
