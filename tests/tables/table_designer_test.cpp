#include "support/scripted_prompts.h"
#include "tables/table_designer.h"
#include "ui/dual_list_dialog.h"
#include "ui/language.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TableDesignerTest : public ::testing::Test {
protected:
    void SetUp() override {
        designer = std::make_unique<TfrmCreatetbl>();
        designer->show();
    }

    // Moves to a cell and types into its editor, key by key.
    void Type(int row, int column, const QString& text) {
        designer->SetCurrent(row, column);
        QWidget* editor = Editor();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, text);
    }
    // A key pressed where the operator types: the open editor, else the grid.
    void Press(Qt::Key key) {
        QWidget* editor = Editor();
        QTest::keyClick(editor ? editor : designer->StringGrid1, key);
    }
    QWidget* Editor() const {
        return designer->StringGrid1->indexWidget(designer->StringGrid1->currentIndex());
    }
    QString Label(int row) const {
        return designer->StringGrid1->verticalHeaderItem(row - 1)->text();
    }
    void FillRow(int row, const QString& name, const QString& type) {
        designer->SetCell(row, kNameColumn, name);
        designer->SetCell(row, kTypeColumn, type);
    }
    // Rows a (Requ.), b (none), c (Requ.).
    void ThreeRows() {
        FillRow(1, "a", "INTEGER");
        designer->SetCell(1, kRequiredColumn, "TRUE");
        designer->StringGrid1->setRowCount(3);
        FillRow(2, "b", "INTEGER");
        FillRow(3, "c", "CHAR");
        designer->SetCell(3, kRequiredColumn, "TRUE");
    }
    // Queues a pick in the two-list dialog: checks what it offers, moves the named entries right.
    void Pick(QStringList offered, QStringList chosenBefore, QStringList move, bool ok = true) {
        prompts.dialogs.push_back([=](QDialog& d) {
            auto& dl = static_cast<TDualListDialog&>(d);
            EXPECT_EQ(dl.objectName(), "DualListDialog1");
            QStringList left, right;
            for (int i = 0; i < dl.SrcList->count(); ++i)
                left.append(dl.SrcList->item(i)->text());
            for (int i = 0; i < dl.DstList->count(); ++i)
                right.append(dl.DstList->item(i)->text());
            EXPECT_EQ(left, offered);
            EXPECT_EQ(right, chosenBefore);
            for (const QString& name : move) {
                dl.SrcList->clearSelection();
                dl.SrcList->findItems(name, Qt::MatchExactly).value(0)->setSelected(true);
                dl.IncludeBtn->click();
            }
            (ok ? dl.OKBtn : dl.CancelBtn)->click();
        });
    }

    ScriptedPrompts prompts;
    std::unique_ptr<TfrmCreatetbl> designer;
};

} // namespace

TEST_F(TableDesignerTest, OpensWithOneLabelledRowTitlesAndTheTypeMenu) {
    EXPECT_EQ(designer->windowTitle(), "Create MySQL table");
    EXPECT_EQ(designer->DataRows(), 1);
    EXPECT_EQ(Label(1), "  1.");
    QStringList titles;
    for (int c = 0; c < designer->StringGrid1->columnCount(); ++c)
        titles.append(designer->StringGrid1->horizontalHeaderItem(c)->text());
    EXPECT_EQ(titles,
              QStringList({"Field name", "Type", "Size", "Unsig.", "Index", "Requ.", "Default"}));
    // Every column in view: no horizontal scrolling.
    int widths = 0;
    for (int c = 0; c < designer->StringGrid1->columnCount(); ++c)
        widths += designer->StringGrid1->columnWidth(c);
    EXPECT_LE(widths, designer->StringGrid1->viewport()->width());
    EXPECT_GE(designer->StringGrid1->columnWidth(0), 150);
    EXPECT_EQ(designer->StringGrid1->columnWidth(2), 42);
    EXPECT_EQ(designer->CurrentRow(), 1);
    EXPECT_EQ(designer->CurrentColumn(), kNameColumn);
    const QList<QAction*> entries = designer->PopupMenu1->actions();
    ASSERT_EQ(entries.size(), 25);
    EXPECT_EQ(entries.first()->objectName(), "TINYINT1");
    EXPECT_EQ(entries.last()->text(), "LONGTEXT");
    EXPECT_TRUE(designer->Clauses().empty());
}

TEST_F(TableDesignerTest, ColumnTitlesFollowTheLanguageFlag) {
    QAction english;
    english.setCheckable(true);
    english.setChecked(false);
    setLanguageFlagItem(&english);
    TfrmCreatetbl croatian;
    setLanguageFlagItem(nullptr);
    QStringList titles;
    for (int c = 0; c < croatian.StringGrid1->columnCount(); ++c)
        titles.append(croatian.StringGrid1->horizontalHeaderItem(c)->text());
    EXPECT_EQ(titles, QStringList({"Ime polja", "Tip", "Veličina", "Unsig.", "Indeks", "Nužd.",
                                   "Default"}));
}

TEST_F(TableDesignerTest, FlagCellsBecomeTrueOrEmptyAsTheyAreTyped) {
    Type(1, kUnsignedColumn, "t");
    EXPECT_EQ(designer->Cell(1, kUnsignedColumn), "TRUE");
    EXPECT_EQ(static_cast<QLineEdit*>(Editor())->text(), "TRUE");
    // Any further key makes other text, which empties the flag.
    QTest::keyClicks(Editor(), "x");
    EXPECT_EQ(designer->Cell(1, kUnsignedColumn), "");
    Type(1, kIndexColumn, "T");
    EXPECT_EQ(designer->Cell(1, kIndexColumn), "TRUE");
    Type(1, kRequiredColumn, "yes");
    EXPECT_EQ(designer->Cell(1, kRequiredColumn), "");
    Type(1, kRequiredColumn, "f");
    EXPECT_EQ(designer->Cell(1, kRequiredColumn), "");
    // Other columns take any text, and it reaches the grid while the editor is still open.
    Type(1, kSizeColumn, "t");
    Type(1, kNameColumn, "first name");
    Type(1, kDefaultColumn, "'x'");
    EXPECT_EQ(designer->Cell(1, kSizeColumn), "t");
    EXPECT_EQ(designer->Cell(1, kNameColumn), "first name");
    EXPECT_EQ(designer->Cell(1, kDefaultColumn), "'x'");
}

TEST_F(TableDesignerTest, SelectingRequOrANonIntegerUnsigOnAnIndexedRowForcesRequ) {
    FillRow(1, "a", "INTEGER");
    designer->SetCell(1, kIndexColumn, "TRUE");
    designer->SetCurrent(1, kUnsignedColumn);
    EXPECT_EQ(designer->Cell(1, kRequiredColumn), "");
    designer->SetCurrent(1, kRequiredColumn);
    EXPECT_EQ(designer->Cell(1, kRequiredColumn), "TRUE");
    // The forced flag stands selected in the editor: a t typed now keeps it, an f clears it.
    QTest::keyClicks(Editor(), "t");
    EXPECT_EQ(designer->Cell(1, kRequiredColumn), "TRUE");
    designer->SetCurrent(1, kDefaultColumn);
    designer->SetCurrent(1, kRequiredColumn);
    QTest::keyClicks(Editor(), "f");
    EXPECT_EQ(designer->Cell(1, kRequiredColumn), "");

    designer->SetCell(1, kRequiredColumn, "");
    designer->SetCell(1, kTypeColumn, "CHAR");
    designer->SetCurrent(1, kNameColumn);
    designer->SetCurrent(1, kUnsignedColumn);
    EXPECT_EQ(designer->Cell(1, kRequiredColumn), "TRUE");
}

TEST_F(TableDesignerTest, DownArrowAddsARowOnlyAfterAFilledLastRow) {
    Type(1, kNameColumn, "a");
    Press(Qt::Key_Down);
    EXPECT_EQ(designer->DataRows(), 1) << "the type is still empty";
    Type(1, kTypeColumn, "INTEGER");
    Press(Qt::Key_Down);
    ASSERT_EQ(designer->DataRows(), 2);
    EXPECT_EQ(designer->CurrentRow(), 2);
    EXPECT_EQ(Label(2), "  2.");
    // Up on the new empty row takes it back.
    Press(Qt::Key_Up);
    EXPECT_EQ(designer->DataRows(), 1);
    EXPECT_EQ(designer->CurrentRow(), 1);
    EXPECT_EQ(designer->Cell(1, kNameColumn), "a");

    // Row labels from 10 on have one leading blank.
    for (int row = 1; row < 10; ++row) {
        designer->SetCurrent(row, kNameColumn);
        FillRow(row, QString("c%1").arg(row), "INTEGER");
        Press(Qt::Key_Down);
    }
    EXPECT_EQ(designer->DataRows(), 10);
    EXPECT_EQ(Label(9), "  9.");
    EXPECT_EQ(Label(10), " 10.");
}

TEST_F(TableDesignerTest, UpArrowNeverTakesTheOnlyRowNorAFilledLastRow) {
    Press(Qt::Key_Up);
    EXPECT_EQ(designer->DataRows(), 1);
    EXPECT_EQ(designer->CurrentRow(), 1);

    designer->StringGrid1->setRowCount(3);
    FillRow(3, "kept", "INTEGER");
    // An empty row above the last one: the grid moves as usual and row 3 keeps its definition.
    designer->SetCurrent(2, kNameColumn);
    Press(Qt::Key_Up);
    EXPECT_EQ(designer->DataRows(), 3);
    EXPECT_EQ(designer->CurrentRow(), 1);
    EXPECT_EQ(designer->Cell(3, kNameColumn), "kept");
}

TEST_F(TableDesignerTest, TypeMenuWritesIntoTheCurrentRowAndCtrlSpaceOpensIt) {
    designer->StringGrid1->setRowCount(2);
    designer->SetCurrent(2, kSizeColumn);
    designer->findChild<QAction*>("DECIMAL1")->trigger();
    EXPECT_EQ(designer->Cell(2, kTypeColumn), "DECIMAL");
    EXPECT_EQ(designer->Cell(1, kTypeColumn), "");

    designer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(designer.get()));
    designer->SetCurrent(2, kNameColumn);
    QTest::keyClick(Editor(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_FALSE(designer->PopupMenu1->isVisible()) << "only in the Type column";
    designer->SetCurrent(2, kTypeColumn);
    QTest::keyClick(Editor(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(designer->PopupMenu1->isVisible());
    designer->PopupMenu1->close();
}

TEST_F(TableDesignerTest, SaveAsWithoutATableNameTellsTheOperatorAndStaysOpen) {
    FillRow(1, "a", "INTEGER");
    designer->SetCell(1, kIndexColumn, "TRUE");
    designer->SetCell(1, kRequiredColumn, "TRUE");
    designer->StringGrid1->setRowCount(2);
    FillRow(2, "b", "INTEGER");
    designer->SetCell(2, kIndexColumn, "TRUE");
    designer->SetCell(2, kRequiredColumn, "TRUE");
    designer->Edit1->setText("  ");
    designer->BitBtn1->click();
    EXPECT_EQ(prompts.shown, QStringList({"Enter the table name!"}));
    EXPECT_TRUE(designer->isVisible());
    EXPECT_TRUE(designer->Clauses().empty()) << "no key clause before the window can close";

    designer->Edit1->setText("t");
    designer->BitBtn1->click();
    EXPECT_FALSE(designer->isVisible());
    EXPECT_EQ(designer->result(), QDialog::Accepted);
    EXPECT_EQ(designer->Clauses(), std::vector<std::string>{"PRIMARY KEY (a,b)"});
}

TEST_F(TableDesignerTest, SaveAsWithOneKeyColumnMakesNoClause) {
    FillRow(1, "a", "INTEGER");
    designer->SetCell(1, kIndexColumn, "TRUE");
    designer->SetCell(1, kRequiredColumn, "TRUE");
    designer->Edit1->setText("t");
    designer->BitBtn1->click();
    EXPECT_TRUE(designer->Clauses().empty());
    EXPECT_EQ(designer->Statement(), "CREATE TABLE t(\n\ra INTEGER NOT NULL PRIMARY KEY\n\r)");
}

TEST_F(TableDesignerTest, CreateIndexOffersRequiredColumnsAndKeepsTheOrderChosen) {
    ThreeRows();
    Pick({"a", "c"}, {}, {"c", "a"});
    prompts.inputs.push_back(QString("ix"));
    prompts.yesNo.push_back(true);
    designer->BitBtn2->click();
    EXPECT_EQ(prompts.shown, QStringList({"DualListDialog1",
                                          "Name the index:|Enter index name:", "Modify index?"}));
    EXPECT_EQ(designer->Clauses(), std::vector<std::string>{"INDEX ix (c,a)"});
    EXPECT_EQ(designer->DualListDialog1->windowTitle(), "Create index");

    // The right-hand list keeps the last confirmed choice; a column no longer required leaves it.
    designer->SetCell(1, kRequiredColumn, "");
    Pick({}, {"c"}, {});
    prompts.inputs.push_back(std::nullopt);
    prompts.yesNo.push_back(true);
    designer->BitBtn2->click();
    EXPECT_EQ(designer->Clauses(), (std::vector<std::string>{"INDEX ix (c,a)", "INDEX  (c)"}));
}

TEST_F(TableDesignerTest, CancelOrAnEmptyChoiceOrNoMakesNoIndex) {
    ThreeRows();
    Pick({"a", "c"}, {}, {"a"}, false);
    designer->BitBtn2->click();
    EXPECT_EQ(prompts.shown, QStringList({"DualListDialog1"}));
    EXPECT_TRUE(designer->DualListDialog1->list2().isEmpty()) << "cancel keeps the last choice";

    Pick({"a", "c"}, {}, {});
    designer->BitBtn2->click();

    Pick({"a", "c"}, {}, {"a"});
    prompts.inputs.push_back(QString("ia"));
    prompts.yesNo.push_back(false);
    designer->BitBtn2->click();
    EXPECT_TRUE(designer->Clauses().empty());

    designer->Edit1->setText("t");
    designer->BitBtn1->click();
    EXPECT_EQ(designer->Statement(),
              "CREATE TABLE t(\n\ra INTEGER NOT NULL,\n\rb INTEGER,\n\rc CHAR NOT NULL\n\r)");
}

TEST_F(TableDesignerTest, FitsASmallScreen) {
    EXPECT_LE(designer->width(), 640);
    EXPECT_LE(designer->height(), 480);
    EXPECT_EQ(designer->size(), QSize(TfrmCreatetbl::kDesignWidth, TfrmCreatetbl::kDesignHeight));
}

TEST_F(TableDesignerTest, PromptsOfTheDesignerSpeakCroatianWhenTheFlagSaysSo) {
    QAction english;
    english.setCheckable(true);
    english.setChecked(false);
    setLanguageFlagItem(&english);
    ThreeRows();
    Pick({"a", "c"}, {}, {"a"});
    prompts.inputs.push_back(QString("ia"));
    prompts.yesNo.push_back(true);
    designer->BitBtn2->click();
    designer->BitBtn1->click();
    setLanguageFlagItem(nullptr);
    EXPECT_EQ(prompts.shown,
              QStringList({"DualListDialog1", "Zadajte ime indeksu:|Unesite ime indeksa:",
                           "Modificirati indeks?", "Unesite ime tablice!"}));
    EXPECT_EQ(designer->Clauses(), std::vector<std::string>{"INDEX ia (a)"});
}

TEST_F(TableDesignerTest, ATypeFromTheMenuStaysAndTabMovesOnToSize) {
    designer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(designer.get()));
    // Keys go where the keyboard goes: the focus widget, or the open menu.
    auto key = [](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                            : QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, k, modifiers);
        QApplication::processEvents();
    };
    Type(1, kNameColumn, "id");
    key(Qt::Key_Tab);
    ASSERT_EQ(designer->CurrentColumn(), kTypeColumn);
    key(Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(designer->PopupMenu1->isVisible());
    // INTEGER is the fourth entry.
    for (int i = 0; i < 4; ++i)
        key(Qt::Key_Down);
    key(Qt::Key_Return);
    ASSERT_FALSE(designer->PopupMenu1->isVisible());
    EXPECT_EQ(designer->Cell(1, kTypeColumn), "INTEGER");
    key(Qt::Key_Tab);
    EXPECT_EQ(designer->CurrentColumn(), kSizeColumn);
    for (const Qt::Key digit : {Qt::Key_1, Qt::Key_1})
        key(digit);
    EXPECT_EQ(designer->Cell(1, kSizeColumn), "11");
    EXPECT_EQ(designer->Cell(1, kTypeColumn), "INTEGER");
    EXPECT_EQ(designer->Cell(1, kNameColumn), "id");
}

TEST_F(TableDesignerTest, EveryColumnTitleIsShownWholeInBothLanguages) {
    for (const bool englishFlag : {true, false}) {
        QAction english;
        english.setCheckable(true);
        english.setChecked(englishFlag);
        setLanguageFlagItem(&english);
        TfrmCreatetbl form;
        form.show();
        QApplication::processEvents();
        setLanguageFlagItem(nullptr);
        QHeaderView* header = form.StringGrid1->horizontalHeader();
        int widths = 0;
        for (int c = 0; c < form.StringGrid1->columnCount(); ++c) {
            EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c))
                << form.StringGrid1->horizontalHeaderItem(c)->text().toStdString();
            widths += header->sectionSize(c);
        }
        EXPECT_LE(widths, form.StringGrid1->viewport()->width());
    }
}

TEST_F(TableDesignerTest, TheIndexNameDialogIsWideEnoughForItsCaption) {
    setPrompts(nullptr);
    const QString caption = QStringLiteral("Name the index:");
    int width = 0, captionWidth = 0;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            width = dialog->width();
            // Title bars often show the caption in bold.
            QFont title = dialog->font();
            title.setBold(true);
            captionWidth = QFontMetrics(title).horizontalAdvance(dialog->windowTitle());
            dialog->reject();
        }
    });
    EXPECT_FALSE(::prompts().input(caption, QStringLiteral("Enter index name:"), QString()));
    setPrompts(&prompts);
    EXPECT_GT(captionWidth, 0);
    // The caption, and beside it the title bar's icon and three buttons.
    EXPECT_GE(width, captionWidth + 120);
}
