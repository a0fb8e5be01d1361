// The data grid: a table view of the dataset behind a data source. Its current row and the
// dataset's current record follow each other both ways; cells are edited through the dataset's
// edit state. While the dataset has unread rows the grid grows as it is scrolled; Ctrl+End reads
// them all and goes to the last row, Ctrl+Home goes back to the first. A double click on a value
// that a cell cannot show whole (bytes, an image, a geometry, JSON, long text) opens it in the
// value viewer, and Ctrl+Enter opens any cell's value there.
#pragma once

#include "ui/data_source.h"
#include "ui/dataset_model.h"

#include <QPointer>
#include <QTableView>

class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget* parent = nullptr);

    TDataSource* dataSource() const { return source_; }
    void setDataSource(TDataSource* source);
    TDataSetModel* dataModel() const { return model_; }
    // Moves to the cell's row and shows its value in the value viewer (modal); false when the
    // row could not be made current.
    bool viewValue(const QModelIndex& index);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void bindDataSet();
    void showCurrentRow(int row);
    void sizeColumns();
    // Reads the rows that arrived when the last row is in sight (as the view does on scrolling).
    void readArrivedRows();
    int currentColumn() const;

    QPointer<TDataSource> source_;
    TDataSetModel* model_;
    bool following_ = false; // the view is being moved to the dataset's row
    bool moving_ = false;    // the dataset is being moved to the view's row
};
