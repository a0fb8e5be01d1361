#include "shell/main_commands.h"
#include "shell/main_window.h"
#include "support/scripted_prompts.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

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
            EXPECT_EQ(a->isEnabled(), c.handler != nullptr || c.command != nullptr) << c.name;
            EXPECT_FALSE(c.handler && c.command) << c.name << " runs two things";
        }
        if (const ToolbarButton& button = c.button; button.number) {
            EXPECT_TRUE(buttons.insert(button.number).second) << button.number;
            QToolButton* b = w.SpeedButton(button.number);
            ASSERT_NE(b, nullptr) << button.number;
            EXPECT_EQ(b->isEnabled(), c.name != nullptr) << button.number;
            EXPECT_EQ(b->toolTip(), b->accessibleName());
            EXPECT_EQ(w.SpeedButtons.at(static_cast<std::size_t>(button.place)), b);
        }
    }
    EXPECT_EQ(buttons.size(), w.SpeedButtons.size());
}

// The toolbar's look follows the row's flags, not button numbers: raised buttons are not flat,
// grouped ones are toggles of one group of which at most one stays down.
TEST_F(MainCommandsTest, ButtonsFollowTheRowsFlags) {
    TQueryFrm1 w;
    std::vector<QToolButton*> grouped;
    for (const MainCommand& c : MainCommands()) {
        if (!c.button.number)
            continue;
        QToolButton* b = w.SpeedButton(c.button.number);
        ASSERT_NE(b, nullptr) << c.button.number;
        EXPECT_EQ(b->autoRaise(), !c.button.raised) << c.button.number;
        EXPECT_EQ(b->isCheckable(), c.button.grouped) << c.button.number;
        if (c.button.grouped)
            grouped.push_back(b);
    }
    ASSERT_EQ(grouped.size(), 2u);
    grouped[0]->setChecked(true);
    grouped[1]->setChecked(true);
    EXPECT_FALSE(grouped[0]->isChecked());
    EXPECT_TRUE(grouped[1]->isChecked());
}

// What a row runs is its command; the window keeps no slot that would only run it again, so a
// test or a caller reaches the command by the item's name or the command function.
TEST_F(MainCommandsTest, ARowsCommandHasNoForwardingSlot) {
    TQueryFrm1 w;
    for (const MainCommand& c : MainCommands()) {
        if (!c.command)
            continue;
        const QByteArray slot = QByteArray(c.name) + "Click()";
        EXPECT_EQ(w.metaObject()->indexOfMethod(slot.constData()), -1) << c.name;
    }
    // The table tools' refreshes are rows too, the right-click items among them.
    for (const char* name :
         {"Viewtable1", "Viewtable2", "Createtable1", "Createtable2", "Emptytable1", "Emptytable2",
          "Droptable1", "Droptable2", "Dumpdatabse1", "Runquery1", "Closequery1", "Openscript1"}) {
        const auto row =
            std::find_if(MainCommands().begin(), MainCommands().end(), [&](const MainCommand& c) {
                return c.name && !std::strcmp(c.name, name);
            });
        ASSERT_NE(row, MainCommands().end()) << name;
        EXPECT_NE(row->command, nullptr) << name;
        EXPECT_EQ(row->handler, nullptr) << name;
    }
}

// The right-click items run what the items of the Table menu run.
TEST_F(MainCommandsTest, PopupItemsRunTheTableMenusCommands) {
    auto commandOf = [](const char* name) {
        for (const MainCommand& c : MainCommands())
            if (c.name && !std::strcmp(c.name, name))
                return c.command;
        return static_cast<void (*)(CommandContext&)>(nullptr);
    };
    for (const auto& [menu, popup] :
         {std::pair("Viewtable2", "Viewtable1"), std::pair("Createtable1", "Createtable2"),
          std::pair("Emptytable1", "Emptytable2"), std::pair("Droptable1", "Droptable2")}) {
        EXPECT_NE(commandOf(menu), nullptr) << menu;
        EXPECT_EQ(commandOf(menu), commandOf(popup)) << popup;
    }
}

} // namespace
