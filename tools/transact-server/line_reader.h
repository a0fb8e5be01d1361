// Reads the lines a client sends, each up to a longest length, optionally before a deadline.
#pragma once

#include <chrono>
#include <optional>
#include <string>

class LineReader {
public:
    enum Result { Line, TooLong, Closed, TimedOut };
    using Deadline = std::chrono::steady_clock::time_point;

    LineReader(int fd, std::size_t maxLine) : fd_(fd), maxLine_(maxLine) {}

    // The next line without its line feed (and without a carriage return before it). TooLong:
    // the line had more than maxLine bytes; it has been read to its end and dropped. Closed: the
    // client closed the connection (or it failed) before a line feed. TimedOut: the deadline
    // passed before a line feed.
    Result ReadLine(std::string& line);

    // Lines must be complete by deadline; nullopt: wait as long as it takes.
    void SetDeadline(std::optional<Deadline> deadline) { deadline_ = deadline; }

private:
    // Refills the buffer; Line when bytes arrived, else Closed or TimedOut.
    Result Fill();

    int fd_;
    std::size_t maxLine_;
    std::optional<Deadline> deadline_;
    std::string buffer_;
    std::size_t pos_ = 0;
};
