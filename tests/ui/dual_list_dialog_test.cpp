#include "support/scripted_prompts.h"
#include "ui/dual_list_dialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    return entries;
}

void Select(QListWidget* list, const QStringList& names) {
    list->clearSelection();
    for (const QString& name : names)
        list->findItems(name, Qt::MatchExactly).value(0)->setSelected(true);
}

} // namespace

TEST(DualListDialog, MovesEntriesBothWaysKeepingTheirOrder) {
    ScriptedPrompts prompts;
    TDualListDialog dialog;
    dialog.setObjectName("picker");
    dialog.setList1({"d", "b", "a", "c"});
    prompts.dialogs.push_back([](QDialog& d) {
        auto& dl = static_cast<TDualListDialog&>(d);
        EXPECT_EQ(Entries(dl.SrcList), QStringList({"d", "b", "a", "c"})) << "not sorted";
        EXPECT_FALSE(dl.IncludeBtn->isEnabled()) << "nothing selected yet";
        EXPECT_FALSE(dl.ExAllBtn->isEnabled());
        Select(dl.SrcList, {"a", "d"});
        dl.IncludeBtn->click();
        Select(dl.SrcList, {"c"});
        dl.IncludeBtn->click();
        EXPECT_EQ(Entries(dl.DstList), QStringList({"d", "a", "c"}));
        Select(dl.DstList, {"a"});
        dl.ExcludeBtn->click();
        // A double click moves an entry too.
        QListWidgetItem* b = dl.SrcList->findItems("b", Qt::MatchExactly).value(0);
        emit dl.SrcList->itemDoubleClicked(b);
        dl.OKBtn->click();
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.list1(), QStringList({"a"}));
    EXPECT_EQ(dialog.list2(), QStringList({"d", "c", "b"}));
}

TEST(DualListDialog, CancelLeavesTheListsOfTheLastConfirmedUse) {
    ScriptedPrompts prompts;
    TDualListDialog dialog;
    dialog.setList1({"x", "y"});
    dialog.setList2({"z"});
    prompts.dialogs.push_back([](QDialog& d) {
        auto& dl = static_cast<TDualListDialog&>(d);
        EXPECT_EQ(Entries(dl.DstList), QStringList({"z"}));
        dl.IncAllBtn->click();
        EXPECT_EQ(Entries(dl.DstList), QStringList({"z", "x", "y"}));
        EXPECT_TRUE(Entries(dl.SrcList).isEmpty());
        dl.CancelBtn->click();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.list1(), QStringList({"x", "y"}));
    EXPECT_EQ(dialog.list2(), QStringList({"z"}));

    prompts.dialogs.push_back([](QDialog& d) {
        auto& dl = static_cast<TDualListDialog&>(d);
        dl.ExAllBtn->click();
        dl.OKBtn->click();
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.list1(), QStringList({"x", "y", "z"}));
    EXPECT_TRUE(dialog.list2().isEmpty());
}
