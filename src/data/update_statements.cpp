#include "data/update_statements.h"

#include "data/column_defaults.h"
#include "data/sql_names.h"

#include <algorithm>
#include <cctype>

namespace {

bool ContainsNoCase(std::string_view text, std::string_view word) {
    auto it = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
    return it != text.end();
}

// A decimal number as the server writes one: optional minus, digits, optional fraction.
bool IsPlainNumber(std::string_view s) {
    if (!s.empty() && s.front() == '-')
        s.remove_prefix(1);
    const std::size_t dot = s.find('.');
    const std::string_view whole = s.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
    if (whole.empty() || (dot != std::string_view::npos && fraction.empty()))
        return false;
    auto digits = [](std::string_view d) {
        return std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(whole) && digits(fraction);
}

// A FLOAT keeps a binary approximation that its text does not equal.
bool IsSinglePrecision(const TMySQLField& d) {
    return d.TypeText.rfind("float", 0) == 0;
}

class Generator {
public:
    Generator(const StatementAnalysis& a, const TFieldValues& o, const TFieldValues& n,
              const SqlLiteralFn& literal)
        : analysis_(a), old_(o), new_(n), literal_(literal) {}

    const TMySQLField* Describe(const std::string& name) const {
        const int d = analysis_.Find(name);
        return d < 0 ? nullptr : &analysis_.Fields()[static_cast<std::size_t>(d)];
    }

    std::string Literal(const TMySQLField* d, const std::string& text) const {
        if (d &&
            (KindOf(d->DataType) == ValueKind::Integer ||
             KindOf(d->DataType) == ValueKind::Decimal) &&
            IsPlainNumber(text))
            return text; // exact, and the same in every sql_mode
        return literal_(text);
    }

    // Entries of a table: those whose name is the table, a full stop and a column.
    static bool OfTable(const std::string& name, const std::string& table) {
        return name.size() > table.size() + 1 && name.compare(0, table.size(), table) == 0 &&
               name[table.size()] == '.' && name.find('.', table.size() + 1) == std::string::npos;
    }

    static std::string ColumnOf(const std::string& name) {
        return QuoteNameIfNeeded(name.substr(name.rfind('.') + 1));
    }

    // The WHERE part; empty when the row cannot be found (no column of the table in it).
    std::string Where(const std::string& table, bool& limitOne) const {
        limitOne = false;
        std::string cond;
        // By the primary key when every key column is in the row.
        const std::vector<std::string> keys = analysis_.PrimaryKeyOf(table);
        bool keyed = !keys.empty();
        for (const std::string& key : keys) {
            const int i = old_.IndexOf(table + "." + key);
            if (i < 0) {
                keyed = false;
                break;
            }
            cond += cond.empty() ? "" : " AND ";
            cond += Condition(Describe(old_.Name(static_cast<std::size_t>(i))),
                              static_cast<std::size_t>(i));
        }
        if (!keyed) {
            cond.clear();
            for (std::size_t i = 0; i < old_.Count(); ++i) {
                if (!OfTable(old_.Name(i), table))
                    continue;
                const TMySQLField* d = Describe(old_.Name(i));
                if (d && IsSinglePrecision(*d))
                    continue;
                cond += cond.empty() ? "" : " AND ";
                cond += Condition(d, i);
            }
            limitOne = !cond.empty();
        }
        return cond.empty() ? std::string() : " WHERE " + cond;
    }

    std::string Condition(const TMySQLField* d, std::size_t i) const {
        const std::string column = ColumnOf(old_.Name(i));
        if (old_.IsNull(i))
            return column + " IS NULL";
        return column + " = " + Literal(d, old_.Value(i));
    }

    std::string Insert(const std::string& table) const {
        std::string columns, values;
        for (std::size_t i = 0; i < new_.Count(); ++i) {
            if (!OfTable(new_.Name(i), table))
                continue;
            const TMySQLField* d = Describe(new_.Name(i));
            if (d && IsGenerated(*d))
                continue;
            // Left out, the server computes an expression default itself.
            if (d && new_.IsNull(i) && DefaultIsExpression(*d))
                continue;
            columns += columns.empty() ? "" : ", ";
            columns += ColumnOf(new_.Name(i));
            values += values.empty() ? "" : ", ";
            values += new_.IsNull(i) ? "NULL" : Literal(d, new_.Value(i));
        }
        if (columns.empty())
            return {};
        return "INSERT INTO " + TableInStatement(table) + " (" + columns + ") VALUES (" + values +
               ")";
    }

    std::string Update(const std::string& table) const {
        std::string sets;
        for (std::size_t i = 0; i < new_.Count(); ++i) {
            if (!OfTable(new_.Name(i), table) || i >= old_.Count() ||
                new_.Value(i) == old_.Value(i))
                continue;
            const TMySQLField* d = Describe(new_.Name(i));
            if (d && IsGenerated(*d))
                continue;
            sets += sets.empty() ? "" : ", ";
            sets += ColumnOf(new_.Name(i));
            sets += new_.IsNull(i) ? "=NULL" : "=" + Literal(d, new_.Value(i));
        }
        if (sets.empty())
            return {};
        bool limitOne = false;
        const std::string where = Where(table, limitOne);
        if (where.empty())
            return {};
        return "UPDATE " + TableInStatement(table) + " SET " + sets + where +
               (limitOne ? " LIMIT 1" : "");
    }

    std::string Delete(const std::string& table) const {
        bool limitOne = false;
        const std::string where = Where(table, limitOne);
        if (where.empty())
            return {};
        return "DELETE FROM " + TableInStatement(table) + where + (limitOne ? " LIMIT 1" : "");
    }

private:
    const StatementAnalysis& analysis_;
    const TFieldValues& old_;
    const TFieldValues& new_;
    const SqlLiteralFn& literal_;
};

} // namespace

std::string TextAsWritten(FieldType type, const std::string& text) {
    if (type == FieldType::Blob || text.find("\r\n") == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

bool IsAutoIncrement(const TMySQLField& d) {
    return d.AutoKind == 1;
}

bool IsGenerated(const TMySQLField& d) {
    return ContainsNoCase(d.Extra, "GENERATED");
}

std::string TableInStatement(std::string_view table) {
    return std::string(table); // the analysis keeps tables as SQL text, quoted where needed
}

std::vector<GeneratedStatement>
GenerateStatements(const StatementAnalysis& analysis, const TFieldValues& oldValues,
                   const TFieldValues& newValues, std::uint8_t state, const SqlLiteralFn& literal) {
    std::vector<GeneratedStatement> out;
    const Generator g(analysis, oldValues, newValues, literal);
    const std::vector<std::string>& tables = analysis.Tables();
    for (std::size_t t = 0; t < tables.size(); ++t) {
        GeneratedStatement s;
        s.table = t;
        switch (state) {
        case 1:
        case 2:
            s.sql = g.Insert(tables[t]);
            s.insert = true;
            break;
        case 3:
            s.sql = g.Delete(tables[t]);
            s.mustMatch = true;
            break;
        case 4:
            s.sql = g.Update(tables[t]);
            s.mustMatch = true;
            break;
        default:
            break;
        }
        if (!s.sql.empty())
            out.push_back(std::move(s));
    }
    return out;
}
