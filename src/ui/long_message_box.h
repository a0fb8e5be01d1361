// A message box for texts too long for the screen (server status, variables, process lists): the
// text scrolls in a read-only field above the OK button, so no line is out of reach.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The text as a message box shows it: composed texts end their lines with LF then CR, which a
// box shows as one line break.
QString MessageBoxText(const QString& text);

// True when text has more lines than a plain message box shows on a screen.
bool NeedsScrollingBox(const QString& text);

// Shows text modally with an OK button and waits until it is closed.
void ShowScrollingMessage(QWidget* parent, const QString& title, QMessageBox::Icon icon,
                          const QString& text);
