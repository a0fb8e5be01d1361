#include "ui/statement_passwords.h"

#include "data/sql_scanner.h"

#include <vector>

namespace {

enum class TokenKind { Word, Quoted, Other };

struct Token {
    TokenKind kind;
    qsizetype start;    // first character (the opening quote of a quoted one)
    qsizetype end;      // one past the last character
    QString word;       // a word in upper case, or the one character of another token
    bool closed = true; // a quoted text has its closing quote
};

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

std::vector<Token> Tokens(const QString& sql) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('#') ||
                   (c == QLatin1Char('-') && sql.mid(i, 2) == QStringLiteral("--") &&
                    (i + 2 >= n || sql[i + 2].isSpace()))) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && sql.mid(i, 2) == QStringLiteral("/*")) {
            const qsizetype close = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = close < 0 ? n : close + 2;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            // Backslashes escape in texts, not in names between backticks.
            bool closed = true;
            const qsizetype end = QuotedTextEnd(sql, i, c != QLatin1Char('`'), &closed);
            tokens.push_back({TokenKind::Quoted, i, end, {}, closed});
            i = end;
        } else if (IsWordChar(c)) {
            qsizetype end = i;
            while (end < n && IsWordChar(sql[end]))
                ++end;
            tokens.push_back({TokenKind::Word, i, end, sql.mid(i, end - i).toUpper()});
            i = end;
        } else {
            tokens.push_back({TokenKind::Other, i, i + 1, QString(c)});
            ++i;
        }
    }
    return tokens;
}

// The value of a quoted text as the server reads it: doubled quotes and backslash escapes undone.
QString Unquoted(const QString& inner, QChar quote) {
    QString value;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] == QLatin1Char('\\') && quote != QLatin1Char('`') && i + 1 < inner.size())
            value += inner[++i];
        else if (inner[i] == quote && i + 1 < inner.size() && inner[i + 1] == quote)
            value += inner[i++];
        else
            value += inner[i];
    }
    return value;
}

class PasswordReader {
public:
    explicit PasswordReader(const QString& sql) : sql_(sql), tokens_(Tokens(sql)) {}

    QStringList Read() {
        bool identified = false; // within an IDENTIFIED clause, where OR may add another one
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            const QString& w = Word(i);
            if (w == QLatin1String("IDENTIFIED") || (identified && w == QLatin1String("OR"))) {
                identified = true;
                Identified(i + 1);
            } else if ((w == QLatin1String("PASSWORD") || w == QLatin1String("OLD_PASSWORD")) &&
                       Is(i + 1, QStringLiteral("("))) {
                Value(i + 2);
            } else if (w == QLatin1String("SET") && Word(i + 1) == QLatin1String("PASSWORD")) {
                std::size_t j = i + 2;
                while (j < tokens_.size() && !Is(j, QStringLiteral("=")) &&
                       !Is(j, QStringLiteral(";")))
                    ++j;
                if (Is(j, QStringLiteral("=")))
                    Value(j + 1);
            } else if (Is(i, QStringLiteral(",")) || Is(i, QStringLiteral(";"))) {
                identified = false;
            }
        }
        return found_;
    }

private:
    QString Word(std::size_t i) const {
        return i < tokens_.size() && tokens_[i].kind == TokenKind::Word ? tokens_[i].word
                                                                        : QString();
    }
    bool Is(std::size_t i, const QString& text) const {
        return i < tokens_.size() && tokens_[i].kind == TokenKind::Other && tokens_[i].word == text;
    }

    // After IDENTIFIED (or OR): [WITH|VIA plugin] BY|USING|AS [PASSWORD] value.
    void Identified(std::size_t j) {
        if (Word(j) == QLatin1String("WITH") || Word(j) == QLatin1String("VIA"))
            j += 2;
        const QString& w = Word(j);
        if (w != QLatin1String("BY") && w != QLatin1String("USING") && w != QLatin1String("AS"))
            return;
        ++j;
        // PASSWORD '…' names a hash.
        if ((Word(j) == QLatin1String("PASSWORD") || Word(j) == QLatin1String("OLD_PASSWORD")) &&
            !Is(j + 1, QStringLiteral("(")))
            ++j;
        // IDENTIFIED BY RANDOM PASSWORD asks the server for one.
        if (Word(j) == QLatin1String("RANDOM") && Word(j + 1) == QLatin1String("PASSWORD"))
            return;
        Value(j);
    }

    // The value that starts at token j: a quoted text, or everything up to a blank, ",", ";" or
    // ")" when the quotes were forgotten.
    void Value(std::size_t j) {
        if (j >= tokens_.size())
            return;
        // PASSWORD('…') and OLD_PASSWORD('…') are read by their own rule.
        if ((Word(j) == QLatin1String("PASSWORD") || Word(j) == QLatin1String("OLD_PASSWORD")) &&
            Is(j + 1, QStringLiteral("(")))
            return;
        const Token& t = tokens_[j];
        if (t.kind == TokenKind::Quoted) {
            const QChar quote = sql_[t.start];
            const qsizetype innerEnd = t.closed ? t.end - 1 : t.end;
            QString inner = sql_.mid(t.start + 1, innerEnd - t.start - 1);
            // An open quote runs to the end of the statement, blanks at its end aside.
            if (!t.closed)
                inner = inner.trimmed();
            Add(inner);
            Add(Unquoted(inner, quote));
            return;
        }
        qsizetype end = t.start;
        while (end < sql_.size() && !sql_[end].isSpace() &&
               !QStringLiteral(",;)").contains(sql_[end]))
            ++end;
        Add(sql_.mid(t.start, end - t.start));
    }

    void Add(const QString& value) {
        if (!value.isEmpty() && !found_.contains(value))
            found_.append(value);
    }

    const QString& sql_;
    std::vector<Token> tokens_;
    QStringList found_;
};

} // namespace

QStringList StatementPasswords(const QString& sql) {
    return PasswordReader(sql).Read();
}
