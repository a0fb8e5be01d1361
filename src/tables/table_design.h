// The definition of a new table as the designer grid holds it, and the rules of its cells. Plain
// C++ without Qt: the designer window reads its grid into DesignRows and asks these functions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Grid columns of the designer: 0 is the row label, data rows start at row 1.
enum DesignColumn {
    kLabelColumn = 0,
    kNameColumn = 1,
    kTypeColumn = 2,
    kSizeColumn = 3,
    kUnsignedColumn = 4,
    kIndexColumn = 5,
    kRequiredColumn = 6,
    kDefaultColumn = 7,
    kDesignColumns = 8
};

// One data row of the grid: one column of the new table. Every cell is text; the flag cells hold
// "TRUE" or nothing.
struct DesignRow {
    std::string name;
    std::string type;
    std::string size;
    std::string isUnsigned;
    std::string index;
    std::string required;
    std::string defaultValue;

    // The cell of a grid column (1 to 7).
    std::string& cell(int column);
    const std::string& cell(int column) const;
};

// The text a flag cell holds: "TRUE" for "TRUE" or "T" in any case, nothing for anything else.
std::string NormaliseFlag(std::string_view text);
// True for the columns whose cells are flags (Unsig., Index, Requ.).
bool IsFlagColumn(int column);
// True for TINYINT, SMALLINT, MEDIUMINT, INTEGER and BIGINT, spelled exactly so.
bool IsIntegerType(std::string_view type);
// True when selecting the given column of row forces its Requ. cell to "TRUE": an indexed row's
// Requ. cell, or its Unsig. cell when the row's type is not an integer type.
bool SelectingForcesRequired(const DesignRow& row, int column);
// The label of data row n (from 1): "  1." up to 9, " 10." from 10 on.
std::string RowLabel(int n);

// The 25 entries of the type menu, in menu order.
const std::vector<std::string>& DesignTypes();

// Field names of the rows whose Requ. cell is exactly "TRUE", in row order: the columns an index
// may be built over.
std::vector<std::string> IndexCandidates(const std::vector<DesignRow>& rows);
// Field names of the rows whose Index and Requ. cells both hold something, in row order: the
// columns of a composite primary key.
std::vector<std::string> KeyColumns(const std::vector<DesignRow>& rows);
