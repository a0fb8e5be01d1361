#include "ui/db_grid.h"

#include "ui/prompts.h"
#include "ui/value_display.h"
#include "ui/value_viewer.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPersistentModelIndex>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

namespace {

// Widest and narrowest column at creation, in average characters.
constexpr int kMaxColumnChars = 40;
constexpr int kMinColumnChars = 4;
// A blob or geometry column opens wide enough for a summary such as "(LONGBLOB 12.3 KB, PNG
// image)".
constexpr int kBlobColumnChars = 32;

// Opens a cell's editor with a text given beforehand (the operator's refused text) instead of the
// cell's value, once.
class RetypeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void Offer(const QModelIndex& index, const QString& text) {
        index_ = index;
        text_ = text;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line && index_.isValid() && index == index_) {
            line->setText(text_);
            index_ = QPersistentModelIndex();
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

private:
    mutable QPersistentModelIndex index_;
    QString text_;
};

} // namespace

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), model_(new TDataSetModel(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(model_, &TDataSetModel::currentRowChanged, this, &TDBGrid::showCurrentRow);
    // A text refused as a value stays in the cell, in its editor, to be corrected.
    auto* delegate = new RetypeDelegate(this);
    setItemDelegate(delegate);
    connect(model_, &TDataSetModel::valueRefused, this,
            [this, delegate](const QModelIndex& index, const QString& text) {
                delegate->Offer(index, text);
                const QPersistentModelIndex at(index);
                QTimer::singleShot(0, this, [this, at] {
                    if (at.isValid()) {
                        setCurrentIndex(at);
                        edit(at);
                    }
                });
            });
    connect(model_, &QAbstractItemModel::modelReset, this, &TDBGrid::sizeColumns);
    connect(model_, &TDataSetModel::rowsArrived, this, &TDBGrid::readArrivedRows);
}

void TDBGrid::readArrivedRows() {
    if (!model_->canFetchMore({}))
        return;
    const int last = model_->rowCount() - 1;
    if (last < 0 || viewport()->rect().intersects(visualRect(model_->index(last, 0))))
        model_->fetchMore({});
}

void TDBGrid::setDataSource(TDataSource* source) {
    if (RelinkDataSource(source_, source, this)) {
        connect(source_, &TDataSource::dataSetReplaced, this, &TDBGrid::bindDataSet);
        connect(source_, &QObject::destroyed, this, [this] { model_->setDataSet(nullptr); });
    }
    bindDataSet();
}

void TDBGrid::bindDataSet() {
    model_->setDataSet(source_ ? source_->DataSet() : nullptr);
}

int TDBGrid::currentColumn() const {
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    return std::clamp(column, 0, std::max(model_->columnCount() - 1, 0));
}

void TDBGrid::showCurrentRow(int row) {
    if (moving_) {
        // The dataset refused to move (a pending edit could not be posted): go back to its row
        // once the view has finished its own move.
        QTimer::singleShot(0, this, [this] { showCurrentRow(model_->currentRow()); });
        return;
    }
    if (row < 0 || model_->columnCount() == 0 || row >= model_->rowCount())
        return;
    const QModelIndex target = model_->index(row, currentColumn());
    if (currentIndex() == target)
        return;
    following_ = true;
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    following_ = false;
    scrollTo(target);
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (following_ || model_->rowsChanging() || !current.isValid() ||
        current.row() == model_->currentRow())
        return;
    moving_ = true;
    model_->moveToRow(current.row());
    moving_ = false;
}

QModelIndex TDBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    TDataSet* ds = model_->dataSet();
    if (!ds || !ds->Active() || model_->columnCount() == 0)
        return QTableView::moveCursor(action, modifiers);
    const bool ctrl = modifiers & Qt::ControlModifier;
    if ((action == MoveEnd || action == MoveHome) && ctrl) {
        // To the first or last record of the dataset, reading the rest of the rows for the last.
        if (model_->perform([&] { action == MoveEnd ? ds->Last() : ds->First(); }))
            return model_->index(std::max(model_->currentRow(), 0), currentColumn());
        return currentIndex();
    }
    if ((action == MoveDown || action == MovePageDown || action == MoveNext) &&
        model_->canFetchMore({})) {
        const int page = std::max(viewport()->height() / std::max(rowHeight(0), 1), 1);
        const int need = currentIndex().row() + (action == MovePageDown ? page : 1);
        while (need >= model_->rowCount() && model_->canFetchMore({})) {
            const int before = model_->rowCount();
            model_->fetchMore({});
            if (model_->rowCount() == before)
                break;
        }
    }
    return QTableView::moveCursor(action, modifiers);
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
    TDataSet* ds = model_->dataSet();
    if (event->key() == Qt::Key_Escape && state() != EditingState && ds &&
        (ds->State() == DataSetState::Edit || ds->State() == DataSetState::Insert)) {
        model_->perform([ds] { ds->Cancel(); });
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ControlModifier) && state() != EditingState &&
        currentIndex().isValid()) {
        viewValue(currentIndex());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton) {
        bool viewer = false;
        try {
            viewer =
                OpensInViewer(model_->dataSet()->Field(static_cast<std::size_t>(index.column())),
                              model_->cellValue(index));
        } catch (const std::exception&) {
            // A row that cannot be read: the cell editor reports it.
        }
        if (viewer) {
            viewValue(index);
            event->accept();
            return;
        }
    }
    QTableView::mouseDoubleClickEvent(event);
}

bool TDBGrid::viewValue(const QModelIndex& index) {
    TDataSet* ds = model_->dataSet();
    if (!ds || !ds->Active() || !index.isValid() || index.column() >= model_->columnCount())
        return false;
    if (index.row() != model_->currentRow() && !model_->moveToRow(index.row()))
        return false;
    TValueViewer viewer(ds->Field(static_cast<std::size_t>(index.column())), window());
    prompts().runDialog(viewer);
    return true;
}

void TDBGrid::sizeColumns() {
    TDataSet* ds = model_->dataSet();
    if (!ds || !ds->Active())
        return;
    const int charWidth = std::max(fontMetrics().averageCharWidth(), 1);
    const int pad = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 6;
    for (std::size_t i = 0; i < ds->FieldCount(); ++i) {
        const TField& f = ds->Field(i);
        const std::int64_t chars =
            std::max<std::int64_t>(static_cast<std::int64_t>(f.FieldName().size()),
                                   f.DataType() == FieldType::Blob && f.Size() == 0
                                       ? kBlobColumnChars
                                       : DisplayChars(f.DataType(), f.Size())) +
            1;
        const int width =
            static_cast<int>(std::clamp<std::int64_t>(chars, kMinColumnChars, kMaxColumnChars)) *
                charWidth +
            pad;
        setColumnWidth(static_cast<int>(i), width);
    }
}
