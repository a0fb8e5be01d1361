// A titled group of radio buttons laid out in columns, one button per item; ItemIndex is the
// checked one (-1 for none).
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

private:
    void relayout();

    QStringList items_;
    int columns_ = 1;
    QButtonGroup group_;
    QScrollArea* scroll_;
    QWidget* inner_;
    QGridLayout* grid_;
};
