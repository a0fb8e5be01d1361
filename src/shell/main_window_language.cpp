// The language switch of the main window's "Language" menu.
#include "shell/language_module.h"
#include "shell/main_window.h"
#include "ui/retranslatable.h"

#include <QAction>

void TQueryFrm1::SetLanguage(QAction* item) {
    // Without the item's module nothing changes: not the texts, not the check marks.
    if (!item || !LoadLanguageModule(item->data().toInt()))
        return;
    RetranslateAllWindows();
    English1->setChecked(item == English1);
    Croatian1->setChecked(item == Croatian1);
}
