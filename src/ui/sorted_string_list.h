// A sorted list of texts that rejects duplicates, as the saved-server lists need. Texts are ordered
// alphabetically without regard to case; a text is a duplicate only when it is equal to the letter.
#pragma once

#include <QString>
#include <QStringList>

class SortedStringList {
public:
    // Adds the text in its sorted place; false (and nothing added) when it is already there.
    bool Add(const QString& text);
    bool Remove(const QString& text);
    bool Contains(const QString& text) const { return IndexOf(text) >= 0; }
    int IndexOf(const QString& text) const;
    void Clear() { items_.clear(); }
    bool IsEmpty() const { return items_.isEmpty(); }
    int Count() const { return static_cast<int>(items_.size()); }
    const QString& operator[](int i) const { return items_[i]; }
    const QStringList& Items() const { return items_; }

private:
    QStringList::const_iterator LowerBound(const QString& text) const;
    QStringList items_;
};
