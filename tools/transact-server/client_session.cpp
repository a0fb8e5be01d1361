#include "client_session.h"

#include "data/client_handles.h"
#include "data/session_modes.h"
#include "data/statement_results.h"
#include "data/text_utils.h"
#include "line_reader.h"

#include <sys/socket.h>

#include <cctype>
#include <cerrno>
#include <iostream>
#include <mutex>

namespace {

std::mutex logMutex;

void Log(const std::string& peer, const std::string& text) {
    std::lock_guard<std::mutex> lock(logMutex);
    std::cerr << "transact-server: " << peer << ": " << text << std::endl;
}

bool SendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

std::string MySQLError(MYSQL* handle) {
    const char* text = Client().mysql_error(handle);
    return text ? text : "";
}

// The command word of a line, upper case, and what follows it (blanks trimmed).
std::string CommandWord(const std::string& command, std::string& rest) {
    std::size_t i = 0;
    while (i < command.size() && std::isalpha(static_cast<unsigned char>(command[i])))
        ++i;
    std::string word = command.substr(0, i);
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (i < command.size() && command[i] != ' ' && command[i] != '\t')
        return {}; // not a word by itself
    rest = TrimBlanksAndControls(std::string_view(command).substr(i));
    return word;
}

// Runs one statement and drains every result it answers, so the connection is ready for the next.
std::string RunStatement(MYSQL* handle, const std::string& statement) {
    return RunAndDrain(handle, statement) ? "OK\n" : ErrorAnswer(MySQLError(handle));
}

} // namespace

std::string ErrorAnswer(const std::string& text) {
    std::string line = TrimBlanksAndControls(text);
    for (char& ch : line)
        if (ch == '\n' || ch == '\r')
            ch = ' ';
    if (line.empty())
        line = "Unknown error";
    if (line.starts_with("OK"))
        line = "Error: " + line;
    return TruncateUtf8(line, kMaxAnswer - 1) + "\n";
}

void ServeClient(SocketHandle socket, const ServerOptions& options, const std::string& peer) {
    const int fd = socket.get();
    LineReader reader(fd, options.MaxLine);
    std::string login, password, line;
    if (!SendAll(fd, "login: ") || reader.ReadLine(login) != LineReader::Line)
        return Log(peer, "left during the login");
    if (!SendAll(fd, "password: ") || reader.ReadLine(password) != LineReader::Line)
        return Log(peer, "left during the login");

    const ClientApi& c = Client();
    ClientHandle mysql;
    MYSQL* handle = mysql.Init();
    if (!handle ||
        !c.mysql_real_connect(handle, options.MySQLHost.c_str(), login.c_str(), password.c_str(),
                              nullptr, options.MySQLPort, nullptr, 0)) {
        const std::string error = handle ? MySQLError(handle) : "the client library failed";
        Log(peer, "login of " + login + " refused: " + error);
        SendAll(fd, "Login incorrect: " + ErrorAnswer(error));
        return;
    }
    if (c.mysql_query(handle, "SET autocommit=0") != 0) {
        SendAll(fd, "Login incorrect: " + ErrorAnswer(MySQLError(handle)));
        return;
    }
    // Clients escape values with backslashes and quote them with single quotes: the session
    // must read them so, whatever the server's sql_mode.
    if (std::string error; !MakeSessionStatementSafe(handle, error)) {
        SendAll(fd, "Login incorrect: " + ErrorAnswer(error));
        return;
    }
    if (!SendAll(fd, "\n\r"))
        return;
    Log(peer, login + " logged in");

    for (;;) {
        const LineReader::Result r = reader.ReadLine(line);
        if (r == LineReader::Closed)
            return Log(peer, "closed the connection");
        std::string answer;
        if (r == LineReader::TooLong) {
            answer = ErrorAnswer("Command line longer than " + std::to_string(options.MaxLine) +
                                 " bytes; it was not run");
        } else {
            // Every command ends with one semicolon, which is not part of the statement.
            std::string command = TrimBlanksAndControls(line);
            if (command.ends_with(';'))
                command.pop_back();
            std::string rest;
            const std::string word = CommandWord(command, rest);
            if (word == "QUIT" && rest.empty())
                return Log(peer, "quit");
            if (word == "CONNECT") {
                if (!rest.empty() && c.mysql_select_db(handle, rest.c_str()) != 0)
                    answer = ErrorAnswer(MySQLError(handle));
                else
                    answer = "OK\n";
            } else {
                answer = RunStatement(handle, command);
            }
        }
        if (!SendAll(fd, answer))
            return Log(peer, "went away before the answer");
    }
}
