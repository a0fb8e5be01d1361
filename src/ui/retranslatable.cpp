#include "ui/retranslatable.h"

#include <QApplication>
#include <QPointer>
#include <QSet>
#include <QWidget>

void RetranslateAllWindows() {
    // Collect first: a retranslateUi() may create or delete widgets.
    QList<QPointer<QWidget>> found;
    QSet<QWidget*> seen;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        QList<QWidget*> widgets{top};
        widgets += top->findChildren<QWidget*>();
        for (QWidget* w : widgets)
            if (dynamic_cast<Retranslatable*>(w) && !seen.contains(w)) {
                seen.insert(w);
                found.append(w);
            }
    }
    for (const QPointer<QWidget>& w : found)
        if (w)
            dynamic_cast<Retranslatable*>(w.data())->retranslateUi();
}
