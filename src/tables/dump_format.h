// The lines of the database structure report "dbstruct.txt": a fixed-width field table and a
// tab-separated index table per table. Widths are counted in characters, never bytes, and a value
// wider than its column is written whole followed by one blank, so no cell runs into the next.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace dump {

// "  7. " for rows below 10, " 12. " from 10 on.
QString RowPrefix(int row);

// text padded with blanks to width characters; a text of width characters or more is written
// whole with one blank after it.
QString Cell(const QString& text, int width);

// The field line, and the continuation line that follows it when the name is longer than 25 or
// the type longer than 15 characters (empty when none is needed). fields: the columns of
// SHOW FIELDS (name, type, null, key, default, extra).
QStringList FieldLines(int row, const QStringList& fields);

// Prefix, key name, uniqueness, sequence, column name, collation, cardinality and sub-part,
// separated by TABs. keys: the columns of SHOW KEYS.
QString IndexLine(int row, const QStringList& keys);

// Headings and column headers in the language of the moment.
QString DatabaseHeading(const QString& database);
QString TableHeading(const QString& table);
QString DefinitionHeading();
QString FieldHeader();
QString KeysHeading();
QString IndexHeader();

// The whole section of one table. fieldsError or keysError, when not empty, stands in the place
// of that table's rows: the server could not describe it.
struct TableSection {
    QString table;
    std::vector<QStringList> fields;
    QString fieldsError;
    std::vector<QStringList> keys;
    QString keysError;
};
QStringList SectionLines(const TableSection& section);

} // namespace dump
