#include "client_session.h"

#include "data/client_handles.h"
#include "data/session_modes.h"
#include "data/statement_results.h"
#include "data/text_utils.h"
#include "line_reader.h"
#include "server_io.h"

#include <cctype>
#include <chrono>
#include <utility>

namespace {

// An UPDATE counts the rows it found, changed or not, so a client can tell a row that is gone.
constexpr unsigned long kFoundRows = 2;

std::string MySQLError(MYSQL* handle) {
    const char* text = Client().mysql_error(handle);
    return text ? text : "";
}

// The command word of a line, upper case, and what follows it (blanks trimmed). Control
// characters within what follows, or at its ends except for the separating tab, make rawRest true.
std::string CommandWord(const std::string& command, std::string& rest, bool& rawRest) {
    std::size_t i = 0;
    while (i < command.size() && std::isalpha(static_cast<unsigned char>(command[i])))
        ++i;
    std::string word = command.substr(0, i);
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (i < command.size() && command[i] != ' ' && command[i] != '\t')
        return {}; // not a word by itself
    std::string_view after = std::string_view(command).substr(i);
    while (!after.empty() && (after.front() == ' ' || after.front() == '\t'))
        after.remove_prefix(1);
    while (!after.empty() && after.back() == ' ')
        after.remove_suffix(1);
    rawRest = HoldsControlCharacter(after);
    rest = TrimBlanksAndControls(after);
    return word;
}

// Runs one statement and drains every result it answers, so the connection is ready for the next.
// Success answers the rows the last result matched and the value it generated for an
// auto-increment column: "OK matched=N insert_id=M" (a client that reads only "OK" still sees
// success).
std::string RunStatement(MYSQL* handle, const std::string& statement) {
    if (!RunAndDrain(handle, statement))
        return ErrorAnswer(MySQLError(handle));
    return OkAnswer(Client().mysql_affected_rows(handle), Client().mysql_insert_id(handle));
}

} // namespace

std::string OkAnswer(std::uint64_t matched, std::uint64_t insertId) {
    // A statement that answered rows counts none (the client library says -1).
    if (matched == static_cast<std::uint64_t>(-1))
        matched = 0;
    return "OK matched=" + std::to_string(matched) + " insert_id=" + std::to_string(insertId) +
           "\n";
}

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
    // The client must have sent its login and password within the time limit.
    reader.SetDeadline(std::chrono::steady_clock::now() +
                       std::chrono::seconds(options.LoginTimeout));
    std::string login, password, line;
    for (auto [prompt, answer] : {std::pair{"login: ", &login}, {"password: ", &password}}) {
        if (!SendAll(fd, prompt))
            return Log(peer, "left during the login");
        switch (reader.ReadLine(*answer)) {
        case LineReader::Line:
            break;
        case LineReader::TimedOut:
            SendAll(fd, "Login timed out\n");
            return Log(peer, "dropped: the login took longer than " +
                                 std::to_string(options.LoginTimeout) + " s");
        default:
            return Log(peer, "left during the login");
        }
    }
    // A NUL would cut the login or password short on its way to MySQL; nothing of the kind
    // is passed on.
    if (HoldsControlCharacter(login) || HoldsControlCharacter(password)) {
        Log(peer, "login refused: the login or password holds a control character");
        SendAll(fd, "Login incorrect: the login or password holds a control character\n");
        return;
    }

    const ClientApi& c = Client();
    ClientHandle mysql;
    MYSQL* handle = mysql.Init();
    if (!handle ||
        !c.mysql_real_connect(handle, options.MySQLHost.c_str(), login.c_str(), password.c_str(),
                              nullptr, options.MySQLPort, nullptr, kFoundRows)) {
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
    reader.SetDeadline(std::nullopt);
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
            bool controls = false;
            const std::string word = CommandWord(command, rest, controls);
            if (word == "QUIT" && rest.empty())
                return Log(peer, "quit");
            if (word == "CONNECT") {
                if (controls)
                    answer = ErrorAnswer("A database name cannot hold a control character");
                else if (!rest.empty() && c.mysql_select_db(handle, rest.c_str()) != 0)
                    answer = ErrorAnswer(MySQLError(handle));
                else
                    answer = "OK\n";
            } else {
                answer = RunStatement(handle, command);
                // COMMIT and ROLLBACK are commands of the dialogue: success is a bare "OK".
                if ((word == "COMMIT" || word == "ROLLBACK") && rest.empty() &&
                    answer.starts_with("OK"))
                    answer = "OK\n";
            }
        }
        if (!SendAll(fd, answer))
            return Log(peer, "went away before the answer");
    }
}
