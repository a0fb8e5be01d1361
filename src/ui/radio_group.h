// A titled group of radio buttons laid out in columns, one button per item; ItemIndex is the
// checked one (-1 for none). Every item shows its whole text: the columns are as wide as their
// longest item, and when they do not fit side by side the items stand in one column; a text wider
// than the group scrolls. Typing the first letters of an item moves the focus to it (Space checks
// it).
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QGridLayout;
class QRadioButton;
class QScrollArea;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    void setColumns(int columns);
    int columns() const { return columns_; }
    // The columns the items stand in now: columns(), or 1 when those do not fit the width.
    int shownColumns() const { return shownColumns_; }

    void setItems(const QStringList& items);
    void addItem(const QString& item);
    void clearItems();
    QStringList items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }

    int itemIndex() const;
    // Checks item i without running the click handler; -1 leaves none checked.
    void setItemIndex(int i);
    QString currentItem() const;
    QRadioButton* button(int i) const;

signals:
    // The operator clicked an item (also when it was checked already).
    void clicked(int index);
    // The items were replaced, added to or cleared.
    void itemsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void relayout();
    // Places the buttons in as many columns as fit, when that number changed (or always).
    void placeButtons(bool always);
    int columnsThatFit() const;

    QStringList items_;
    int columns_ = 1;
    int shownColumns_ = 1;
    int stretchRow_ = 0;
    QString typed_; // the letters typed in quick succession
    qint64 typedAt_ = 0;
    QButtonGroup group_;
    QScrollArea* scroll_;
    QWidget* inner_;
    QGridLayout* grid_;
};
