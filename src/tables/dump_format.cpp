#include "tables/dump_format.h"

#include "ui/language.h"

namespace dump {

namespace {

// Characters, not UTF-16 units: a letter outside the basic plane is never cut in half.
QList<uint> Characters(const QString& text) {
    return text.toUcs4();
}

QString FromCharacters(const QList<uint>& chars, qsizetype from, qsizetype count = -1) {
    const QList<uint> part = chars.mid(from, count);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(part.constData()), part.size());
}

qsizetype Length(const QString& text) {
    return Characters(text).size();
}

// The first `keep` characters and two blanks when the text is longer than keep, else the text
// padded to keep + 2; rest receives what did not fit.
QString CutCell(const QString& text, int keep, QString& rest) {
    const QList<uint> chars = Characters(text);
    if (chars.size() <= keep) {
        rest.clear();
        return Cell(text, keep + 2);
    }
    rest = FromCharacters(chars, keep);
    return FromCharacters(chars, 0, keep) + QStringLiteral("  ");
}

} // namespace

QString RowPrefix(int row) {
    return (row < 10 ? QStringLiteral("  ") : QStringLiteral(" ")) + QString::number(row) +
           QStringLiteral(". ");
}

QString Cell(const QString& text, int width) {
    const qsizetype length = Length(text);
    if (length >= width)
        return text + QLatin1Char(' ');
    return text + QString(width - length, QLatin1Char(' '));
}

QStringList FieldLines(int row, const QStringList& fields) {
    QString nameRest;
    QString typeRest;
    QString line = RowPrefix(row);
    line += CutCell(fields.value(0), 25, nameRest);
    line += CutCell(fields.value(1), 15, typeRest);
    line += Cell(fields.value(2), 5) + Cell(fields.value(3), 4) + Cell(fields.value(4), 12) +
            Cell(fields.value(5), 16);
    QStringList lines{line};
    if (!nameRest.isEmpty() || !typeRest.isEmpty())
        lines.append(QString(5, QLatin1Char(' ')) + Cell(nameRest, 27) + Cell(typeRest, 17));
    return lines;
}

QString IndexLine(int row, const QStringList& keys) {
    const QString unique = keys.value(1) == QLatin1String("1")
                               ? BiText(QStringLiteral("not unique"), QStringLiteral("nije jedi."))
                               : BiText(QStringLiteral("unique"), QStringLiteral("jedinstven"));
    const QStringList cells{keys.value(2), unique,        keys.value(3), keys.value(4),
                            keys.value(5), keys.value(6), keys.value(7)};
    return RowPrefix(row) + cells.join(QLatin1Char('\t'));
}

QString DatabaseHeading(const QString& database) {
    return BiText(QStringLiteral("Structure of ") + database + QStringLiteral(" database:"),
                  QStringLiteral("Struktura ") + database + QStringLiteral(" baze:"));
}

QString TableHeading(const QString& table) {
    return table + BiText(QStringLiteral(" table:"), QStringLiteral(" tablica:"));
}

QString DefinitionHeading() {
    return BiText(QStringLiteral("Definition"), QStringLiteral("Definicija"));
}

QString FieldHeader() {
    return BiText(QStringLiteral("     Field name                 Type             "),
                  QStringLiteral("     Ime polja                  Tip              ")) +
           QStringLiteral("NULL Key Default     Extra           ");
}

QString KeysHeading() {
    return BiText(QStringLiteral("KEYinfo:"), QStringLiteral("Informacije o ključevima:"));
}

QString IndexHeader() {
    return BiText(QStringLiteral("     KEYName\t\tSeque.\tFIELDName\tCollat.\tCardin.\tSubpart"),
                  QStringLiteral("   IMEključa\t\tPored.\tIMEpolja \tSort.  \tKardin.\tDio    "));
}

QStringList SectionLines(const TableSection& section) {
    QStringList lines{TableHeading(section.table), DefinitionHeading(), QString(), FieldHeader()};
    if (!section.fieldsError.isEmpty())
        lines.append(section.fieldsError);
    int row = 0;
    for (const QStringList& field : section.fields)
        lines += FieldLines(++row, field);
    lines += QStringList{QString(), KeysHeading(), QString(), IndexHeader()};
    if (!section.keysError.isEmpty())
        lines.append(section.keysError);
    row = 0;
    for (const QStringList& key : section.keys)
        lines.append(IndexLine(++row, key));
    lines += QStringList{QString(), QString()};
    return lines;
}

} // namespace dump
