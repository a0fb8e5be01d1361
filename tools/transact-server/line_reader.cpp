#include "line_reader.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

LineReader::Result LineReader::Fill() {
    buffer_.resize(16384);
    pos_ = 0;
    for (;;) {
        if (deadline_) {
            using namespace std::chrono;
            const auto left = duration_cast<milliseconds>(*deadline_ - steady_clock::now());
            pollfd p{fd_, POLLIN, 0};
            const int ready =
                left.count() > 0 ? ::poll(&p, 1, static_cast<int>(left.count() + 1)) : 0;
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready == 0) {
                buffer_.clear();
                return TimedOut;
            }
        }
        const ssize_t got = ::recv(fd_, buffer_.data(), buffer_.size(), 0);
        if (got > 0) {
            buffer_.resize(static_cast<std::size_t>(got));
            return Line;
        }
        if (got < 0 && errno == EINTR)
            continue;
        buffer_.clear();
        return Closed;
    }
}

LineReader::Result LineReader::ReadLine(std::string& line) {
    line.clear();
    bool tooLong = false;
    for (;;) {
        if (pos_ >= buffer_.size()) {
            if (const Result filled = Fill(); filled != Line)
                return filled;
        }
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
