// A read-only grid of a table's structure: a fixed title row (the header) and a fixed number
// column (the row labels "  7.", " 12."). Cell(col, row) reads it as one grid with the title row
// as row 0 and the number column as column 0, the way the structure print writes it.
#pragma once

#include <QStringList>
#include <QTableWidget>

#include <vector>

class StructureGrid : public QTableWidget {
    Q_OBJECT
public:
    // widths: of every column, the number column first.
    StructureGrid(const std::vector<int>& widths, QWidget* parent = nullptr);

    // titles: of columns 1 on; rows: the cells of columns 1 on, one list per row.
    void Fill(const QStringList& titles, const std::vector<QStringList>& rows);

    // Counting the title row and the number column.
    int RowCount() const { return rowCount() + 1; }
    int ColCount() const { return columnCount() + 1; }
    QString Cell(int col, int row) const;

    // The number column's text for data row r (from 1): two blanks before numbers below 10, one
    // from 10 on, so that the numbers line up.
    static QString RowLabel(int r);
};
