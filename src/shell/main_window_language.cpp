// The language switch of the main window's "Language" menu: its two radio items and what a click
// on one does to the check marks.
#include "shell/language_module.h"
#include "shell/main_window.h"
#include "ui/object_names.h"
#include "ui/retranslatable.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <memory>
#include <utility>
#include <vector>

void TQueryFrm1::buildLanguageItems() {
    English1 = Named(new QAction(this), "English1");
    Croatian1 = Named(new QAction(this), "Croatian1");
    English1->setCheckable(true);
    Croatian1->setCheckable(true);
    English1->setData(1033);
    Croatian1->setData(1050);
    English1->setChecked(true);
    // Radio items of one exclusive group; SetLanguage sets both check marks itself.
    auto* languages = Named(new QActionGroup(this), "LanguageGroup");
    languages->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    languages->addAction(English1);
    languages->addAction(Croatian1);
    Language1->addActions({English1, Croatian1});
    // A click on an unchecked language item has moved the group's mark to it before its handler
    // runs (the item checked, the other unchecked): that move is undone first, so that without the
    // language's module nothing changes.
    auto moves = std::make_shared<std::vector<std::pair<QAction*, bool>>>(); // item, mark before
    for (QAction* item : {English1, Croatian1}) {
        connect(item, &QAction::toggled, this,
                [moves, item](bool on) { moves->emplace_back(item, !on); });
        connect(item, &QAction::triggered, this, [this, moves, item] {
            QAction* other = item == English1 ? Croatian1 : English1;
            bool gained = false, otherLost = false;
            for (std::size_t i = moves->size() > 2 ? moves->size() - 2 : 0; i < moves->size();
                 ++i) {
                gained = gained || (*moves)[i] == std::pair<QAction*, bool>(item, false);
                otherLost = otherLost || (*moves)[i] == std::pair<QAction*, bool>(other, true);
            }
            if (otherLost)
                other->setChecked(true); // the group takes the mark from item again
            else if (gained)
                item->setChecked(false);
            moves->clear();
            SetLanguage(item);
            moves->clear();
        });
    }
}

void TQueryFrm1::SetLanguage(QAction* item) {
    // Without the item's module nothing changes: not the texts, not the check marks.
    if (!item || !LoadLanguageModule(item->data().toInt()))
        return;
    RetranslateAllWindows();
    English1->setChecked(item == English1);
    Croatian1->setChecked(item == Croatian1);
}
