// Quoted values mean the same text in every sql_mode: the server hands back exactly the bytes
// that were quoted.
#include "data/sql_values.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

const std::string kHostile[] = {
    std::string("plain"),
    std::string("it's"),
    std::string("O\"Brien\\"),
    std::string("x') + 100 -- "),
    std::string("a\\'; DROP TABLE t; -- "),
    std::string("line\r\nbreak\nlone\rcr"),
    std::string("nul\0byte", 8),
    std::string("\\\\'\\"),
    std::string("\xC4\x8D\xC4\x87\xC5\xBE \xF0\x9F\x98\x80"),
    std::string("\x1a end"),
};

TEST(QuoteSqlValue, MeansTheSameBytesInEverySqlMode) {
    testserver::RootConnection root;
    for (const char* mode :
         {"", "NO_BACKSLASH_ESCAPES", "ANSI", "ANSI_QUOTES,NO_BACKSLASH_ESCAPES", "ORACLE"}) {
        ASSERT_TRUE(root.Exec(std::string("SET SESSION sql_mode='") + mode + "'"));
        for (const std::string& value : kHostile) {
            const std::string quoted = QuoteSqlValue(root.get(), value);
            EXPECT_EQ(root.Value("SELECT HEX(" + quoted + ")"), Hex(value))
                << "mode " << mode << ", quoted " << quoted;
        }
    }
}

TEST(QuoteSqlValue, KnownModeQuotingMatchesTheServer) {
    testserver::RootConnection root;
    for (bool backslashes : {true, false}) {
        ASSERT_TRUE(root.Exec(backslashes ? "SET SESSION sql_mode='ANSI_QUOTES'"
                                          : "SET SESSION sql_mode='NO_BACKSLASH_ESCAPES'"));
        for (const std::string& value : kHostile)
            EXPECT_EQ(root.Value("SELECT HEX(" + QuoteSqlValue(value, backslashes) + ")"),
                      Hex(value));
    }
}

} // namespace
