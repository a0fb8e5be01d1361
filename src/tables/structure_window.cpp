#include "tables/structure_window.h"

#include "tables/report_file.h"
#include "tables/structure_grid.h"
#include "ui/language.h"
#include "ui/object_names.h"
#include "ui/screen_placement.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void AppendGrid(QStringList& lines, const StructureGrid& grid) {
    for (int row = 0; row < grid.RowCount(); ++row) {
        QString line;
        for (int col = 0; col < grid.ColCount(); ++col)
            line += grid.Cell(col, row) + QLatin1Char('\t');
        lines.append(line);
    }
}

} // namespace

TfrmPropstbl::TfrmPropstbl(const QString& table, QWidget* parent) : QDialog(parent), table_(table) {
    setObjectName(QStringLiteral("frmPropstbl"));
    setModal(true);
    StringGrid1 = Named(new StructureGrid({22, 169, 133, 33, 33, 79, 85}, this), "StringGrid1");
    StringGrid2 = Named(new StructureGrid({22, 169, 67, 41, 126, 35, 35, 58}, this), "StringGrid2");
    BitBtn2 = Named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    BitBtn1 = Named(new QPushButton(this), "BitBtn1");
    BitBtn1->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1, 1);
    layout->addWidget(StringGrid2, 1);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmPropstbl::BitBtn2Click);
    resize(kDesignWidth, kDesignHeight);
    StringGrid1->setFocus();
    retranslateUi();
}

void TfrmPropstbl::retranslateUi() {
    setWindowTitle(tr("View MySQL table structure") + QStringLiteral(": ") + table_);
    StringGrid1->setAccessibleName(tr("Fields"));
    StringGrid2->setAccessibleName(tr("Indexes"));
    BitBtn2->setText(tr("Print struct"));
    BitBtn1->setText(tr("Close"));
}

void TfrmPropstbl::FillFields(const std::vector<QStringList>& fields) {
    StringGrid1->Fill(
        {BiText(QStringLiteral("Field name"), QStringLiteral("Ime polja")),
         BiText(QStringLiteral("Type"), QStringLiteral("Tip")), QStringLiteral("NULL"),
         BiText(QStringLiteral("Key"), QStringLiteral("Ključ")), QStringLiteral("Default"),
         BiText(QStringLiteral("Extra"), QStringLiteral("Ekstra"))},
        fields);
}

void TfrmPropstbl::FillKeys(const std::vector<QStringList>& keys) {
    std::vector<QStringList> rows;
    rows.reserve(keys.size());
    for (const QStringList& key : keys) {
        const QString unique =
            key.value(1) == QLatin1String("1")
                ? BiText(QStringLiteral("not unique"), QStringLiteral("nije jedinstven"))
                : BiText(QStringLiteral("unique"), QStringLiteral("jedinstven"));
        rows.push_back({key.value(2), unique, key.value(3), key.value(4), key.value(5),
                        key.value(6), key.value(7)});
    }
    StringGrid2->Fill({BiText(QStringLiteral("KEYName"), QStringLiteral("IMEključa")), QString(),
                       BiText(QStringLiteral("Seque."), QStringLiteral("Poredak")),
                       BiText(QStringLiteral("FIELDName"), QStringLiteral("IMEpolja")),
                       BiText(QStringLiteral("Collat."), QStringLiteral("Sort")),
                       BiText(QStringLiteral("Cardin."), QStringLiteral("Kardin.")),
                       BiText(QStringLiteral("Subpart"), QStringLiteral("DIOključa"))},
                      rows);
}

QStringList TfrmPropstbl::PrintLines() const {
    QStringList lines{QString(), QString(),
                      BiText(QStringLiteral("Field structure data:"),
                             QStringLiteral("Podaci o strukturi polja:")),
                      QString()};
    AppendGrid(lines, *StringGrid1);
    lines += QStringList{QString(), QString(),
                         BiText(QStringLiteral("Index structure data:"),
                                QStringLiteral("Podaci o strukturi indeksa:")),
                         QString()};
    AppendGrid(lines, *StringGrid2);
    return lines;
}

// "Print struct": both grids written to "struct.txt" and opened in the text editor.
void TfrmPropstbl::BitBtn2Click() {
    PublishReport(QString::fromLatin1(kReportName), PrintLines());
}

void TfrmPropstbl::showEvent(QShowEvent* event) {
    // Centred on the screen, not on the main window.
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}
