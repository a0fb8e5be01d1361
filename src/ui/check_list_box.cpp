#include "ui/check_list_box.h"

TCheckListBox::TCheckListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (filling_)
            return;
        setCurrentItem(item);
        emit ClickCheck(row(item));
    });
}

void TCheckListBox::AddEntry(const QString& text, bool checked) {
    filling_ = true;
    auto* item = new QListWidgetItem(text, this);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    filling_ = false;
}

void TCheckListBox::AddEntries(const QStringList& texts) {
    for (const QString& t : texts)
        AddEntry(t);
}

bool TCheckListBox::Checked(int row) const {
    const QListWidgetItem* it = item(row);
    return it && it->checkState() == Qt::Checked;
}

void TCheckListBox::SetChecked(int row, bool checked, bool notify) {
    QListWidgetItem* it = item(row);
    if (!it)
        return;
    filling_ = !notify;
    it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    filling_ = false;
}

int TCheckListBox::CheckedCount() const {
    int n = 0;
    for (int i = 0; i < count(); ++i)
        n += Checked(i) ? 1 : 0;
    return n;
}

QStringList TCheckListBox::CheckedTexts() const {
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        if (Checked(i))
            texts.append(item(i)->text());
    return texts;
}

QStringList TCheckListBox::Texts() const {
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        texts.append(item(i)->text());
    return texts;
}

QString TCheckListBox::CurrentText() const {
    const QListWidgetItem* it = currentItem();
    return it ? it->text() : QString();
}

void TCheckListBox::RemoveTexts(const QStringList& texts) {
    for (const QString& text : texts)
        for (int i = 0; i < count(); ++i)
            if (item(i)->text() == text) {
                delete takeItem(i);
                break;
            }
}

bool TCheckListBox::RemoveFirstChecked() {
    for (int i = 0; i < count(); ++i)
        if (Checked(i)) {
            delete takeItem(i);
            return true;
        }
    return false;
}
