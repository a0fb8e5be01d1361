// A label that shows a web address and opens it with the desktop's default handler when clicked:
// blue and underlined, with the hand cursor, the active colour while the left button is held
// down, and a right-click menu whose "Copy" puts the caption on the clipboard.
#pragma once

#include "ui/retranslatable.h"

#include <QColor>
#include <QLabel>

class QAction;
class QMenu;

class TUrlLabel : public QLabel, public Retranslatable {
    Q_OBJECT
public:
    explicit TUrlLabel(QWidget* parent = nullptr);

    // The address to open; when blank the caption is opened instead.
    QString URL() const { return url_; }
    void setURL(const QString& url) { url_ = url; }
    // The font colour while the left mouse button is held down on the label.
    QColor ActiveColor() const { return activeColor_; }
    void setActiveColor(const QColor& c) { activeColor_ = c; }
    // The font colour shown now.
    QColor fontColor() const;

    // What a click opens: URL when it is not blank, else the caption (blanks trimmed).
    QString target() const;
    // A click: the clicked signal, then the target opened through the launcher unless it is blank.
    void Click();
    // The "Copy" item: the caption to the clipboard.
    void CopyClick();

    void retranslateUi() override;

    QMenu* PopupMenu;
    QAction* Copy1;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setFontColor(const QColor& c);

    QString url_;
    QColor activeColor_{128, 0, 128};
    QColor savedColor_;
    bool leftDown_ = false;
};
