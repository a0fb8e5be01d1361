#include "ui/language.h"

#include <QAction>
#include <QPointer>

namespace {
QPointer<QAction> g_english1;
}

void setLanguageFlagItem(QAction* english1) {
    g_english1 = english1;
}

bool englishChecked() {
    return !g_english1 || g_english1->isChecked();
}

QString BiText(const QString& english, const QString& croatian) {
    return englishChecked() ? english : croatian;
}
