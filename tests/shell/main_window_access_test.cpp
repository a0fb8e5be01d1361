// What the operator and assistive technology can read of the main window: status panels and value
// controls, the database names of the DB group, the language items, the server dialog's place.
#include "shell/connect_frm.h"
#include "shell/main_window.h"
#include "support/scripted_prompts.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

#include <QAccessible>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class MainWindowAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).clear();
        TQueryFrm1::screenArea = [] { return QRect(0, 0, 1280, 1024); };
        window = std::make_unique<TQueryFrm1>();
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        window.reset();
        QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).clear();
    }

    // The name and the value assistive technology reads of w.
    static QString Name(QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Name) : QStringLiteral("(none)");
    }
    // The label assistive technology relates to w.
    static QString Label(QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a)
            return QStringLiteral("(none)");
        const auto labels = a->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    static QString Value(QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a)
            return QStringLiteral("(none)");
        if (QAccessibleTextInterface* t = a->textInterface())
            return t->text(0, t->characterCount());
        return a->text(QAccessible::Value);
    }

    // Every item's whole text can be seen in the group: its button is as wide as its text and lies
    // inside the visible width, or the group scrolls sideways to it.
    static void ExpectEveryItemReadable(TRadioGroup& group) {
        auto* scroll = group.findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        const int visible = scroll->viewport()->width();
        const bool sideways = scroll->horizontalScrollBar()->isVisible();
        for (int i = 0; i < group.count(); ++i) {
            QRadioButton* b = group.button(i);
            EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
            const int right = b->mapTo(scroll->viewport(), QPoint(b->width(), 0)).x();
            EXPECT_TRUE(right <= visible || sideways)
                << b->text().toStdString() << " ends at " << right << " of " << visible;
        }
    }

    ScriptedPrompts prompts; // a click on a database reports that no server is chosen
    std::unique_ptr<TQueryFrm1> window;
};

TEST_F(MainWindowAccessTest, StatusPanelsAndValueControlsTellWhatTheyAreAndShow) {
    const QStringList shown = {"127.0.0.1", "root", "lindora", "customers", "120"};
    for (int i = 0; i < shown.size(); ++i)
        window->FRSB1->setPanelText(i, shown[i]);
    for (int i = 0; i < window->FRSB1->panelCount(); ++i) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(window->FRSB1->panel(i));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), shown.value(i)) << "panel " << i;
        EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("Status panel %1").arg(i));
    }

    window->edtHostname->addItem(QStringLiteral("root>127.0.0.1"));
    window->edtUsername->setText(QStringLiteral("root"));
    window->edtDatabase->setText(QStringLiteral("lindora"));
    window->Memo1->setPlainText(QStringLiteral("SELECT 1"));
    window->ListBox1->addItems({QStringLiteral("customers"), QStringLiteral("orders")});
    window->ListBox1->setCurrentRow(1);
    window->RadioGroup1->setItems({QStringLiteral("lindora"), QStringLiteral("mysql")});

    // A drop-down is named by its value here, and tied to its label.
    EXPECT_EQ(Label(window->edtHostname), "Server:");
    EXPECT_EQ(Value(window->edtHostname), "root>127.0.0.1");
    EXPECT_EQ(Name(window->edtUsername), "Username:");
    EXPECT_EQ(Value(window->edtUsername), "root");
    EXPECT_EQ(Name(window->edtDatabase), "Database:");
    EXPECT_EQ(Value(window->edtDatabase), "lindora");
    EXPECT_EQ(Name(window->Memo1), "Query memo");
    EXPECT_EQ(Value(window->Memo1), "SELECT 1");
    EXPECT_EQ(Name(window->ListBox1), "Tables: doubleclick to view data, right click for menu:");
    QAccessibleInterface* tables = QAccessible::queryAccessibleInterface(window->ListBox1);
    ASSERT_EQ(tables->childCount(), 2);
    EXPECT_EQ(tables->child(1)->text(QAccessible::Name), "orders");
    EXPECT_TRUE(tables->child(1)->state().selected);
    EXPECT_EQ(Name(window->RadioGroup1), "DB");
    EXPECT_EQ(Name(window->RadioGroup1->button(1)), "mysql");
}

TEST_F(MainWindowAccessTest, EveryDatabaseNameInTheDbGroupCanBeRead) {
    TRadioGroup& group = *window->RadioGroup1;
    // The databases of a fresh server, with longer names beside them.
    group.setItems({"information_schema", "kt_browse_query", "kt_grants_wizard_second", "mysql",
                    "performance_schema", "sys", "test", "lindora"});
    QApplication::processEvents();
    ExpectEveryItemReadable(group);

    // Short names stand side by side in two columns.
    group.setItems({"a", "b", "c", "d"});
    QApplication::processEvents();
    EXPECT_EQ(group.shownColumns(), 2);
    EXPECT_EQ(group.button(2)->y(), group.button(0)->y());
    ExpectEveryItemReadable(group);

    // Three hundred databases: every name readable, and typing its first letters goes to one.
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << QStringLiteral("kt_shell_database_%1").arg(i, 3, 10, QLatin1Char('0'));
    many << QStringLiteral("zz_last");
    group.setItems(many);
    QApplication::processEvents();
    ExpectEveryItemReadable(group);
    int clicked = -1;
    QObject::connect(&group, &TRadioGroup::clicked, [&](int i) { clicked = i; });
    group.setFocus();
    QTest::keyClicks(&group, QStringLiteral("zz"));
    EXPECT_TRUE(group.button(300)->hasFocus());
    auto* scroll = group.findChild<QScrollArea*>();
    const QRect seen(group.button(300)->mapTo(scroll->viewport(), QPoint(0, 0)),
                     group.button(300)->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(seen)) << "scrolled into view";
    QTest::qWait(QApplication::keyboardInputInterval() + 100); // a new search begins
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("kt_shell_database_25"));
    EXPECT_TRUE(group.button(250)->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(clicked, 250);
    EXPECT_EQ(group.currentItem(), "kt_shell_database_250");
}

TEST_F(MainWindowAccessTest, LanguageItemsAreOneExclusiveRadioGroup) {
    QActionGroup* group = window->English1->actionGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(window->Croatian1->actionGroup(), group);
    EXPECT_TRUE(group->isExclusive()) << "exclusive groups are drawn as radio items";
    EXPECT_EQ(group->actions(), QList<QAction*>({window->English1, window->Croatian1}));
    // Without language modules beside the test program a click changes nothing.
    window->Croatian1->trigger();
    EXPECT_TRUE(window->English1->isChecked());
    EXPECT_FALSE(window->Croatian1->isChecked());
    window->English1->trigger();
    EXPECT_TRUE(window->English1->isChecked());
    EXPECT_FALSE(window->Croatian1->isChecked());
}

TEST_F(MainWindowAccessTest, ServerDialogOpensCentredOnTheScreenNotOnTheWindow) {
    const QRect screen = window->screen()->availableGeometry();
    window->setGeometry(screen.left(), screen.top(), 500, 400); // far from the centre
    TConnectFrm dialog(window.get());
    dialog.show();
    QApplication::processEvents();
    EXPECT_LE((dialog.frameGeometry().center() - screen.center()).manhattanLength(), 2)
        << "centre " << dialog.frameGeometry().center().x() << ","
        << dialog.frameGeometry().center().y();
}

TEST_F(MainWindowAccessTest, ServerDialogShowsItsTextsWhole) {
    TConnectFrm dialog(window.get());
    dialog.show();
    QApplication::processEvents();
    EXPECT_GE(dialog.width(), 234);
    EXPECT_GE(dialog.height(), 201);
    EXPECT_GE(dialog.CBSjetise->width(), dialog.CBSjetise->sizeHint().width());
    EXPECT_GE(dialog.eHost->width(), 80);
}

} // namespace
