#include "ui/sorted_string_list.h"

#include <algorithm>

namespace {
bool Before(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}
} // namespace

QStringList::const_iterator SortedStringList::LowerBound(const QString& text) const {
    return std::lower_bound(items_.cbegin(), items_.cend(), text, Before);
}

int SortedStringList::IndexOf(const QString& text) const {
    const auto it = LowerBound(text);
    return it != items_.cend() && *it == text ? static_cast<int>(it - items_.cbegin()) : -1;
}

bool SortedStringList::Add(const QString& text) {
    const auto it = LowerBound(text);
    if (it != items_.cend() && *it == text)
        return false;
    items_.insert(it - items_.cbegin(), text);
    return true;
}

bool SortedStringList::Remove(const QString& text) {
    const int i = IndexOf(text);
    if (i < 0)
        return false;
    items_.removeAt(i);
    return true;
}
