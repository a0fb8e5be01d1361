#include "ui/screen_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreOnScreen(QWidget& window) {
    const QScreen* s = window.parentWidget() ? window.parentWidget()->screen() : window.screen();
    if (!s)
        s = QGuiApplication::primaryScreen();
    if (!s)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    window.move(frame.topLeft());
}
