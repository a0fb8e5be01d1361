#include "data/server_text.h"
#include "data/text_utils.h"

#include <gtest/gtest.h>

TEST(ServerText, AsciiAndUtf8PassUnchanged) {
    EXPECT_EQ(ConvertServerText("Access denied for user 'x'@'y'"),
              "Access denied for user 'x'@'y'");
    EXPECT_EQ(ConvertServerText(""), "");
    const std::string utf8 = "Tablica \xC4\x8D\xC5\xA1\xC4\x87 ne postoji \xD0\x96";
    EXPECT_EQ(ConvertServerText(utf8), utf8);
}

TEST(ServerText, EightBitTextGoesThroughKoiAndCodePage866) {
    EXPECT_EQ(KoiToOem(0xC1), 0xA0);
    EXPECT_EQ(KoiToOem(0xA4), 0xA4);
    EXPECT_EQ(KoiToOem(0x41), 0x41);
    EXPECT_EQ(KoiToOem(0xFF), 0x9A);
    // KOI8-R 0xC1 is the small a; 866 0xA0 is the same letter, U+0430.
    EXPECT_EQ(ConvertServerText("x\xC1y"), "x\xD0\xB0y");
    // 0xA4 stays 0xA4, which code page 866 reads as U+0434.
    EXPECT_EQ(ConvertServerText("\xA4"), "\xD0\xB4");
    // A whole KOI8-R word: "Ошибка".
    EXPECT_EQ(ConvertServerText("\xEF\xDB\xC9\xC2\xCB\xC1"),
              "\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0");
}

TEST(TextUtils, Utf8ValidityAndCutting) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));        // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));    // surrogate
    EXPECT_FALSE(IsValidUtf8("ab\xE2\x82"));      // cut short
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80")); // U+1F600
    EXPECT_EQ(TruncateUtf8("ab\xC4\x8D", 3), "ab");
    EXPECT_EQ(TruncateUtf8("ab\xC4\x8D", 4), "ab\xC4\x8D");
    EXPECT_EQ(TrimBlanksAndControls("\r\n  text \t\x01"), "text");
}

TEST(TextUtils, JoinedKeepsEveryPartEvenAnEmptyOne) {
    EXPECT_EQ(Joined({}, ','), "");
    EXPECT_EQ(Joined({"a"}, ','), "a");
    EXPECT_EQ(Joined({"a", "b", "c"}, ','), "a,b,c");
    // An empty part still has its separators: "``.b" names table b of a database called "".
    EXPECT_EQ(Joined({"", "b"}, '.'), ".b");
    EXPECT_EQ(Joined({"a", "", ""}, ','), "a,,");
}

TEST(TextUtils, CappedTextKeepsThePieceThatCrossesTheLimitAndNothingAfterIt) {
    CappedText exact(6);
    exact.Put("abc");
    exact.Put("def");
    EXPECT_FALSE(exact.Cut()); // as long as the limit is not over it
    EXPECT_EQ(exact.Take(), "abcdef");

    CappedText over(4);
    over.Put("abc");
    over.Put("def");
    over.Put("ghi");
    EXPECT_TRUE(over.Cut());
    EXPECT_EQ(over.Take(), "abcdef");
}

TEST(TextUtils, AppendUtf8WritesEachLengthOfSequence) {
    std::string out;
    for (char32_t c : {U'a', U'\u00E9', U'\u20AC', U'\U0001F600'})
        AppendUtf8(out, c);
    EXPECT_EQ(out, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}
