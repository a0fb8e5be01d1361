#include "transfer/grid_hold.h"

#include "ui/data_source.h"
#include "ui/db_grid.h"

#include <QApplication>

#include <algorithm>

GridsOnHold::GridsOnHold(const std::vector<TDataSource*>& sources) {
    for (QWidget* window : QApplication::topLevelWidgets())
        for (TDBGrid* grid : window->findChildren<TDBGrid*>())
            if (grid->dataSource() &&
                std::find(sources.begin(), sources.end(), grid->dataSource()) != sources.end()) {
                grids_.emplace_back(grid);
                grid->dataModel()->blockSignals(true);
            }
}

GridsOnHold::~GridsOnHold() {
    for (const QPointer<TDBGrid>& grid : grids_)
        if (grid) {
            Show(*grid);
            grid->dataModel()->blockSignals(false);
        }
}

void GridsOnHold::Refresh() {
    for (const QPointer<TDBGrid>& grid : grids_)
        if (grid) {
            Show(*grid);
            grid->dataModel()->blockSignals(true);
        }
}

void GridsOnHold::Show(TDBGrid& grid) {
    // The view missed the rows' changes: it reads the model again from the start, which follows
    // the dataset's current row.
    TDataSetModel* model = grid.dataModel();
    TDataSource* source = grid.dataSource();
    model->blockSignals(true);
    model->setDataSet(nullptr);
    model->blockSignals(false);
    model->setDataSet(source ? source->DataSet() : nullptr);
}
