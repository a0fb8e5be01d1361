#include "ui/url_label.h"

#include "ui/launcher.h"
#include "ui/object_names.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>

TUrlLabel::TUrlLabel(QWidget* parent) : QLabel(parent) {
    setFontColor(QColor(0, 0, 255));
    // Only the underline is the label's own; the rest of the font comes from the parent.
    QFont underlined;
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    PopupMenu = Named(new QMenu(this), "PopupMenu");
    Copy1 = Named(new QAction(PopupMenu), "Copy1");
    PopupMenu->addAction(Copy1);
    connect(Copy1, &QAction::triggered, this, &TUrlLabel::CopyClick);
    retranslateUi();
}

void TUrlLabel::retranslateUi() {
    Copy1->setText(tr("Copy"));
}

QColor TUrlLabel::fontColor() const {
    return palette().color(QPalette::WindowText);
}

void TUrlLabel::setFontColor(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, c);
    setPalette(p);
}

QString TUrlLabel::target() const {
    const QString url = url_.trimmed();
    return url.isEmpty() ? text().trimmed() : url;
}

void TUrlLabel::Click() {
    emit clicked();
    const QString t = target();
    // Whether the handler could open it is not reported.
    if (!t.isEmpty())
        launcher().openAddress(t);
}

void TUrlLabel::CopyClick() {
    QGuiApplication::clipboard()->setText(text());
}

void TUrlLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !leftDown_) {
        leftDown_ = true;
        savedColor_ = fontColor();
        setFontColor(activeColor_);
    }
    QLabel::mousePressEvent(event);
}

void TUrlLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !leftDown_)
        return;
    leftDown_ = false;
    setFontColor(savedColor_);
    // A click is a press and a release on the label.
    if (rect().contains(event->position().toPoint()))
        Click();
}

void TUrlLabel::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu->popup(event->globalPos());
    event->accept();
}
