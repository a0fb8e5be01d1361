#include "tables/table_designer.h"

#include "tables/create_table_statement.h"
#include "ui/dual_list_dialog.h"
#include "ui/language.h"
#include "ui/object_names.h"
#include "ui/prompts.h"
#include "ui/screen_placement.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

// Grid cells edited in a line edit whose every change reaches the grid at once (a flag cell is
// normalised as it is typed), so the grid always holds what the operator sees.
class DesignCellDelegate : public QStyledItemDelegate {
public:
    using Edited = std::function<QString(const QModelIndex&, const QString&)>;
    DesignCellDelegate(QObject* parent, Edited edited)
        : QStyledItemDelegate(parent), edited_(std::move(edited)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        const QPersistentModelIndex cell(index);
        connect(editor, &QLineEdit::textEdited, editor, [this, editor, cell](const QString& text) {
            const QString kept = edited_(cell, text);
            if (kept != text)
                editor->setText(kept);
        });
        return editor;
    }
    // The grid's text comes back into the editor only when it differs, so the cursor stays
    // where the operator types. Text the designer put there (a forced Requ., a type from the menu)
    // is selected, as in a cell just entered: the next key replaces it.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* edit = static_cast<QLineEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (edit->text() != text) {
            edit->setText(text);
            edit->selectAll();
        }
    }

private:
    Edited edited_;
};

// Grid columns 1 to 7 are the table widget's columns 0 to 6; its vertical header holds the row
// labels of column 0, and data row n is its row n - 1.
int GridColumn(int column) {
    return column - 1;
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TfrmCreatetbl::TfrmCreatetbl(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCreatetbl"));
    resize(kDesignWidth, kDesignHeight);
    BuildGrid();
    BuildTypeMenu();

    BitBtn2 = Named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    BitBtn1 = Named(new QPushButton(this), "BitBtn1");
    BitBtn1->setAutoDefault(false);
    Edit1 = Named(new QLineEdit(this), "Edit1");
    // Enter in the table name does what "Save as:" does.
    connect(Edit1, &QLineEdit::returnPressed, this, &TfrmCreatetbl::BitBtn1Click);

    DualListDialog1 = Named(new TDualListDialog(this), "DualListDialog1");
    DualListDialog1->setSorted(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BitBtn2);
    bottom->addWidget(BitBtn1);
    bottom->addWidget(Edit1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(bottom);

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmCreatetbl::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmCreatetbl::BitBtn2Click);
    auto* typeKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space), this);
    connect(typeKey, &QShortcut::activated, this, &TfrmCreatetbl::FormKeyDown);

    retranslateUi();
    SetCurrent(1, kNameColumn);
    StringGrid1->setFocus();
}

void TfrmCreatetbl::BuildGrid() {
    StringGrid1 = Named(new QTableWidget(1, kDesignColumns - 1, this), "StringGrid1");
    StringGrid1->setMinimumHeight(120);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    StringGrid1->setTabKeyNavigation(true);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StringGrid1->setWordWrap(false);
    QHeaderView* rows = StringGrid1->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(18);
    rows->setDefaultSectionSize(18);
    rows->setMinimumWidth(22);
    rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QHeaderView* columns = StringGrid1->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setMinimumSectionSize(22);
    columns->setDefaultSectionSize(22);
    columns->setStretchLastSection(true);
    StringGrid1->setVerticalHeaderItem(0, new QTableWidgetItem(Utf8(RowLabel(1))));
    StringGrid1->setItemDelegate(
        new DesignCellDelegate(StringGrid1, [this](const QModelIndex& cell, const QString& text) {
            return StringGrid1SetEditText(cell.row() + 1, cell.column() + 1, text);
        }));
    StringGrid1->installEventFilter(this);
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && column >= 0)
            StringGrid1SelectCell(row + 1, column + 1);
    });
}

void TfrmCreatetbl::BuildTypeMenu() {
    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    for (const std::string& type : DesignTypes()) {
        const QString caption = Utf8(type);
        QAction* entry = PopupMenu1->addAction(caption);
        entry->setObjectName(caption + QLatin1Char('1'));
        connect(entry, &QAction::triggered, this, [this, caption] { TypeMenuClick(caption); });
    }
    // The menu took the keyboard and the cell's editor closed: once the menu is gone (and its
    // entry has written the type), the grid has the keyboard again and the current cell its
    // editor, holding the type, so Tab moves on to Size.
    connect(PopupMenu1, &QMenu::aboutToHide, this, [this] {
        QTimer::singleShot(0, this, [this] {
            StringGrid1->setFocus(Qt::PopupFocusReason);
            if (StringGrid1->currentIndex().isValid())
                StringGrid1->edit(StringGrid1->currentIndex());
        });
    });
}

void TfrmCreatetbl::retranslateUi() {
    setWindowTitle(tr("Create MySQL table"));
    BitBtn2->setText(tr("Create index"));
    BitBtn1->setText(tr("Save as:"));
    Edit1->setAccessibleName(tr("Table name"));
    DualListDialog1->setTitle(tr("Create index"));
    // The column titles follow the language flag.
    const QStringList titles = {BiText(QStringLiteral("Field name"), QStringLiteral("Ime polja")),
                                BiText(QStringLiteral("Type"), QStringLiteral("Tip")),
                                BiText(QStringLiteral("Size"), QStringLiteral("Veličina")),
                                QStringLiteral("Unsig."),
                                BiText(QStringLiteral("Index"), QStringLiteral("Indeks")),
                                BiText(QStringLiteral("Requ."), QStringLiteral("Nužd.")),
                                QStringLiteral("Default")};
    StringGrid1->setHorizontalHeaderLabels(titles);
    FitColumns();
}

void TfrmCreatetbl::FitColumns() {
    // Every title is shown whole, the Type column shows the longest type keyword whole, the
    // narrow columns keep their 42 pixels where the title fits in them, and the Field name column
    // gives up what that takes beyond the designed widths, so every column stays in view without
    // a horizontal scroll bar.
    QHeaderView* header = StringGrid1->horizontalHeader();
    const int typeWidth =
        StringGrid1->fontMetrics().horizontalAdvance(QStringLiteral("MEDIUMTEXT")) + 12;
    int beyond = 0;
    for (int c = kTypeColumn; c < kDesignColumns; ++c) {
        const int width = std::max(
            {42, header->sectionSizeHint(GridColumn(c)), c == kTypeColumn ? typeWidth : 0});
        beyond += width - 42;
        StringGrid1->setColumnWidth(GridColumn(c), width);
    }
    StringGrid1->setColumnWidth(GridColumn(kNameColumn), std::max(100, 221 - beyond));
}

QString TfrmCreatetbl::Cell(int row, int column) const {
    const QTableWidgetItem* item = StringGrid1->item(row - 1, GridColumn(column));
    return item ? item->text() : QString();
}

void TfrmCreatetbl::SetCell(int row, int column, const QString& text) {
    QTableWidgetItem* item = StringGrid1->item(row - 1, GridColumn(column));
    if (item)
        item->setText(text);
    else
        StringGrid1->setItem(row - 1, GridColumn(column), new QTableWidgetItem(text));
}

int TfrmCreatetbl::DataRows() const {
    return StringGrid1->rowCount();
}

int TfrmCreatetbl::CurrentRow() const {
    return StringGrid1->currentRow() + 1;
}

int TfrmCreatetbl::CurrentColumn() const {
    return StringGrid1->currentColumn() + 1;
}

void TfrmCreatetbl::SetCurrent(int row, int column) {
    StringGrid1->setCurrentCell(row - 1, GridColumn(column));
}

std::vector<DesignRow> TfrmCreatetbl::Rows() const {
    std::vector<DesignRow> rows(static_cast<std::size_t>(DataRows()));
    for (int r = 1; r <= DataRows(); ++r)
        for (int c = kNameColumn; c < kDesignColumns; ++c)
            rows[static_cast<std::size_t>(r - 1)].cell(c) = Cell(r, c).toStdString();
    return rows;
}

std::string TfrmCreatetbl::TableName() const {
    return Edit1->text().toStdString();
}

std::string TfrmCreatetbl::Statement() const {
    return CreateTableStatement(TableName(), Rows(), clauses_);
}

QString TfrmCreatetbl::StringGrid1SetEditText(int row, int column, const QString& text) {
    const QString kept = IsFlagColumn(column) ? Utf8(NormaliseFlag(text.toStdString())) : text;
    SetCell(row, column, kept);
    return kept;
}

void TfrmCreatetbl::StringGrid1SelectCell(int row, int column) {
    const std::vector<DesignRow> rows = Rows();
    if (row <= static_cast<int>(rows.size()) &&
        SelectingForcesRequired(rows[static_cast<std::size_t>(row - 1)], column))
        SetCell(row, kRequiredColumn, QStringLiteral("TRUE"));
}

bool TfrmCreatetbl::StringGrid1KeyDown(int key) {
    const int row = CurrentRow();
    if (row < 1)
        return false;
    const bool last = row == DataRows();
    if (key == Qt::Key_Down && last && !Cell(row, kNameColumn).isEmpty() &&
        !Cell(row, kTypeColumn).isEmpty()) {
        AddRow();
        return true;
    }
    // Only an empty last row is taken back, and never the only one: rows above it keep their
    // definitions.
    if (key == Qt::Key_Up && last && row > 1 && Cell(row, kNameColumn).isEmpty()) {
        RemoveLastRow();
        return true;
    }
    return false;
}

void TfrmCreatetbl::AddRow() {
    const int n = DataRows() + 1;
    const int column = std::max(CurrentColumn(), 1);
    StringGrid1->setRowCount(n);
    StringGrid1->setVerticalHeaderItem(n - 1, new QTableWidgetItem(Utf8(RowLabel(n))));
    SetCurrent(n, column);
}

void TfrmCreatetbl::RemoveLastRow() {
    const int column = std::max(CurrentColumn(), 1);
    StringGrid1->setRowCount(DataRows() - 1);
    SetCurrent(DataRows(), column);
}

void TfrmCreatetbl::TypeMenuClick(const QString& type) {
    if (CurrentRow() >= 1)
        SetCell(CurrentRow(), kTypeColumn, type);
}

void TfrmCreatetbl::FormKeyDown() {
    if (CurrentColumn() != kTypeColumn)
        return;
    // Beside the current Type cell, so the menu stays on the window (and on a small screen).
    const QRect cell = StringGrid1->visualRect(StringGrid1->currentIndex());
    PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(cell.bottomLeft()));
}

// "Save as:": the design is taken, with its key clause, once the table has a name.
void TfrmCreatetbl::BitBtn1Click() {
    // The window closes only with a table name; without one the operator is told and stays.
    if (Edit1->text().trimmed().isEmpty()) {
        prompts().message(
            BiText(QStringLiteral("Enter the table name!"), QStringLiteral("Unesite ime tablice!")),
            PromptIcon::Warning);
        Edit1->setFocus();
        return;
    }
    // A design opened again after the server rejected it gets its key clause anew.
    if (keyClause_) {
        clauses_.erase(clauses_.begin() + static_cast<std::ptrdiff_t>(*keyClause_));
        keyClause_.reset();
    }
    const std::vector<std::string> keys = KeyColumns(Rows());
    // One key column gets its inline PRIMARY KEY from the statement; two or more make a clause.
    if (keys.size() >= 2) {
        keyClause_ = clauses_.size();
        clauses_.push_back(PrimaryKeyClause(keys));
    }
    accept();
}

// "Create index": an index on the columns picked in the two-list dialog, under a name asked for.
void TfrmCreatetbl::BitBtn2Click() {
    QStringList candidates;
    for (const std::string& name : IndexCandidates(Rows()))
        if (!name.empty())
            candidates.append(Utf8(name));
    // The right-hand list keeps its last confirmed entries that may still be indexed; the left
    // offers the other candidates.
    QStringList chosen;
    for (const QString& name : DualListDialog1->list2())
        if (candidates.contains(name) && !chosen.contains(name))
            chosen.append(name);
    QStringList offered;
    for (const QString& name : candidates)
        if (!chosen.contains(name))
            offered.append(name);
    DualListDialog1->setList1(offered);
    DualListDialog1->setList2(chosen);
    if (!DualListDialog1->Execute() || DualListDialog1->list2().isEmpty())
        return;

    const QString name =
        prompts()
            .input(
                BiText(QStringLiteral("Name the index:"), QStringLiteral("Zadajte ime indeksu:")),
                BiText(QStringLiteral("Enter index name:"), QStringLiteral("Unesite ime indeksa:")),
                QString())
            .value_or(QString());
    std::vector<std::string> columns;
    for (const QString& column : DualListDialog1->list2())
        columns.push_back(column.toStdString());
    const std::string clause = IndexClause(name.toStdString(), columns);
    // No drops the index just built.
    if (!prompts().askYesNo(
            BiText(QStringLiteral("Modify index?"), QStringLiteral("Modificirati indeks?"))))
        return;
    clauses_.push_back(clause);
}

bool TfrmCreatetbl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && StringGrid1KeyDown(key->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCreatetbl::contextMenuEvent(QContextMenuEvent* event) {
    // The type menu is the window's context menu.
    PopupMenu1->popup(event->globalPos());
}

void TfrmCreatetbl::showEvent(QShowEvent* event) {
    if (!centred_) {
        centred_ = true;
        CentreOnScreen(*this);
    }
    QDialog::showEvent(event);
    // The editor is always shown, from the first cell on.
    StringGrid1->edit(StringGrid1->currentIndex());
}
