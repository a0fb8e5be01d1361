// "Create MySQL table": the designer window. It only collects the definition of a new table: the
// grid with one row per column, the table name beside "Save as:" and the key clauses (a composite
// primary key, named indexes). The create-table command opens it modally and, when "Save as:"
// closed it, builds the statement from what it holds.
#pragma once

#include "tables/table_design.h"
#include "ui/retranslatable.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;
class TDualListDialog;

class TfrmCreatetbl : public QDialog, public Retranslatable {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 541;
    static constexpr int kDesignHeight = 355;

    explicit TfrmCreatetbl(QWidget* parent = nullptr);

    // The grid's data rows, in grid order.
    std::vector<DesignRow> Rows() const;
    // The key clauses made in this window, in the order they were made.
    const std::vector<std::string>& Clauses() const { return clauses_; }
    // The text of Edit1.
    std::string TableName() const;
    // The CREATE TABLE statement of what the window holds.
    std::string Statement() const;

    // The text of a cell: data rows from 1, grid columns from 1 (Field name) to 7 (Default).
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    int DataRows() const;
    // The grid's current data row (from 1) and column (1 to 7).
    int CurrentRow() const;
    int CurrentColumn() const;
    void SetCurrent(int row, int column);

    void retranslateUi() override;

    QTableWidget* StringGrid1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn1;
    QLineEdit* Edit1;
    QMenu* PopupMenu1;
    TDualListDialog* DualListDialog1;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    // Ctrl+Space: the type menu, when the current column is Type.
    void FormKeyDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildGrid();
    void BuildTypeMenu();
    void FitColumns();
    // Down arrow adds a row after a filled last row, Up arrow takes back an empty last row; true
    // when the key was used for that.
    bool StringGrid1KeyDown(int key);
    void StringGrid1SelectCell(int row, int column);
    // The editor's text after each change: flag cells become "TRUE" or nothing at once.
    QString StringGrid1SetEditText(int row, int column, const QString& text);
    void TypeMenuClick(const QString& type);
    void AddRow();
    void RemoveLastRow();

    std::vector<std::string> clauses_;
    std::optional<std::size_t> keyClause_; // the composite key clause "Save as:" made
    bool centred_ = false;
};
