// The filter of a query and searching its rows: Locate, Lookup and the Find operations.
#include "data/query_filter.h"

#include "data/db_error.h"
#include "data/mysql_query.h"
#include "data/sql_scanner.h"

#include <utility>

namespace {

std::string IncorrectFieldName(const std::string& name) {
    return "Incorrect field name \"" + name + "\"";
}

// A row's value as the filter sees it: numbers as numbers, a NULL as the empty text, dates by
// their shown text, booleans as "Y"/"N", everything else as text.
void SetFilterVariable(FilterValue& var, FieldType type, bool isUnsigned, const ValueView& value) {
    if (value.null) {
        var.SetText({});
        return;
    }
    switch (KindOf(type)) {
    case ValueKind::Integer:
        if (isUnsigned && value.i < 0)
            var.SetFloat(static_cast<double>(static_cast<std::uint64_t>(value.i)));
        else
            var.SetInteger(value.i);
        return;
    case ValueKind::Float:
        var.SetFloat(value.d);
        return;
    case ValueKind::Decimal:
        if (!ReadNumber(value.text, var))
            var.SetText(value.text);
        return;
    case ValueKind::Boolean:
        var.SetText(value.i ? "Y" : "N");
        return;
    case ValueKind::DateTime:
        var.kind = FilterKind::Text;
        AssignShownDateTime(value.text, var.text);
        return;
    default:
        var.SetText(value.text);
        return;
    }
}

} // namespace

void QueryFilter::SetText(const std::string& text) {
    const bool blank = text.find_first_not_of(" \t\r\n") == std::string::npos;
    const std::string oldText = text_;
    std::unique_ptr<TParser> old;
    if (blank) {
        old = std::move(parser_);
        text_ = text;
    } else if (!parser_ || text != text_) {
        auto parser = std::make_unique<TParser>();
        parser->SetEquation(text); // a text that does not compile changes nothing
        if (query_.Active())
            CheckNames(*parser); // nor does one that names no field
        old = std::move(parser_);
        parser_ = std::move(parser);
        text_ = text;
    } else {
        return;
    }
    const Fault oldFault = std::move(fault_);
    fault_ = {};
    BindFields();
    if (!filtered_ || !query_.Active())
        return;
    try {
        query_.ResyncToFirst();
    } catch (const EDatabaseError&) {
        // A filter that fails on a row is not taken.
        parser_ = std::move(old);
        text_ = oldText;
        fault_ = oldFault;
        BindFields();
        query_.ResyncToFirst();
        throw;
    }
}

void QueryFilter::SetFiltered(bool filtered) {
    if (filtered == filtered_)
        return;
    if (!query_.Active()) {
        filtered_ = filtered;
        return;
    }
    if (filtered && parser_)
        CheckNames(*parser_);
    query_.CheckBrowseMode();
    query_.ResolveCurrent();
    const Bookmark previous = query_.current_ >= 0 ? query_.cache_.Row(query_.current_)->recNo : 0;
    filtered_ = filtered;
    if (filtered) {
        try {
            query_.ResyncToFirst();
        } catch (const EDatabaseError&) {
            filtered_ = false;
            query_.ResyncToFirst();
            throw;
        }
        return;
    }
    // Switched off: the row that was current stays current.
    query_.InvalidateViewRows();
    query_.Resync(true);
    if (previous)
        query_.GotoBookmark(previous);
    else
        query_.First();
}

void QueryFilter::Opened() {
    BindFields();
    fault_ = {};
    if (InEffect())
        CheckNames(*parser_);
}

void QueryFilter::BindFields() {
    fields_.clear();
    if (!parser_)
        return;
    for (std::size_t k = 0; k < parser_->VariableCount(); ++k) {
        const TField* f = query_.FindField(parser_->VariableName(k));
        if (f)
            fields_.push_back({static_cast<int>(f->Index()), f->DataType(), f->IsUnsigned()});
        else
            fields_.push_back({-1, FieldType::String, false});
    }
}

void QueryFilter::CheckNames(const TParser& filter) const {
    for (std::size_t k = 0; k < filter.VariableCount(); ++k)
        if (!query_.FindField(filter.VariableName(k)))
            throw EParserError("Variable \"" + filter.VariableName(k) + "\" not found");
}

bool QueryFilter::Passes(std::size_t index) const {
    if (!parser_)
        return true;
    const RowCache& cache = query_.cache_;
    const RowRef row = cache.Row(index);
    try {
        for (std::size_t k = 0; k < fields_.size(); ++k) {
            const BoundField& f = fields_[k];
            if (f.field < 0)
                throw EParserError("Variable \"" + parser_->VariableName(k) + "\" not found");
            SetFilterVariable(parser_->VariableValue(k), f.type, f.isUnsigned,
                              cache.Value(row, static_cast<std::size_t>(f.field)));
        }
        return IsTruthy(parser_->Evaluate());
    } catch (const std::exception& e) {
        // A row the filter cannot judge is not shown, as a condition the server cannot judge
        // (a NULL) leaves its row out; the first such row is kept to be reported.
        if (fault_.recNo == 0)
            fault_ = {row->recNo, e.what()};
        return false;
    }
}

std::vector<std::size_t> QueryFilter::KeyFieldList(const std::string& names) const {
    std::vector<std::size_t> fields;
    std::string rest = names, token;
    for (;;) {
        const int kind = ExtractToken(rest, token);
        if (kind == tkEnd)
            return fields;
        if (kind == tkDelimiter)
            continue; // commas and semicolons separate names
        if (kind == tkNumber) {
            std::size_t index = query_.FieldCount();
            if (token.find_first_not_of("0123456789") == std::string::npos && token.size() < 10)
                index = static_cast<std::size_t>(std::stoul(token));
            if (index >= query_.FieldCount())
                throw EDatabaseError(IncorrectFieldName(token));
            fields.push_back(index);
            continue;
        }
        const std::string name = kind == tkQuoted ? Unquote(token) : PlainName(token);
        const TField* field = query_.FindField(name);
        if (!field)
            throw EDatabaseError(IncorrectFieldName(name));
        fields.push_back(field->Index());
    }
}

std::vector<ValueMatcher> QueryFilter::KeyMatchers(const std::vector<std::size_t>& fields,
                                                   const std::vector<std::string>& values,
                                                   unsigned options) const {
    if (values.size() != fields.size())
        throw EDatabaseError("Incorrect arguments number");
    std::vector<ValueMatcher> matchers;
    matchers.reserve(fields.size());
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const TField& f = query_.Field(fields[k]);
        matchers.emplace_back(f.DataType(), f.IsUnsigned(), values[k], options);
    }
    return matchers;
}

bool QueryFilter::RowMatches(std::size_t index, const std::vector<std::size_t>& fields,
                             const std::vector<ValueMatcher>& matchers) const {
    const RowCache& cache = query_.cache_;
    const RowRef row = cache.Row(index);
    for (std::size_t k = 0; k < fields.size(); ++k)
        if (!matchers[k].Matches(cache.Value(row, fields[k])))
            return false;
    return true;
}

std::int64_t QueryFilter::FindMatching(const std::vector<std::size_t>& fields,
                                       const std::vector<ValueMatcher>& matchers) {
    for (std::size_t i = 0;; ++i) {
        if (i >= query_.cache_.Count() && !(query_.CanFetch() && query_.FetchOne()))
            return -1;
        if (query_.RowVisible(i) && RowMatches(i, fields, matchers))
            return static_cast<std::int64_t>(i);
    }
}

bool QueryFilter::Locate(const std::string& keyFields, const std::vector<std::string>& keyValues,
                         unsigned options) {
    query_.CheckBrowseMode();
    const std::vector<std::size_t> fields = KeyFieldList(keyFields);
    const std::vector<ValueMatcher> matchers = KeyMatchers(fields, keyValues, options);
    const std::int64_t found = FindMatching(fields, matchers);
    if (found < 0)
        return false;
    query_.MoveToCacheRow(found);
    return true;
}

std::optional<std::vector<std::string>>
QueryFilter::Lookup(const std::string& keyFields, const std::vector<std::string>& keyValues,
                    const std::string& resultFields) {
    query_.CheckActive();
    const std::vector<std::size_t> fields = KeyFieldList(keyFields);
    const std::vector<ValueMatcher> matchers = KeyMatchers(fields, keyValues, 0);
    const std::vector<std::size_t> results = KeyFieldList(resultFields);
    const std::int64_t found = FindMatching(fields, matchers);
    if (found < 0)
        return std::nullopt;
    const RowCache& cache = query_.cache_;
    const RowRef row = cache.Row(static_cast<std::size_t>(found));
    std::vector<std::string> texts;
    for (std::size_t f : results) {
        const TField& field = query_.Field(f);
        texts.push_back(DisplayText(field.DataType(), field.IsUnsigned(), cache.Value(row, f)));
    }
    return texts;
}

bool QueryFilter::FindWithFilter(std::int64_t from, int step) {
    query_.CheckBrowseMode();
    if (parser_)
        CheckNames(*parser_);
    for (std::int64_t i = from; i >= 0; i += step) {
        if (i >= static_cast<std::int64_t>(query_.cache_.Count()) &&
            !(query_.CanFetch() && query_.FetchOne()))
            return false;
        const auto index = static_cast<std::size_t>(i);
        if (query_.StateVisible(index) && query_.PassesLink(index) && Passes(index)) {
            query_.MoveToCacheRow(i);
            return true;
        }
    }
    return false;
}

bool QueryFilter::FindFirst() {
    return FindWithFilter(0, 1);
}

bool QueryFilter::FindLast() {
    query_.CheckBrowseMode();
    query_.FetchAll();
    return FindWithFilter(static_cast<std::int64_t>(query_.cache_.Count()) - 1, -1);
}

bool QueryFilter::FindNext() {
    query_.CheckBrowseMode();
    query_.ResolveCurrent();
    return FindWithFilter(query_.current_ + 1, 1);
}

bool QueryFilter::FindPrior() {
    query_.CheckBrowseMode();
    query_.ResolveCurrent();
    return query_.current_ > 0 && FindWithFilter(query_.current_ - 1, -1);
}
