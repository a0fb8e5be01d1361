// The window that shows a table's fields and indexes in two grids, and prints both into the
// report "struct.txt".
#pragma once

#include "ui/retranslatable.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class QPushButton;
class StructureGrid;

class TfrmPropstbl : public QDialog, public Retranslatable {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 598;
    static constexpr int kDesignHeight = 352;
    static constexpr const char* kReportName = "struct.txt";

    TfrmPropstbl(const QString& table, QWidget* parent = nullptr);

    // The rows of SHOW FIELDS (name, type, null, key, default, extra), titled in the language of
    // the moment.
    void FillFields(const std::vector<QStringList>& fields);
    // The rows of SHOW KEYS, titled in the language of the moment; the non-unique flag becomes
    // "unique" or "not unique".
    void FillKeys(const std::vector<QStringList>& keys);

    // The report: both grids cell by cell, each cell followed by a TAB, under headings in the
    // language of the moment.
    QStringList PrintLines() const;

    void retranslateUi() override;

    StructureGrid* StringGrid1;
    StructureGrid* StringGrid2;
    QPushButton* BitBtn1; // Close
    QPushButton* BitBtn2; // Print struct

public slots:
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString table_;
};
