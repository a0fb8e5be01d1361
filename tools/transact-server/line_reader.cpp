#include "line_reader.h"

#include <sys/socket.h>

#include <cerrno>

bool LineReader::Fill() {
    buffer_.resize(16384);
    pos_ = 0;
    for (;;) {
        const ssize_t got = ::recv(fd_, buffer_.data(), buffer_.size(), 0);
        if (got > 0) {
            buffer_.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (got < 0 && errno == EINTR)
            continue;
        buffer_.clear();
        return false;
    }
}

LineReader::Result LineReader::ReadLine(std::string& line) {
    line.clear();
    bool tooLong = false;
    for (;;) {
        if (pos_ >= buffer_.size() && !Fill())
            return Closed;
        const std::size_t end = buffer_.find('\n', pos_);
        const std::size_t stop = end == std::string::npos ? buffer_.size() : end;
        if (!tooLong) {
            line.append(buffer_, pos_, stop - pos_);
            if (line.size() > maxLine_ + 1) { // one more for a carriage return
                tooLong = true;
                line.clear();
            }
        }
        pos_ = stop;
        if (end != std::string::npos) {
            ++pos_;
            break;
        }
    }
    if (tooLong)
        return TooLong;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > maxLine_) {
        line.clear();
        return TooLong;
    }
    return Line;
}
