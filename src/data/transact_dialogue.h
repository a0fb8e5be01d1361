// The client side of the transact-server dialogue: reading whole answers, the login, and one
// command exchange. The server prompts "login: " and "password: ", answers the two bytes line feed
// and carriage return after an accepted password, and answers every command line with one line:
// "OK" or an error text. A statement's "OK" may go on with " matched=N insert_id=M".
#pragma once

#include "data/inet_socket.h"
#include "data/transaction_link.h"

#include <string>
#include <string_view>

// The longest answer kept; a longer answer line is judged on its first kTransactAnswerLimit bytes.
inline constexpr std::size_t kTransactAnswerLimit = 8191;
// How much of an over-long answer line is read past the limit and dropped, to keep the next
// exchange in step; a line longer still leaves the connection out of step.
inline constexpr std::size_t kTransactDiscardLimit = 1 << 20;

inline constexpr std::string_view kLoginPrompt = "login: ";
inline constexpr std::string_view kPasswordPrompt = "password: ";
inline constexpr std::string_view kPasswordAccepted = "\n\r";

inline constexpr const char* kTransactServerClosed = "The transact-server closed the connection";
inline constexpr const char* kLineBreakInCommand =
    "A statement with a line break cannot be sent to the transact-server";

struct TransactAnswer {
    std::string Text;
    // False when the connection can no longer be used for further exchanges: the server closed
    // it, or an answer line did not end within kTransactDiscardLimit.
    bool InStep = true;
};

// True when an answer reports success: its first two characters are "OK".
bool IsOkAnswer(std::string_view answer);
// What a success answer tells of a statement: "OK matched=N insert_id=M" gives the rows the
// statement matched and the generated auto-increment value; a bare "OK" (a transact-server that
// does not count) leaves countsKnown false.
ExecResult CountsOfAnswer(std::string_view answer);

// Reads until the text ends with prompt or with a line feed (a greeting line), or the limit.
TransactAnswer ReadPromptAnswer(TInetSocket& socket, std::string_view prompt);
// Reads exactly count bytes (fewer only when the server closes the connection).
TransactAnswer ReadByteAnswer(TInetSocket& socket, std::size_t count);
// Reads one answer line up to and including its line feed.
TransactAnswer ReadLineAnswer(TInetSocket& socket);

// Texts that can travel as one line of the dialogue: no line feed inside.
bool FitsOnOneLine(std::string_view text);

// The login: prompt (a greeting may come before it), login, password prompt, password, the
// two-byte acceptance, "CONNECT <database>;" and its "OK". Answers true when every step passed;
// lastAnswer holds the last answer read. Socket failures and time-outs raise EWinsockError.
bool RunTransactLogin(TInetSocket& socket, const std::string& login, const std::string& password,
                      const std::string& database, std::string& lastAnswer);

// Sends command, ";" and a line feed, and reads the answer. A command holding a line feed is not
// sent (it would arrive as two commands): the answer is then kLineBreakInCommand.
TransactAnswer TransactExchange(TInetSocket& socket, std::string_view command);
