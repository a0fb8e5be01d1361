#include "ui/dataset_model.h"

#include "data/blocking_calls.h"
#include "data/db_error.h"
#include "data/live_errors.h"
#include "data/text_utils.h"
#include "ui/data_errors.h"
#include "ui/prompts.h"
#include "ui/value_display.h"

#include <QColor>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace {

int ClampRows(std::int64_t rows) {
    return static_cast<int>(std::clamp<std::int64_t>(rows, 0, INT_MAX - 1));
}

} // namespace

TDataSetModel::TDataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

TDataSetModel::~TDataSetModel() {
    WatchDataSet(this, dataSet_, nullptr);
}

void TDataSetModel::setDataSet(TDataSet* dataSet) {
    if (WatchDataSet(this, dataSet_, dataSet))
        reset();
}

bool TDataSetModel::editing() const {
    return dataSet_ &&
           (dataSet_->State() == DataSetState::Edit || dataSet_->State() == DataSetState::Insert);
}

bool TDataSetModel::guarded(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const std::exception& e) {
        prompts().message(DataErrorText(e), PromptIcon::Error);
    }
    // Whatever the dataset managed before it failed is shown, and the view goes back to its row.
    syncRows();
    emit currentRowChanged(currentRow_);
    return false;
}

std::int64_t TDataSetModel::viewRowCount(std::int64_t fallback) const {
    if (!dataSet_ || !dataSet_->Active())
        return 0;
    try {
        return dataSet_->ViewRowCount();
    } catch (const std::exception& e) {
        reportLater(e);
        return fallback;
    }
}

void TDataSetModel::reportLater(const std::exception& error) const {
    if (reportPending_)
        return; // one failure at a time
    reportPending_ = true;
    const QString text = DataErrorText(error);
    QTimer::singleShot(0, const_cast<TDataSetModel*>(this), [this, text] {
        reportPending_ = false;
        prompts().message(text, PromptIcon::Error);
    });
}

void TDataSetModel::reset() {
    rowsChanging_ = true;
    beginResetModel();
    rows_ = ClampRows(viewRowCount(0));
    insertRow_ = -1;
    currentRow_ = -1;
    endResetModel();
    rowsChanging_ = false;
    if (dataSet_ && dataSet_->State() == DataSetState::Insert)
        setInsertRow(true);
    else
        followCurrent();
}

void TDataSetModel::syncRows() {
    const int target = ClampRows(viewRowCount(rows_));
    if (target == rows_)
        return;
    // The row being inserted stays where it is unless it is the last one; then rows read meanwhile
    // come before it.
    const bool insertInside = insertRow_ >= 0 && insertRow_ < rows_;
    const int tail = rows_ + (insertInside ? 1 : 0);
    if (target > rows_) {
        rowsChanging_ = true;
        beginInsertRows({}, tail, tail + target - rows_ - 1);
        if (insertRow_ >= 0 && !insertInside)
            insertRow_ += target - rows_;
        rows_ = target;
        endInsertRows();
        rowsChanging_ = false;
    } else {
        const int first = tail - (rows_ - target);
        rowsChanging_ = true;
        beginRemoveRows({}, first, tail - 1);
        if (insertRow_ >= 0 && !insertInside)
            insertRow_ = target;
        rows_ = target;
        endRemoveRows();
        rowsChanging_ = false;
    }
}

void TDataSetModel::followCurrent() {
    const int before = currentRow_;
    int row = -1;
    if (dataSet_ && dataSet_->Active()) {
        if (insertRow_ >= 0) {
            row = insertRow_;
        } else {
            std::int64_t viewRow = 0;
            guarded([&] {
                const std::int64_t recNo = dataSet_->RecNo();
                if (recNo > dataSet_->RowsRead())
                    dataSet_->ReadRowsUpTo(recNo);
                viewRow = dataSet_->RecNoToViewRow(recNo);
            });
            syncRows();
            if (viewRow >= 1 && viewRow <= rows_)
                row = static_cast<int>(viewRow - 1);
        }
    }
    currentRow_ = row;
    if (before != row) {
        if (before >= 0 && before < rowCount())
            emit headerDataChanged(Qt::Vertical, before, before);
        if (row >= 0)
            emit headerDataChanged(Qt::Vertical, row, row);
    }
    emit currentRowChanged(row);
}

void TDataSetModel::setInsertRow(bool inserting) {
    if (inserting && insertRow_ < 0) {
        int pos = dataSet_->Appending() ? rows_ : std::clamp(currentRow_, 0, rows_);
        rowsChanging_ = true;
        beginInsertRows({}, pos, pos);
        insertRow_ = pos;
        endInsertRows();
        rowsChanging_ = false;
        followCurrent();
    } else if (!inserting && insertRow_ >= 0) {
        rowsChanging_ = true;
        beginRemoveRows({}, insertRow_, insertRow_);
        insertRow_ = -1;
        endRemoveRows();
        rowsChanging_ = false;
        followCurrent();
    }
}

void TDataSetModel::emitRowChanged(int row) {
    if (row < 0 || row >= rowCount() || columnCount() == 0)
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
}

void TDataSetModel::DataSetEvent(TDataSet& dataSet, DataEvent event, TField* field) {
    switch (event) {
    case DataEvent::ActiveChanged:
        reset();
        break;
    case DataEvent::Scrolled:
        followCurrent();
        break;
    case DataEvent::StateChanged:
        setInsertRow(dataSet.State() == DataSetState::Insert);
        emitRowChanged(currentRow_);
        break;
    case DataEvent::DataSetChanged:
        syncRows();
        if (rowCount() > 0 && columnCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        followCurrent();
        break;
    case DataEvent::FieldChanged:
        if (field && currentRow_ >= 0) {
            const QModelIndex i = index(currentRow_, static_cast<int>(field->Index()));
            emit dataChanged(i, i);
        }
        break;
    case DataEvent::RowsArrived:
        rowsCameIn();
        break;
    case DataEvent::Destroying:
        dataSet.RemoveObserver(this);
        dataSet_ = nullptr;
        reset();
        break;
    }
}

void TDataSetModel::rowsCameIn() {
    // While a call waits for the rest (the last row, a statement on the connection), the rows
    // show once it is over.
    if (BlockingCallRunning()) {
        if (!arrivalPending_) {
            arrivalPending_ = true;
            QTimer::singleShot(kArrivalRetryMs, this, [this] {
                arrivalPending_ = false;
                if (dataSet_ && dataSet_->Active())
                    rowsCameIn();
            });
        }
        return;
    }
    syncRows();
    emit rowsArrived();
}

std::int64_t TDataSetModel::viewRowOf(int row) const {
    if (insertRow_ >= 0) {
        if (row == insertRow_)
            return 0;
        if (row > insertRow_)
            return row;
    }
    return std::int64_t(row) + 1;
}

std::int64_t TDataSetModel::recNoOfRow(int row) const {
    const std::int64_t viewRow = viewRowOf(row);
    return viewRow > 0 && dataSet_ ? dataSet_->ViewRowToRecNo(viewRow) : 0;
}

bool TDataSetModel::moveToRow(int row) {
    if (!dataSet_ || !dataSet_->Active() || row < 0 || row >= rowCount())
        return false;
    if (row == currentRow_)
        return true;
    const std::int64_t viewRow = viewRowOf(row);
    std::int64_t recNo = 0;
    if (!guarded([&] { recNo = recNoOfRow(row); }) || recNo == 0)
        return false;
    return guarded([&] {
        // The ends go through First and Last, so that the begin and end flags say so.
        if (viewRow == 1)
            dataSet_->First();
        else if (dataSet_->AllRowsRead() && viewRow == dataSet_->ViewRowCount())
            dataSet_->Last();
        else
            dataSet_->SetRecNo(recNo);
    });
}

int TDataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_ + (insertRow_ >= 0 ? 1 : 0);
}

int TDataSetModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !dataSet_ || !dataSet_->Active())
        return 0;
    return static_cast<int>(dataSet_->FieldCount());
}

ValueView TDataSetModel::valueAt(int row, int column) const {
    TField& field = dataSet_->Field(static_cast<std::size_t>(column));
    if (editing() && row == currentRow_)
        return field.Value(); // the values being edited
    return dataSet_->RowValue(recNoOfRow(row), field.Index());
}

QVariant TDataSetModel::data(const QModelIndex& index, int role) const {
    if (!dataSet_ || !index.isValid() || index.row() >= rowCount() ||
        index.column() >= columnCount())
        return {};
    const TField& field = dataSet_->Field(static_cast<std::size_t>(index.column()));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ForegroundRole:
    case IsNullRole:
        break;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (TraitsOf(field.DataType()).alignment == FieldAlignment::Right
                                        ? Qt::AlignRight
                                        : Qt::AlignLeft));
    default:
        return {};
    }
    try {
        const ValueView value = valueAt(index.row(), index.column());
        if (role == IsNullRole)
            return value.null;
        if (role == Qt::ForegroundRole)
            return value.null ? QVariant(QColor(Qt::gray)) : QVariant();
        if (value.null)
            return role == Qt::DisplayRole ? QStringLiteral("(NULL)") : QString();
        // The editor gets the value exactly as the server has it, the cell its display form.
        if (role == Qt::DisplayRole)
            return CellDisplayText(field, value, kMaxDisplayBytes);
        return QString::fromUtf8(ExactText(field.DataType(), field.IsUnsigned(), value));
    } catch (const std::exception&) {
        return {}; // a row that cannot be read paints empty; reading further reports the error
    }
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !dataSet_ || !dataSet_->Active())
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        return QString::fromStdString(
            dataSet_->Field(static_cast<std::size_t>(section)).FieldName());
    }
    if (section != currentRow_)
        return QString();
    switch (dataSet_->State()) {
    case DataSetState::Edit:
        return QStringLiteral("I");
    case DataSetState::Insert:
        return QStringLiteral("*");
    default:
        return QString(QChar(0x25B6)); // the current row
    }
}

Qt::ItemFlags TDataSetModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !dataSet_)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (dataSet_->CanModify() &&
        !dataSet_->Field(static_cast<std::size_t>(index.column())).ReadOnly && textEditable(index))
        f |= Qt::ItemIsEditable;
    return f;
}

bool TDataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !dataSet_ || !index.isValid() || index.column() >= columnCount())
        return false;
    if (index.row() != currentRow_ && !moveToRow(index.row()))
        return false;
    // Binary bytes and geometries are not written from a text (the cell shows only a summary).
    if (!textEditable(index))
        return false;
    TField& field = dataSet_->Field(static_cast<std::size_t>(index.column()));
    const QString text = value.toString();
    // An emptied cell of a number, date or time means NULL; text keeps its empty value.
    const bool toNull = text.isEmpty() && !IsTextType(field.DataType());
    if (!editing()) {
        // A commit of an untouched cell leaves the row in browse state (and a NULL stays NULL).
        bool unchanged = false;
        if (!guarded([&] {
                const ValueView old = field.Value();
                unchanged =
                    old.null ? text.isEmpty()
                             : !toNull && text == QString::fromUtf8(ExactText(
                                                      field.DataType(), field.IsUnsigned(), old));
            }))
            return false;
        if (unchanged)
            return true;
    }
    bool refused = false;
    const bool set = guarded([&] {
        if (!editing())
            dataSet_->Edit();
        if (toNull) {
            field.Clear();
            return;
        }
        try {
            field.SetAsString(text.toStdString());
        } catch (const ENotAValue&) {
            refused = true;
            throw;
        }
    });
    if (refused)
        emit valueRefused(index, text);
    return set;
}

ValueView TDataSetModel::cellValue(const QModelIndex& index) const {
    if (!dataSet_ || !index.isValid() || index.row() >= rowCount() ||
        index.column() >= columnCount())
        return {};
    return valueAt(index.row(), index.column());
}

bool TDataSetModel::textEditable(const QModelIndex& index) const {
    try {
        return EditableAsText(dataSet_->Field(static_cast<std::size_t>(index.column())),
                              cellValue(index));
    } catch (const std::exception&) {
        return true; // a row that cannot be read: editing it reports the error
    }
}

bool TDataSetModel::canFetchMore(const QModelIndex& parent) const {
    if (parent.isValid() || !dataSet_ || !dataSet_->Active())
        return false;
    // While a statement runs beside the window, a view that paints reads no further rows: they
    // could need the connection the statement holds.
    if (BlockingCallRunning())
        return false;
    try {
        return dataSet_->ViewRowCount() > rows_ || !dataSet_->AllRowsRead();
    } catch (const std::exception& e) {
        reportLater(e);
        return false;
    }
}

void TDataSetModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    if (guarded([&] { dataSet_->ReadViewRowsUpTo(std::int64_t(rows_) + kFetchBatch); }))
        syncRows();
}
