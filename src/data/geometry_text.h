// The well-known text of a geometry value as the server sends it: four bytes of spatial reference
// id (little-endian) followed by the well-known binary form. Points, line strings, polygons, their
// multi- forms and collections are decoded, in either byte order, in the text form the server's
// ST_AsText writes ("POINT(1 2)", "MULTIPOINT(1 1,2 2)", "GEOMETRYCOLLECTION EMPTY").
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct GeometryText {
    std::uint32_t srid = 0;
    std::string text;
    // The text stopped at the byte limit given; the value itself was read whole and is well formed.
    bool cut = false;
};

// The text of a geometry value; nothing when the bytes are not exactly one well-formed geometry
// (too short, an unknown type, a count beyond the bytes, bytes left over, nesting deeper than a
// few levels). The text stops after about maxTextBytes bytes (cut is set then).
std::optional<GeometryText> DecodeGeometry(std::string_view value,
                                           std::size_t maxTextBytes = SIZE_MAX);

// A coordinate as the geometry texts write it: the shortest digits that read back as the same
// number, without an exponent unless the number is very large or very small.
std::string CoordinateText(double value);
