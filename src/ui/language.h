// The language flag: the checked state of the main window's menu item English1. Every message the
// program composes exists in English and Croatian; BiText picks the one the flag asks for.
#pragma once

#include <QString>

class QAction;

// Registers the menu item whose check mark is the flag (the main window does this at creation).
void setLanguageFlagItem(QAction* english1);
// True when English texts are to be shown (also when no main window exists).
bool englishChecked();
// The English text when English1 is checked, otherwise the Croatian text.
QString BiText(const QString& english, const QString& croatian);
