// The grids of a transfer's datasets while rows are copied: they do not follow every row (a view
// that follows each posted row costs far more than the row itself). Their models keep track of the
// datasets, but the views hear of it only when Refresh() runs, a few times a second, and once more
// when the hold ends.
#pragma once

#include <QPointer>

#include <vector>

class TDataSource;
class TDBGrid;

class GridsOnHold {
public:
    // Holds every grid of the program's windows that shows one of the data sources.
    explicit GridsOnHold(const std::vector<TDataSource*>& sources);
    // Shows the datasets as they are now and lets the grids follow them again.
    ~GridsOnHold();
    GridsOnHold(const GridsOnHold&) = delete;
    GridsOnHold& operator=(const GridsOnHold&) = delete;

    // Brings the held grids up to date; they stay held.
    void Refresh();

private:
    void Show(TDBGrid& grid);

    std::vector<QPointer<TDBGrid>> grids_;
};
