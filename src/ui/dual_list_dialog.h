// A two-list picker: the operator moves entries from the left-hand list to the right-hand list and
// back, then confirms or cancels. The caller fills both lists, runs Execute() and reads them back;
// the lists keep what the last confirmed use left in them.
#pragma once

#include "ui/retranslatable.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

class TDualListDialog : public QDialog, public Retranslatable {
    Q_OBJECT
public:
    explicit TDualListDialog(QWidget* parent = nullptr);

    // The caption of the dialog.
    void setTitle(const QString& title);
    // Whether both lists show their entries in alphabetical order (off: the order given and moved).
    void setSorted(bool sorted);
    bool sorted() const { return sorted_; }

    void setList1(const QStringList& entries) { list1_ = entries; }
    void setList2(const QStringList& entries) { list2_ = entries; }
    QStringList list1() const { return list1_; }
    QStringList list2() const { return list2_; }

    // Shows the dialog modally through the prompts. OK keeps the lists as the operator left them
    // and answers true; Cancel leaves them as they were and answers false.
    bool Execute();

    void retranslateUi() override;

    QLabel* SrcLabel;
    QLabel* DstLabel;
    QListWidget* SrcList;
    QListWidget* DstList;
    QPushButton* IncludeBtn;
    QPushButton* IncAllBtn;
    QPushButton* ExcludeBtn;
    QPushButton* ExAllBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    // Moves the selected entries (all entries when all is true) from one list to the end of the
    // other, keeping their order.
    void Move(QListWidget* from, QListWidget* to, bool all);
    void UpdateButtons();

    QStringList list1_;
    QStringList list2_;
    bool sorted_ = false;
};
