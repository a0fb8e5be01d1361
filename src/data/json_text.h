// JSON documents written again for reading: compact (no blanks or line breaks between tokens) for
// a grid cell, indented for a viewer. Member order, numbers and strings stay exactly as written
// (escapes included); only the space between tokens changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct JsonText {
    std::string text;
    // The text stopped at the byte limit given: the document was checked only that far.
    bool cut = false;
};

// The compact form of a text that is a JSON object or array (blanks around it allowed); nothing
// when it is not one, or when it is nested deeper than a few hundred levels. The text stops after
// about maxBytes bytes, and only the part read for it is checked then.
std::optional<JsonText> CompactJson(std::string_view text, std::size_t maxBytes = SIZE_MAX);

// The whole document, one member or element a line, indented by `indent` blanks a level; nothing
// when the text is not a JSON object or array.
std::optional<std::string> IndentJson(std::string_view text, int indent = 2);
