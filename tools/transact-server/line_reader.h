// Reads the lines a client sends, each up to a longest length.
#pragma once

#include <string>

class LineReader {
public:
    enum Result { Line, TooLong, Closed };

    LineReader(int fd, std::size_t maxLine) : fd_(fd), maxLine_(maxLine) {}

    // The next line without its line feed (and without a carriage return before it). TooLong:
    // the line had more than maxLine bytes; it has been read to its end and dropped. Closed: the
    // client closed the connection (or it failed) before a line feed.
    Result ReadLine(std::string& line);

private:
    // Refills the buffer; false when the connection is closed.
    bool Fill();

    int fd_;
    std::size_t maxLine_;
    std::string buffer_;
    std::size_t pos_ = 0;
};
