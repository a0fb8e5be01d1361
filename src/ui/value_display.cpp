#include "ui/value_display.h"

#include "data/geometry_text.h"
#include "data/json_text.h"
#include "data/mysql_query.h"
#include "data/text_utils.h"
#include "data/value_bytes.h"
#include "ui/language.h"

#include <QLocale>

#include <algorithm>
#include <cctype>

namespace {

// Values are judged by their first bytes only, so that a cell of a large value paints quickly.
constexpr std::size_t kJudgedBytes = 64 * 1024;
// Binary values up to this size show all their bytes.
constexpr std::size_t kShortBinary = 16;
// Longer ones show this many first bytes.
constexpr std::size_t kLeadingBytes = 8;

// The first bytes of a value, never ending inside a UTF-8 sequence.
std::string_view Lead(std::string_view bytes) {
    if (bytes.size() <= kJudgedBytes)
        return bytes;
    std::size_t n = kJudgedBytes;
    while (n > 0 && (static_cast<unsigned char>(bytes[n]) & 0xC0) == 0x80)
        --n;
    return bytes.substr(0, n);
}

// The type's name without width, attributes or case ("varbinary(16)" gives "varbinary").
std::string BaseType(std::string_view typeText) {
    std::string base(typeText.substr(0, std::min(typeText.find('('), typeText.find(' '))));
    for (char& c : base)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return base;
}

bool IsGeometryType(const std::string& base) {
    static constexpr std::string_view kNames[] = {
        "geometry",   "point",           "linestring",   "polygon",
        "multipoint", "multilinestring", "multipolygon", "geometrycollection"};
    return std::find(std::begin(kNames), std::end(kNames), base) != std::end(kNames);
}

bool LooksLikeJson(std::string_view bytes) {
    const auto first =
        std::find_if(bytes.begin(), bytes.end(), [](char c) { return !std::isspace(c & 0xFF); });
    return first != bytes.end() && (*first == '{' || *first == '[');
}

bool IsJson(std::string_view bytes, std::size_t maxBytes) {
    return LooksLikeJson(bytes) && CompactJson(bytes, maxBytes).has_value();
}

QString Cut(std::string text, bool cut, std::size_t maxBytes) {
    if (text.size() > maxBytes) {
        text = TruncateUtf8(text, maxBytes);
        cut = true;
    }
    QString shown = QString::fromUtf8(text);
    if (cut)
        shown += QChar(0x2026);
    return shown;
}

QString BinarySummary(const TField& field, std::string_view bytes) {
    if (bytes.size() <= kShortBinary)
        return QStringLiteral("0x") + QString::fromStdString(HexBytes(bytes));
    QString summary =
        QStringLiteral("(") + SummaryTypeName(field) + QLatin1Char(' ') + SizeText(bytes.size());
    const QString format = FormatDescription(bytes);
    if (!format.isEmpty())
        return summary + QStringLiteral(", ") + format + QLatin1Char(')');
    return summary + QStringLiteral(") ") +
           QString::fromStdString(HexBytes(bytes.substr(0, kLeadingBytes), ' ')) + QChar(0x2026);
}

} // namespace

std::string ColumnTypeText(const TField& field) {
    if (const auto* query = dynamic_cast<const TMySQLQuery*>(&field.DataSet()))
        if (const TMySQLField* d = query->Description(field))
            return d->TypeText;
    return {};
}

ValueForm FormOfValue(const TField& field, std::string_view bytes) {
    if (KindOf(field.DataType()) != ValueKind::Text)
        return ValueForm::Text;
    const std::string typeText = ColumnTypeText(field);
    const std::string base = BaseType(typeText);
    if (IsGeometryType(base))
        return DecodeGeometry(bytes, 0) ? ValueForm::Geometry : ValueForm::Binary;
    if (base == "bit")
        return ValueForm::Binary;
    const std::string_view lead = Lead(bytes);
    const bool readable = field.DataType() == FieldType::Blob
                              ? IsReadableText(lead)
                              : IsValidUtf8(lead) && lead.find('\0') == std::string_view::npos;
    if (!readable) {
        // A computed column (no type known) may be a geometry.
        if (typeText.empty()) {
            const auto geometry = DecodeGeometry(bytes, kJudgedBytes);
            if (geometry && !geometry->cut)
                return ValueForm::Geometry;
        }
        return ValueForm::Binary;
    }
    if ((base == "json" || LooksLikeJson(lead)) && IsJson(bytes, kJudgedBytes))
        return ValueForm::Json;
    return ValueForm::Text;
}

QString CellDisplayText(const TField& field, const ValueView& value, std::size_t maxBytes) {
    if (value.null)
        return QStringLiteral("(NULL)");
    if (KindOf(field.DataType()) != ValueKind::Text)
        return Cut(DisplayText(field.DataType(), field.IsUnsigned(), value), false, maxBytes);
    switch (FormOfValue(field, value.text)) {
    case ValueForm::Json:
        if (auto json = CompactJson(value.text, maxBytes))
            return Cut(std::move(json->text), json->cut, maxBytes);
        break;
    case ValueForm::Geometry:
        if (auto geometry = DecodeGeometry(value.text, maxBytes))
            return Cut(std::move(geometry->text), geometry->cut, maxBytes);
        break;
    case ValueForm::Binary:
        return BinarySummary(field, value.text);
    case ValueForm::Text:
        break;
    }
    return Cut(DisplayText(field.DataType(), field.IsUnsigned(), value), false, maxBytes);
}

bool OpensInViewer(const TField& field, const ValueView& value) {
    if (KindOf(field.DataType()) != ValueKind::Text)
        return false;
    if (field.DataType() == FieldType::Blob || IsGeometryType(BaseType(ColumnTypeText(field))))
        return true;
    if (value.null)
        return false;
    if (FormOfValue(field, value.text) != ValueForm::Text)
        return true;
    return value.text.find_first_of("\r\n") != std::string_view::npos ||
           Utf8Length(value.text) > kLongTextChars;
}

bool EditableAsText(const TField& field, const ValueView& value) {
    if (value.null || KindOf(field.DataType()) != ValueKind::Text)
        return true;
    const ValueForm form = FormOfValue(field, value.text);
    return form == ValueForm::Text || form == ValueForm::Json;
}

QString SizeText(std::uint64_t bytes) {
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" B");
    static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
    double size = static_cast<double>(bytes) / 1024;
    int unit = 0;
    while (size >= 1024 && unit < 3) {
        size /= 1024;
        ++unit;
    }
    QLocale locale(englishChecked() ? QLocale::English : QLocale::Croatian);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(size, 'f', 1) + QLatin1Char(' ') + QLatin1String(kUnits[unit]);
}

QString SummaryTypeName(const TField& field) {
    const std::string base = BaseType(ColumnTypeText(field));
    if (!base.empty())
        return QString::fromStdString(base).toUpper();
    return field.DataType() == FieldType::Blob ? QStringLiteral("BLOB") : QStringLiteral("BINARY");
}

QString FormatDescription(std::string_view bytes) {
    const FileFormat format = FileFormatOf(bytes);
    if (format == FileFormat::None)
        return {};
    const QString name = QLatin1String(FileFormatName(format));
    if (IsImageFormat(format))
        return BiText(name + QStringLiteral(" image"), name + QStringLiteral(" slika"));
    if (format == FileFormat::Pdf)
        return BiText(name + QStringLiteral(" document"), name + QStringLiteral(" dokument"));
    return BiText(name + QStringLiteral(" archive"), name + QStringLiteral(" arhiva"));
}
