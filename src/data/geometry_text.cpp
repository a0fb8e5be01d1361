#include "data/geometry_text.h"

#include "data/text_utils.h"

#include <charconv>
#include <cstring>

namespace {

enum WkbType : std::uint32_t {
    kPoint = 1,
    kLineString = 2,
    kPolygon = 3,
    kMultiPoint = 4,
    kMultiLineString = 5,
    kMultiPolygon = 6,
    kCollection = 7,
};

constexpr int kMaxDepth = 16;
constexpr std::size_t kPointBytes = 16;
constexpr std::size_t kHeaderBytes = 5; // byte order and type

const char* TypeName(std::uint32_t type) {
    switch (type) {
    case kPoint:
        return "POINT";
    case kLineString:
        return "LINESTRING";
    case kPolygon:
        return "POLYGON";
    case kMultiPoint:
        return "MULTIPOINT";
    case kMultiLineString:
        return "MULTILINESTRING";
    case kMultiPolygon:
        return "MULTIPOLYGON";
    case kCollection:
        return "GEOMETRYCOLLECTION";
    default:
        return nullptr;
    }
}

class Decoder {
public:
    Decoder(std::string_view bytes, std::size_t limit) : bytes_(bytes), out_(limit) {}

    // One geometry with its header; false when the bytes are not one.
    bool Geometry(int depth, std::uint32_t expected = 0) {
        if (depth > kMaxDepth || !Header())
            return false;
        const std::uint32_t type = type_;
        if (expected != 0 && type != expected)
            return false;
        const char* name = TypeName(type);
        if (!name)
            return false;
        Put(name);
        switch (type) {
        case kPoint:
            Put("(");
            if (!Point())
                return false;
            Put(")");
            return true;
        case kLineString:
            return Points(true);
        case kPolygon:
            return Rings();
        case kMultiPoint:
            return Members(depth, kPoint, false);
        case kMultiLineString:
            return Members(depth, kLineString, false);
        case kMultiPolygon:
            return Members(depth, kPolygon, false);
        default:
            return Members(depth, 0, true);
        }
    }

    bool AtEnd() const { return pos_ == bytes_.size(); }
    bool Cut() const { return out_.Cut(); }
    std::string Take() { return out_.Take(); }

private:
    bool Header() {
        if (bytes_.size() - pos_ < kHeaderBytes)
            return false;
        const auto order = static_cast<unsigned char>(bytes_[pos_]);
        if (order > 1)
            return false;
        little_ = order == 1;
        ++pos_;
        return UInt(type_);
    }

    bool UInt(std::uint32_t& v) {
        if (bytes_.size() - pos_ < 4)
            return false;
        v = 0;
        for (int k = 0; k < 4; ++k) {
            const auto b = static_cast<unsigned char>(bytes_[pos_ + (little_ ? 3 - k : k)]);
            v = (v << 8) | b;
        }
        pos_ += 4;
        return true;
    }

    bool Double(double& d) {
        if (bytes_.size() - pos_ < 8)
            return false;
        std::uint64_t bits = 0;
        for (int k = 0; k < 8; ++k) {
            const auto b = static_cast<unsigned char>(bytes_[pos_ + (little_ ? 7 - k : k)]);
            bits = (bits << 8) | b;
        }
        std::memcpy(&d, &bits, sizeof d);
        pos_ += 8;
        return true;
    }

    // A count of items of at least minBytes each that the remaining bytes can hold.
    bool Count(std::uint32_t& n, std::size_t minBytes) {
        return UInt(n) && n <= (bytes_.size() - pos_) / minBytes;
    }

    bool Point() {
        double x = 0, y = 0;
        if (!Double(x) || !Double(y))
            return false;
        Put(CoordinateText(x));
        Put(" ");
        Put(CoordinateText(y));
        return true;
    }

    // A counted run of items in parentheses, each written by item (false when it is broken);
    // withEmpty writes " EMPTY" for none. minItemBytes is the least one item takes.
    template <typename Item> bool List(std::size_t minItemBytes, bool withEmpty, Item item) {
        std::uint32_t n = 0;
        if (!Count(n, minItemBytes))
            return false;
        if (n == 0 && withEmpty) {
            Put(" EMPTY");
            return true;
        }
        Put("(");
        for (std::uint32_t i = 0; i < n && !out_.Cut(); ++i) {
            if (i)
                Put(",");
            if (!item())
                return false;
        }
        Put(")");
        return true;
    }

    bool Points(bool withEmpty) {
        return List(kPointBytes, withEmpty, [this] { return Point(); });
    }

    bool Rings() {
        return List(4, true, [this] { return Points(false); });
    }

    // The members of a multi- geometry or a collection, each with a header of its own. Members of
    // a multi- geometry are written without their type name (points without parentheses too).
    bool Members(int depth, std::uint32_t memberType, bool named) {
        return List(kHeaderBytes, true, [&] {
            if (named)
                return Geometry(depth + 1);
            if (!Header() || type_ != memberType)
                return false;
            return memberType == kPoint        ? Point()
                   : memberType == kLineString ? Points(false)
                                               : Rings();
        });
    }

    void Put(std::string_view piece) { out_.Put(piece); }

    std::string_view bytes_;
    std::size_t pos_ = 4; // after the spatial reference id
    bool little_ = true;
    std::uint32_t type_ = 0;
    CappedText out_;
};

} // namespace

std::string CoordinateText(double value) {
    if (value == 0)
        return "0"; // also -0
    char sci[64];
    const auto r = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
    if (r.ec != std::errc())
        return "0";
    const std::string_view s(sci, static_cast<std::size_t>(r.ptr - sci));
    const std::size_t e = s.find('e');
    if (e == std::string_view::npos)
        return std::string(s); // inf, nan
    const bool negative = s.front() == '-';
    std::string digits;
    for (char c : s.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += c;
    int exponent = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), exponent);
    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -15) {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        return out + "e" + std::to_string(exponent);
    }
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        return out + digits;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole)
        return out + digits + std::string(whole - digits.size(), '0');
    return out + digits.substr(0, whole) + "." + digits.substr(whole);
}

std::optional<GeometryText> DecodeGeometry(std::string_view value, std::size_t maxTextBytes) {
    if (value.size() < 4 + kHeaderBytes)
        return std::nullopt;
    Decoder decoder(value, maxTextBytes);
    if (!decoder.Geometry(0))
        return std::nullopt;
    GeometryText result;
    result.cut = decoder.Cut();
    // A text cut short stops reading there; a whole one must use every byte.
    if (!result.cut && !decoder.AtEnd())
        return std::nullopt;
    for (int k = 3; k >= 0; --k)
        result.srid = (result.srid << 8) | static_cast<unsigned char>(value[k]);
    result.text = decoder.Take();
    return result;
}
