#include "data/transact_dialogue.h"

#include <charconv>

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Receives into answer until complete(answer) holds, the answer reaches limit bytes or the server
// closes the connection. Answers false when the server closed it.
template <typename Complete>
bool ReadUntil(TInetSocket& socket, std::string& answer, std::size_t limit, Complete complete) {
    while (answer.size() < limit && !complete(answer)) {
        const std::string part = socket.Receive(limit - answer.size());
        if (part.empty())
            return false;
        answer += part;
    }
    return true;
}

} // namespace

bool IsOkAnswer(std::string_view answer) {
    return answer.starts_with("OK");
}

ExecResult CountsOfAnswer(std::string_view answer) {
    ExecResult r;
    if (!IsOkAnswer(answer))
        return r;
    answer.remove_prefix(2);
    bool matched = false, insertId = false;
    // Words name=value separated by blanks; unknown words are passed over.
    while (!answer.empty()) {
        while (!answer.empty() && (answer.front() == ' ' || answer.front() == '\t'))
            answer.remove_prefix(1);
        std::size_t end = 0;
        while (end < answer.size() && answer[end] != ' ' && answer[end] != '\t' &&
               answer[end] != '\r' && answer[end] != '\n')
            ++end;
        const std::string_view word = answer.substr(0, end);
        answer.remove_prefix(end);
        if (end == 0) {
            if (!answer.empty())
                answer.remove_prefix(1); // a line end
            continue;
        }
        const std::size_t eq = word.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view name = word.substr(0, eq), value = word.substr(eq + 1);
        std::uint64_t number = 0;
        const auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (ec != std::errc() || p != value.data() + value.size())
            continue;
        if (name == "matched") {
            r.matchedRows = number;
            matched = true;
        } else if (name == "insert_id") {
            r.insertId = number;
            insertId = true;
        }
    }
    r.countsKnown = matched && insertId;
    if (!r.countsKnown)
        r = {};
    return r;
}

bool FitsOnOneLine(std::string_view text) {
    return text.find('\n') == std::string_view::npos;
}

TransactAnswer ReadPromptAnswer(TInetSocket& socket, std::string_view prompt) {
    TransactAnswer a;
    a.InStep = ReadUntil(socket, a.Text, kTransactAnswerLimit, [&](std::string_view t) {
        return EndsWith(t, prompt) || EndsWith(t, "\n");
    });
    return a;
}

TransactAnswer ReadByteAnswer(TInetSocket& socket, std::size_t count) {
    TransactAnswer a;
    a.InStep = ReadUntil(socket, a.Text, count, [](std::string_view) { return false; });
    return a;
}

TransactAnswer ReadLineAnswer(TInetSocket& socket) {
    TransactAnswer a;
    const auto ended = [](std::string_view t) { return EndsWith(t, "\n"); };
    a.InStep = ReadUntil(socket, a.Text, kTransactAnswerLimit, ended);
    if (!a.InStep || ended(a.Text))
        return a;
    // Over-long: drop the rest of the line so that the next answer read is the next answer.
    std::size_t dropped = 0;
    std::string rest;
    while (!ended(rest)) {
        if (dropped >= kTransactDiscardLimit) {
            a.InStep = false;
            break;
        }
        rest = socket.Receive(std::min<std::size_t>(4096, kTransactDiscardLimit - dropped));
        if (rest.empty()) {
            a.InStep = false;
            break;
        }
        dropped += rest.size();
    }
    return a;
}

bool RunTransactLogin(TInetSocket& socket, const std::string& login, const std::string& password,
                      const std::string& database, std::string& lastAnswer) {
    lastAnswer.clear();
    if (!FitsOnOneLine(login) || !FitsOnOneLine(password) || !FitsOnOneLine(database))
        return false;
    lastAnswer = ReadPromptAnswer(socket, kLoginPrompt).Text;
    if (!EndsWith(lastAnswer, kLoginPrompt)) {
        // A greeting came first: the prompt must follow in the next answer.
        lastAnswer = ReadPromptAnswer(socket, kLoginPrompt).Text;
        if (!EndsWith(lastAnswer, kLoginPrompt))
            return false;
    }
    socket.Send(login + "\n");
    lastAnswer = ReadPromptAnswer(socket, kPasswordPrompt).Text;
    if (!EndsWith(lastAnswer, kPasswordPrompt))
        return false;
    socket.Send(password + "\n");
    lastAnswer = ReadByteAnswer(socket, kPasswordAccepted.size()).Text;
    if (lastAnswer != kPasswordAccepted)
        return false;
    socket.Send("CONNECT " + database + ";\n");
    lastAnswer = ReadLineAnswer(socket).Text;
    return IsOkAnswer(lastAnswer);
}

TransactAnswer TransactExchange(TInetSocket& socket, std::string_view command) {
    if (!FitsOnOneLine(command))
        return {kLineBreakInCommand, true};
    std::string line;
    line.reserve(command.size() + 2);
    line.append(command).append(";\n");
    socket.Send(line);
    TransactAnswer a = ReadLineAnswer(socket);
    if (!a.InStep && a.Text.empty())
        a.Text = kTransactServerClosed;
    return a;
}
