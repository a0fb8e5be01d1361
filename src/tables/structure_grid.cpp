#include "tables/structure_grid.h"

#include <QHeaderView>

#include <algorithm>

namespace {
constexpr int kRowHeight = 18;
}

StructureGrid::StructureGrid(const std::vector<int>& widths, QWidget* parent)
    : QTableWidget(0, static_cast<int>(widths.size()) - 1, parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    // The designed width of the number column, or what " 99." needs in the font in use.
    const int labels =
        verticalHeader()->fontMetrics().horizontalAdvance(QStringLiteral(" 99.")) + 8;
    verticalHeader()->setFixedWidth(std::max(widths.front(), labels));
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 1; c < static_cast<int>(widths.size()); ++c)
        setColumnWidth(c - 1, widths[static_cast<std::size_t>(c)]);
}

void StructureGrid::Fill(const QStringList& titles, const std::vector<QStringList>& rows) {
    clearContents();
    setHorizontalHeaderLabels(titles);
    setRowCount(static_cast<int>(rows.size()));
    QStringList labels;
    for (int r = 0; r < rowCount(); ++r) {
        labels.append(RowLabel(r + 1));
        const QStringList& cells = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < columnCount(); ++c)
            setItem(r, c, new QTableWidgetItem(cells.value(c)));
    }
    setVerticalHeaderLabels(labels);
}

QString StructureGrid::Cell(int col, int row) const {
    if (row == 0) {
        const QTableWidgetItem* title = col == 0 ? nullptr : horizontalHeaderItem(col - 1);
        return title ? title->text() : QString();
    }
    if (col == 0)
        return RowLabel(row);
    const QTableWidgetItem* cell = item(row - 1, col - 1);
    return cell ? cell->text() : QString();
}

QString StructureGrid::RowLabel(int r) {
    return (r < 10 ? QStringLiteral("  ") : QStringLiteral(" ")) + QString::number(r) +
           QLatin1Char('.');
}
