// The readable forms of values: geometries as the server writes their text, JSON compact and
// indented, the bytes of binary values. Geometries and JSON come from the test server, which also
// says what their text must be.
#include "data/geometry_text.h"
#include "data/json_text.h"
#include "data/value_bytes.h"
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

std::string Unhex(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

TEST(GeometryText, DecodesWhatTheServerSendsAsItsOwnText) {
    testserver::RootConnection root;
    const char* const kGeometries[] = {
        "POINT(1 2)",
        "POINT(-0.1 123456789.125)",
        "POINT(1e21 0.00000001)",
        "LINESTRING(0 0,1.5 2,3 -4)",
        "POLYGON((0 0,10 0,10 10,0 10,0 0))",
        "POLYGON((0 0,10 0,10 10,0 10,0 0),(2 2,3 2,3 3,2 2))",
        "MULTIPOINT(1 1,2 2)",
        "MULTILINESTRING((0 0,1 1),(2 2,3 3))",
        "MULTIPOLYGON(((0 0,1 0,1 1,0 0)),((5 5,6 5,6 6,5 5)))",
        "GEOMETRYCOLLECTION(POINT(1 1),LINESTRING(0 0,1 1),MULTIPOINT(2 2,3 3))",
        "GEOMETRYCOLLECTION EMPTY",
    };
    for (const char* wkt : kGeometries) {
        const std::string literal = std::string("ST_GeomFromText('") + wkt + "')";
        const std::string hex = root.Value("SELECT HEX(" + literal + ")");
        const std::string text = root.Value("SELECT ST_AsText(" + literal + ")");
        const auto decoded = DecodeGeometry(Unhex(hex));
        ASSERT_TRUE(decoded) << wkt;
        EXPECT_EQ(decoded->text, text);
        EXPECT_EQ(decoded->srid, 0u);
        EXPECT_FALSE(decoded->cut);
    }
    // Every shorter piece of a geometry is refused; damaged bytes never read outside the value.
    const std::string collection = Unhex(
        root.Value("SELECT HEX(ST_GeomFromText('GEOMETRYCOLLECTION(POLYGON((0 0,1 0,1 1,0 0)),"
                   "MULTIPOINT(1 1,2 2),MULTILINESTRING((0 0,1 1)))'))"));
    ASSERT_TRUE(DecodeGeometry(collection));
    for (std::size_t n = 0; n < collection.size(); ++n)
        EXPECT_FALSE(DecodeGeometry(collection.substr(0, n))) << n;
    for (std::size_t i = 4; i < collection.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            std::string damaged = collection;
            damaged[i] = static_cast<char>(damaged[i] ^ (1 << bit));
            (void)DecodeGeometry(damaged);
        }
    }

    const auto withSrid =
        DecodeGeometry(Unhex(root.Value("SELECT HEX(ST_GeomFromText('POINT(15 45)', 4326))")));
    ASSERT_TRUE(withSrid);
    EXPECT_EQ(withSrid->srid, 4326u);
    EXPECT_EQ(withSrid->text, "POINT(15 45)");
}

TEST(GeometryText, ReadsBothByteOrdersAndRefusesWhatIsNotOneGeometry) {
    // SRID 0, then big-endian LINESTRING of two points.
    std::string big("\0\0\0\0\0\0\0\0\2\0\0\0\2", 13);
    const std::string one("\x3F\xF0\0\0\0\0\0\0", 8), two("\x40\0\0\0\0\0\0\0", 8);
    big += one + two + two + one;
    const auto decoded = DecodeGeometry(big);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->text, "LINESTRING(1 2,2 1)");

    EXPECT_FALSE(DecodeGeometry(big.substr(0, big.size() - 1))); // a point short
    EXPECT_FALSE(DecodeGeometry(big + "x"));                     // bytes left over
    std::string huge = big;
    huge[12] = '\x7F'; // a count far beyond the bytes
    EXPECT_FALSE(DecodeGeometry(huge));
    std::string unknown = big;
    unknown[8] = '\x09';
    EXPECT_FALSE(DecodeGeometry(unknown));
    std::string order = big;
    order[4] = '\x02';
    EXPECT_FALSE(DecodeGeometry(order));
    EXPECT_FALSE(DecodeGeometry(std::string("\0\0\0", 3)));
    EXPECT_FALSE(DecodeGeometry("plain text, not a geometry"));

    // Collections inside collections deeper than the limit are refused, not followed.
    std::string deep(4, '\0');
    for (int i = 0; i < 40; ++i)
        deep += std::string("\1\7\0\0\0\1\0\0\0", 9);
    EXPECT_FALSE(DecodeGeometry(deep));

    // A long text stops at the limit; the cut is told.
    std::string many("\0\0\0\0\1\2\0\0\0\xE8\3\0\0", 13);
    const std::string littleOne(one.rbegin(), one.rend()), littleTwo(two.rbegin(), two.rend());
    for (int i = 0; i < 1000; ++i)
        many += littleOne + littleTwo;
    const auto cut = DecodeGeometry(many, 100);
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->cut);
    EXPECT_LE(cut->text.size(), 110u);
    EXPECT_EQ(cut->text.rfind("LINESTRING(1 2,1 2,", 0), 0u);
}

TEST(JsonText, CompactsAsTheServerDoesAndIndentsKeepingOrder) {
    testserver::RootConnection root;
    const char* const kDocuments[] = {
        R"({ "b" : 1,  "a": [1, 2.50, -3e10, true, false, null], "s": "x \" y\\n\u0161" })",
        "[ ]",
        " {\n\t\"nested\": {\"deeper\": [{}, []]}\r\n} ",
    };
    for (const char* doc : kDocuments) {
        const std::string literal = "CONVERT(X'" + Hex(doc) + "' USING utf8mb4)";
        const auto compact = CompactJson(doc);
        ASSERT_TRUE(compact) << doc;
        EXPECT_FALSE(compact->cut);
        EXPECT_EQ(compact->text, root.Value(std::string("SELECT JSON_COMPACT(") + literal + ")"));
    }
    EXPECT_EQ(*IndentJson(R"({"b":1,"a":[1,{"c":null}],"e":{}})"), "{\n"
                                                                   "  \"b\": 1,\n"
                                                                   "  \"a\": [\n"
                                                                   "    1,\n"
                                                                   "    {\n"
                                                                   "      \"c\": null\n"
                                                                   "    }\n"
                                                                   "  ],\n"
                                                                   "  \"e\": {}\n"
                                                                   "}");

    for (const char* notJson :
         {"", "plain text", "42", "\"a string\"", "{\"a\":}", "[1,]", "{\"a\":1} extra", "[01]",
          "{'a':1}", "[1 2]", "{\"a\" 1}", "[\"tab\there\"]", "[tru]", "{"})
        EXPECT_FALSE(CompactJson(notJson)) << notJson;
    EXPECT_FALSE(IndentJson(std::string(1000, '[') + std::string(1000, ']')));

    const auto cut = CompactJson("[" + std::string(300, '1') + ", 2, 3]", 100);
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->cut);
}

TEST(ValueBytes, TellsTextFormatsAndHex) {
    EXPECT_TRUE(IsReadableText("plain\ttext\r\nwith \xC5\xA1"));
    EXPECT_FALSE(IsReadableText(std::string("nul\0", 4)));
    EXPECT_FALSE(IsReadableText("\xC3\x28 invalid"));
    EXPECT_FALSE(IsReadableText("bell\x07"));

    EXPECT_EQ(FileFormatOf("\x89PNG\r\n\x1A\n...."), FileFormat::Png);
    EXPECT_EQ(FileFormatOf("\xFF\xD8\xFF\xE0"), FileFormat::Jpeg);
    EXPECT_EQ(FileFormatOf("GIF89a"), FileFormat::Gif);
    EXPECT_EQ(FileFormatOf("RIFF\1\2\3\4WEBPVP8 "), FileFormat::WebP);
    EXPECT_EQ(FileFormatOf("%PDF-1.7"), FileFormat::Pdf);
    EXPECT_EQ(FileFormatOf("PNG"), FileFormat::None);
    EXPECT_TRUE(IsImageFormat(FileFormat::Gif));
    EXPECT_FALSE(IsImageFormat(FileFormat::Zip));

    EXPECT_EQ(HexBytes(std::string("\0\x7F\xFF", 3)), "007FFF");
    EXPECT_EQ(HexBytes("AB", ' '), "41 42");
    std::string bytes;
    for (int i = 0; i < 20; ++i)
        bytes += static_cast<char>(0x3A + i);
    EXPECT_EQ(HexDump(bytes), "00000000  3A 3B 3C 3D 3E 3F 40 41  42 43 44 45 46 47 48 49  "
                              ":;<=>?@ABCDEFGHI\n"
                              "00000010  4A 4B 4C 4D" +
                                  std::string(39, ' ') + "JKLM\n");
    EXPECT_EQ(HexDump(std::string("\0\x80", 2)).substr(60), "..\n");
}

} // namespace
