// A list of text entries with a check mark each, as the wizards use: the current entry (the
// highlighted one) and the checked entries are independent. ClickCheck() is emitted when the
// operator changes a check mark; the entry whose mark changed has become the current one.
#pragma once

#include <QListWidget>
#include <QStringList>

class TCheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TCheckListBox(QWidget* parent = nullptr);

    void AddEntry(const QString& text, bool checked = false);
    void AddEntries(const QStringList& texts);
    bool Checked(int row) const;
    // Sets a check mark as the operator would (ClickCheck follows) or, with notify false, quietly.
    void SetChecked(int row, bool checked, bool notify = true);
    int CheckedCount() const;
    QStringList CheckedTexts() const;
    QStringList Texts() const;
    // The text of the current entry; empty when there is none.
    QString CurrentText() const;
    // Removes the first checked entry; false when none is checked.
    bool RemoveFirstChecked();
    // Removes the first entry of each text given.
    void RemoveTexts(const QStringList& texts);

signals:
    void ClickCheck(int row);

private:
    bool filling_ = false;
};
