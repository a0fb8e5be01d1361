#include "shell/main_commands.h"
#include "shell/main_window.h"
#include "support/scripted_prompts.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace {

QStringList Entries(const QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return texts;
}

class MainCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }

    ScriptedPrompts prompts;
};

// The menus the window builds from the command table, entry by entry (submenus by their own menu
// action's object name, which is empty).
TEST_F(MainCommandsTest, MenusHoldTheirItemsInOrder) {
    TQueryFrm1 w;
    EXPECT_EQ(Entries(w.File1), QStringList({"", "-", "", "-", "Clear1", "-", "Exit1"}));
    EXPECT_EQ(w.File1->actions()[0]->menu(), w.Server1);
    EXPECT_EQ(w.File1->actions()[2]->menu(), w.Users1);
    EXPECT_EQ(Entries(w.Manipulate1), QStringList({"Addhost1", "Modifyhost1", "Removehost1"}));
    EXPECT_EQ(Entries(w.View1), QStringList({"Viewhostsfriendly1", "ViewhostsIP1"}));
    EXPECT_EQ(Entries(w.Users1),
              QStringList({"Adduser1", "Viewuser1", "Viewuserinfo1", "Removeuser1"}));
    EXPECT_EQ(Entries(w.Database1), QStringList({"", "", "", "-", "Clear2"}));
    EXPECT_EQ(w.Database1->actions()[1]->menu(), w.Table1);
    EXPECT_EQ(Entries(w.DB1),
              QStringList({"ShowDatabases1", "CreateDB1", "DropDB1", "-", "Dumpdatabse1"}));
    EXPECT_EQ(Entries(w.Table1),
              QStringList({"Viewtable2", "Createtable1", "-", "Emptytable1", "Droptable1"}));
    EXPECT_EQ(Entries(w.Query1), QStringList({"Runquery1", "Closequery1", "-", "Openscript1"}));
    EXPECT_EQ(Entries(w.PopupMenu1),
              QStringList({"Viewtable1", "Emptytable2", "Droptable2", "Createtable2"}));
    EXPECT_EQ(Entries(w.Language1), QStringList({"English1", "Croatian1"}));
}

// Every row stands for one item and at most one button; every button's hint is its accessible
// name, and a button without an item is disabled.
TEST_F(MainCommandsTest, EveryRowIsOneItemAndOneButton) {
    TQueryFrm1 w;
    std::set<QString> names;
    std::set<int> buttons;
    for (const MainCommand& c : MainCommands()) {
        if (c.name) {
            EXPECT_TRUE(names.insert(c.name).second) << c.name;
            QAction* a = w.CommandAction(c.name);
            ASSERT_NE(a, nullptr) << c.name;
            EXPECT_TRUE(!c.item || w.*c.item == a) << c.name;
            EXPECT_EQ(a->objectName(), c.name);
            EXPECT_FALSE(a->text().isEmpty()) << c.name;
            EXPECT_EQ(a->isEnabled(), c.slot != nullptr || c.command != nullptr) << c.name;
            EXPECT_FALSE(c.slot && c.command) << c.name << " runs two things";
        }
        if (c.button) {
            EXPECT_TRUE(buttons.insert(c.button).second) << c.button;
            QToolButton* b = w.SpeedButton(c.button);
            ASSERT_NE(b, nullptr) << c.button;
            EXPECT_EQ(b->isEnabled(), c.name != nullptr) << c.button;
            EXPECT_EQ(b->toolTip(), b->accessibleName());
            EXPECT_EQ(w.SpeedButtons.at(static_cast<std::size_t>(c.toolbarSlot)), b);
        }
    }
    EXPECT_EQ(buttons.size(), w.SpeedButtons.size());
}

} // namespace
