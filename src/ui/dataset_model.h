// A table model over a dataset: one column per field (titled with the field's name), one row per
// view row of the dataset (the visible rows read so far), values as the fields' display text. The
// model reads rows by record number without moving the dataset's cursor, and only the rows a view
// asks for: while the dataset has more rows to read, the view grows through canFetchMore/fetchMore
// as it scrolls.
//
// It follows the dataset through its change notifications: a new row or a row being inserted shows
// at once, the row being edited shows the edited values, and currentRowChanged tells the view which
// row is current.
#pragma once

#include "data/dataset.h"

#include <QAbstractTableModel>

#include <functional>

class TDataSetModel : public QAbstractTableModel, private DataSetObserver {
    Q_OBJECT
public:
    // Data roles beside the standard ones.
    enum Role {
        IsNullRole = Qt::UserRole + 1, // bool: the value is NULL
    };
    // Rows read at a time when a view asks for more.
    static constexpr int kFetchBatch = 256;
    // Display texts are cut after this many bytes (the editor gets the whole value).
    static constexpr int kMaxDisplayBytes = 2048;

    explicit TDataSetModel(QObject* parent = nullptr);
    ~TDataSetModel() override;

    TDataSet* dataSet() const { return dataSet_; }
    void setDataSet(TDataSet* dataSet);

    // The model row of the dataset's current record (-1 when there is none).
    int currentRow() const { return currentRow_; }
    // The record number a model row shows (0 for the row being inserted). Model rows are the
    // dataset's view rows, with the row being inserted among them.
    std::int64_t recNoOfRow(int row) const;
    // The dataset's view row a model row shows (0 for the row being inserted).
    std::int64_t viewRowOf(int row) const;
    // Moves the dataset to the record of a model row (a pending edit is finished first; a failure
    // is shown to the operator and the dataset stays where it was). Answers whether it moved.
    bool moveToRow(int row);
    // True while rows are being added or removed: a view's current row moving meanwhile is the
    // view's doing, not the operator's.
    bool rowsChanging() const { return rowsChanging_; }
    // Runs a dataset operation for a control; a failure is shown to the operator (the dataset's
    // text) and loses nothing. Answers whether it succeeded.
    bool perform(const std::function<void()>& operation) { return guarded(operation); }
    // The value a cell shows (the edited value in the row being edited); valid until rows change.
    // A row that cannot be read raises.
    ValueView cellValue(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // The dataset's current record is shown in another row now (-1: none).
    void currentRowChanged(int row);
    // A cell's text was refused as a value of its column (after the message was shown); the
    // view may offer the text again for correction.
    void valueRefused(const QModelIndex& index, const QString& text);
    // More rows can be read without waiting (rows streamed in; those the dataset read already
    // are rows of the model by now): a view whose last row shows asks for them.
    void rowsArrived();

private:
    void DataSetEvent(TDataSet& dataSet, DataEvent event, TField* field) override;
    void reset();
    // Shows rows streamed in (those the dataset read already) and tells the view that more wait.
    void rowsCameIn();
    // Grows or shrinks the rows to what the dataset has read.
    void syncRows();
    // Makes sure the current record is among the rows and records its row.
    void followCurrent();
    void setInsertRow(bool inserting);
    void emitRowChanged(int row);
    ValueView valueAt(int row, int column) const;
    bool editing() const;
    // Whether the cell editor may write the cell's value from a text.
    bool textEditable(const QModelIndex& index) const;
    // Runs a dataset operation; a failure is shown to the operator. Answers whether it succeeded.
    bool guarded(const std::function<void()>& operation);
    // The dataset's view row count, or `fallback` when asking raises: the failure is shown to the
    // operator once the view has finished what it is doing (no exception leaves a handler of
    // the view).
    std::int64_t viewRowCount(std::int64_t fallback) const;
    void reportLater(const std::exception& error) const;

    TDataSet* dataSet_ = nullptr;
    int rows_ = 0;       // rows of the dataset shown
    int insertRow_ = -1; // the row standing for the record being inserted, or -1
    int currentRow_ = -1;
    bool rowsChanging_ = false;
    mutable bool reportPending_ = false;
    bool arrivalPending_ = false; // rows arrived while a call waited: looked at again soon
    static constexpr int kArrivalRetryMs = 50;
};
