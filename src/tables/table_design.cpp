#include "tables/table_design.h"

#include <algorithm>
#include <cctype>

std::string& DesignRow::cell(int column) {
    return const_cast<std::string&>(static_cast<const DesignRow&>(*this).cell(column));
}

const std::string& DesignRow::cell(int column) const {
    switch (column) {
    case kNameColumn:
        return name;
    case kTypeColumn:
        return type;
    case kSizeColumn:
        return size;
    case kUnsignedColumn:
        return isUnsigned;
    case kIndexColumn:
        return index;
    case kRequiredColumn:
        return required;
    default:
        return defaultValue;
    }
}

std::string NormaliseFlag(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper == "TRUE" || upper == "T" ? "TRUE" : "";
}

bool IsFlagColumn(int column) {
    return column == kUnsignedColumn || column == kIndexColumn || column == kRequiredColumn;
}

bool IsIntegerType(std::string_view type) {
    return type == "TINYINT" || type == "SMALLINT" || type == "MEDIUMINT" || type == "INTEGER" ||
           type == "BIGINT";
}

bool SelectingForcesRequired(const DesignRow& row, int column) {
    if (row.index.empty())
        return false;
    return column == kRequiredColumn || (column == kUnsignedColumn && !IsIntegerType(row.type));
}

std::string RowLabel(int n) {
    return (n < 10 ? "  " : " ") + std::to_string(n) + ".";
}

const std::vector<std::string>& DesignTypes() {
    static const std::vector<std::string> types = {
        "TINYINT",    "SMALLINT",   "MEDIUMINT", "INTEGER",  "BIGINT",   "FLOAT",     "DOUBLE",
        "REAL",       "DECIMAL",    "NUMERIC",   "DATE",     "DATETIME", "TIMESTAMP", "TIME",
        "YEAR",       "CHAR",       "VARCHAR",   "TINYBLOB", "TINYTEXT", "BLOB",      "TEXT",
        "MEDIUMBLOB", "MEDIUMTEXT", "LONGBLOB",  "LONGTEXT"};
    return types;
}

std::vector<std::string> IndexCandidates(const std::vector<DesignRow>& rows) {
    std::vector<std::string> names;
    for (const DesignRow& row : rows)
        if (row.required == "TRUE")
            names.push_back(row.name);
    return names;
}

std::vector<std::string> KeyColumns(const std::vector<DesignRow>& rows) {
    std::vector<std::string> names;
    for (const DesignRow& row : rows)
        if (!row.index.empty() && !row.required.empty())
            names.push_back(row.name);
    return names;
}
