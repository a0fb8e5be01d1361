#include "data/json_text.h"

#include "data/text_utils.h"

#include <cctype>

namespace {

constexpr int kMaxDepth = 256;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class Writer {
public:
    Writer(std::string_view text, std::size_t limit, int indent)
        : s_(text), indent_(indent), out_(limit) {}

    // The top level: an object or an array, blanks around it.
    bool Document() {
        Blanks();
        if (pos_ >= s_.size() || (s_[pos_] != '{' && s_[pos_] != '['))
            return false;
        if (!Value(0))
            return false;
        if (out_.Cut())
            return true;
        Blanks();
        return pos_ == s_.size();
    }

    bool Cut() const { return out_.Cut(); }
    std::string Take() { return out_.Take(); }

private:
    void Blanks() {
        while (pos_ < s_.size() && IsBlank(s_[pos_]))
            ++pos_;
    }

    void Put(std::string_view piece) { out_.Put(piece); }

    void NewLine(int depth) {
        if (indent_ <= 0)
            return;
        Put("\n");
        Put(std::string(static_cast<std::size_t>(depth * indent_), ' '));
    }

    bool Value(int depth) {
        if (out_.Cut())
            return true;
        Blanks();
        if (pos_ >= s_.size())
            return false;
        switch (s_[pos_]) {
        case '{':
            return Container(depth, '}', true);
        case '[':
            return Container(depth, ']', false);
        case '"':
            return String();
        case 't':
            return Word("true");
        case 'f':
            return Word("false");
        case 'n':
            return Word("null");
        default:
            return Number();
        }
    }

    bool Container(int depth, char close, bool object) {
        if (depth >= kMaxDepth)
            return false;
        Put(std::string_view(&s_[pos_], 1));
        ++pos_;
        Blanks();
        if (pos_ < s_.size() && s_[pos_] == close) {
            ++pos_;
            Put(std::string_view(&close, 1));
            return true;
        }
        for (bool first = true; !out_.Cut(); first = false) {
            if (!first) {
                Blanks();
                if (pos_ >= s_.size())
                    return false;
                if (s_[pos_] == close)
                    break;
                if (s_[pos_] != ',')
                    return false;
                ++pos_;
                Put(",");
            }
            NewLine(depth + 1);
            if (object) {
                Blanks();
                if (pos_ >= s_.size() || s_[pos_] != '"' || !String())
                    return false;
                Blanks();
                if (pos_ >= s_.size() || s_[pos_] != ':')
                    return false;
                ++pos_;
                Put(indent_ > 0 ? ": " : ":");
            }
            if (!Value(depth + 1))
                return false;
        }
        if (out_.Cut())
            return true;
        ++pos_;
        NewLine(depth);
        Put(std::string_view(&close, 1));
        return true;
    }

    bool String() {
        const std::size_t start = pos_++;
        while (pos_ < s_.size()) {
            const auto c = static_cast<unsigned char>(s_[pos_]);
            if (c == '"') {
                ++pos_;
                Put(s_.substr(start, pos_ - start));
                return true;
            }
            if (c < 0x20)
                return false;
            if (c == '\\') {
                if (++pos_ >= s_.size())
                    return false;
                const char e = s_[pos_];
                if (e == 'u') {
                    for (int k = 1; k <= 4; ++k) {
                        if (pos_ + k >= s_.size() ||
                            !std::isxdigit(static_cast<unsigned char>(s_[pos_ + k])))
                            return false;
                    }
                    pos_ += 4;
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
            }
            ++pos_;
        }
        return false;
    }

    bool Word(std::string_view word) {
        if (s_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        Put(word);
        return true;
    }

    bool Number() {
        const std::size_t start = pos_;
        if (pos_ < s_.size() && s_[pos_] == '-')
            ++pos_;
        if (pos_ >= s_.size() || !IsDigit(s_[pos_]))
            return false;
        if (s_[pos_] == '0')
            ++pos_;
        else
            while (pos_ < s_.size() && IsDigit(s_[pos_]))
                ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            if (pos_ >= s_.size() || !IsDigit(s_[pos_]))
                return false;
            while (pos_ < s_.size() && IsDigit(s_[pos_]))
                ++pos_;
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-'))
                ++pos_;
            if (pos_ >= s_.size() || !IsDigit(s_[pos_]))
                return false;
            while (pos_ < s_.size() && IsDigit(s_[pos_]))
                ++pos_;
        }
        Put(s_.substr(start, pos_ - start));
        return true;
    }

    std::string_view s_;
    int indent_;
    std::size_t pos_ = 0;
    CappedText out_;
};

} // namespace

std::optional<JsonText> CompactJson(std::string_view text, std::size_t maxBytes) {
    Writer w(text, maxBytes, 0);
    if (!w.Document())
        return std::nullopt;
    JsonText result;
    result.cut = w.Cut();
    result.text = w.Take();
    return result;
}

std::optional<std::string> IndentJson(std::string_view text, int indent) {
    Writer w(text, SIZE_MAX, indent);
    if (!w.Document())
        return std::nullopt;
    return w.Take();
}
