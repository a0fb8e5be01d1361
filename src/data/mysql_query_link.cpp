// The filter of a query and its master/detail link.
#include "data/mysql_query.h"

#include "data/db_error.h"
#include "data/live_errors.h"
#include "data/mysql_database.h"
#include "data/sql_names.h"
#include "data/sql_values.h"

#include <algorithm>
#include <utility>

namespace {

std::string IncorrectFieldName(const std::string& name) {
    return "Incorrect field name \"" + name + "\"";
}

// The detail and master fields a link pair names; a name that is no field raises.
std::pair<const TField*, const TField*>
LinkedFields(const TDataSet& detailSet, const TDataSet& masterSet, const LinkPair& pair) {
    const TField* detail = detailSet.FindField(pair.detail);
    if (!detail)
        throw EDatabaseError(IncorrectFieldName(pair.detail));
    const TField* master = masterSet.FindField(pair.master);
    if (!master)
        throw EDatabaseError(IncorrectFieldName(pair.master));
    return {detail, master};
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

// A table name of the statement as it stands in SQL: each part between full stops quoted.
std::string QuoteQualified(const std::string& name) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = name.find('.', start);
        out += QuoteName(name.substr(start, dot - start));
        if (dot == std::string::npos)
            return out;
        out += '.';
        start = dot + 1;
    }
}

} // namespace

void TMySQLQuery::SetFilter(const std::string& text) {
    const bool blank = text.find_first_not_of(" \t\r\n") == std::string::npos;
    const std::string oldText = filterText_;
    std::unique_ptr<TParser> old;
    if (blank) {
        old = std::move(filter_);
        filterText_ = text;
    } else if (!filter_ || text != filterText_) {
        auto parser = std::make_unique<TParser>();
        parser->SetEquation(text); // a text that does not compile changes nothing
        if (Active())
            CheckFilterNames(*parser); // nor does one that names no field
        old = std::move(filter_);
        filter_ = std::move(parser);
        filterText_ = text;
    } else {
        return;
    }
    const FilterFault oldFault = std::move(filterFault_);
    filterFault_ = {};
    BindFilterFields();
    if (!filtered_ || !Active())
        return;
    try {
        ResyncToFirst();
    } catch (const EDatabaseError&) {
        // A filter that fails on a row is not taken.
        filter_ = std::move(old);
        filterText_ = oldText;
        filterFault_ = oldFault;
        BindFilterFields();
        ResyncToFirst();
        throw;
    }
}

void TMySQLQuery::SetFiltered(bool filtered) {
    if (filtered == filtered_)
        return;
    if (!Active()) {
        filtered_ = filtered;
        return;
    }
    if (filtered && filter_)
        CheckFilterNames(*filter_);
    CheckBrowseMode();
    ResolveCurrent();
    const Bookmark previous = current_ >= 0 ? cache_.Row(current_)->recNo : 0;
    filtered_ = filtered;
    if (filtered) {
        try {
            ResyncToFirst();
        } catch (const EDatabaseError&) {
            filtered_ = false;
            ResyncToFirst();
            throw;
        }
        return;
    }
    // Switched off: the row that was current stays current.
    InvalidateViewRows();
    Resync(true);
    if (previous)
        GotoBookmark(previous);
    else
        First();
}

void TMySQLQuery::ResyncToFirst() {
    InvalidateViewRows();
    current_ = -1;
    Resync(true);
    First();
}

void TMySQLQuery::BindFilterFields() {
    filterFields_.clear();
    if (!filter_)
        return;
    for (std::size_t k = 0; k < filter_->VariableCount(); ++k) {
        const TField* f = FindField(filter_->VariableName(k));
        if (f)
            filterFields_.push_back({static_cast<int>(f->Index()), f->DataType(), f->IsUnsigned()});
        else
            filterFields_.push_back({-1, FieldType::String, false});
    }
}

void TMySQLQuery::CheckFilterNames(const TParser& filter) const {
    for (std::size_t k = 0; k < filter.VariableCount(); ++k)
        if (!FindField(filter.VariableName(k)))
            throw EParserError("Variable \"" + filter.VariableName(k) + "\" not found");
}

bool TMySQLQuery::PassesFilter(std::size_t index) const {
    if (!filter_)
        return true;
    const RowRef row = cache_.Row(index);
    try {
        for (std::size_t k = 0; k < filterFields_.size(); ++k) {
            const FilterField& f = filterFields_[k];
            if (f.field < 0)
                throw EParserError("Variable \"" + filter_->VariableName(k) + "\" not found");
            SetFilterVariable(filter_->VariableValue(k), f.type, f.isUnsigned,
                              cache_.Value(row, static_cast<std::size_t>(f.field)));
        }
        return IsTruthy(filter_->Evaluate());
    } catch (const std::exception& e) {
        // A row the filter cannot judge is not shown, as a condition the server cannot judge
        // (a NULL) leaves its row out; the first such row is kept to be reported.
        if (filterFault_.recNo == 0)
            filterFault_ = {row->recNo, e.what()};
        return false;
    }
}

void TMySQLQuery::SetLinkFields(const std::string& text) {
    links_ = ParseLinkFields(text); // malformed: raises and changes nothing
    linkFieldsText_ = text;
    MasterChanged(false);
}

void TMySQLQuery::SetMasterSource(TDataSet* master) {
    for (TDataSet* m = master; m;) {
        if (m == this)
            throw EDatabaseError("Cyclic link in Dataset");
        const auto* q = dynamic_cast<const TMySQLQuery*>(m);
        m = q ? q->master_ : nullptr;
    }
    if (!masterObserver_)
        masterObserver_ = std::make_unique<MasterObserver>(*this);
    if (WatchDataSet(masterObserver_.get(), master_, master))
        MasterChanged(!master_);
}

void TMySQLQuery::MasterObserver::DataSetEvent(TDataSet& master, DataEvent event, TField*) {
    switch (event) {
    case DataEvent::Scrolled:
    case DataEvent::DataSetChanged:
        detail_.MasterChanged(false);
        break;
    case DataEvent::ActiveChanged:
        detail_.MasterChanged(!master.Active());
        break;
    case DataEvent::Destroying:
        detail_.master_ = nullptr;
        detail_.MasterChanged(true);
        break;
    default:
        break;
    }
}

std::string TMySQLQuery::LinkedStatement(const std::string& statement) {
    linkNote_.clear();
    linkLocal_ = master_ && !links_.empty();
    runStatement_ = statement;
    if (!linkLocal_ || !LinkRequery || !master_->Active())
        return statement;
    std::string condition;
    for (const LinkPair& pair : links_) {
        const TField* masterField = master_->FindField(pair.master);
        if (!masterField)
            throw EDatabaseError(IncorrectFieldName(pair.master));
        std::string column = QuoteNameIfNeeded(pair.detail);
        const int d = analysis_.Find(pair.detail);
        if (d >= 0) {
            const TMySQLField& desc = analysis_.Fields()[static_cast<std::size_t>(d)];
            const auto& tables = analysis_.Tables();
            const auto t = std::find(tables.begin(), tables.end(), desc.Table);
            const std::string& table =
                t == tables.end() ? desc.Table : analysis_.Aliases()[t - tables.begin()];
            column = QuoteQualified(table) + "." + QuoteName(desc.Column);
        }
        if (!condition.empty())
            condition += " AND ";
        // A NULL master value (or no master row) matches no detail row.
        if (master_->IsEmpty() || masterField->IsNull())
            condition += column + " = NULL";
        else
            condition += column + " = " +
                         QuoteSqlValue(database_ ? database_->DirConnect().Handle() : nullptr,
                                       masterField->ValueText());
    }
    std::string linked, whyNot;
    if (!AddTopLevelCondition(statement, condition, linked, whyNot)) {
        LinkRequery = false;
        linkNote_ = whyNot;
        return statement;
    }
    linkLocal_ = false;
    runStatement_ = linked;
    return linked;
}

void TMySQLQuery::RebuildLinkMatchers() {
    linkMatchers_.clear();
    if (!linkLocal_ || !master_ || !master_->Active())
        return;
    for (const LinkPair& pair : links_) {
        const auto [detail, masterField] = LinkedFields(*this, *master_, pair);
        if (master_->IsEmpty() || masterField->IsNull())
            linkMatchers_.emplace_back(detail->Index(), ValueMatcher::NeverMatch());
        else
            linkMatchers_.emplace_back(detail->Index(),
                                       ValueMatcher(detail->DataType(), detail->IsUnsigned(),
                                                    masterField->ValueText(), 0, true));
    }
}

bool TMySQLQuery::PassesLink(std::size_t index) const {
    if (linkMatchers_.empty())
        return true;
    const RowRef row = cache_.Row(index);
    for (const auto& [field, matcher] : linkMatchers_)
        if (!matcher.Matches(cache_.Value(row, field)))
            return false;
    return true;
}

void TMySQLQuery::MasterChanged(bool linkOff) {
    if (!Active())
        return;
    if (!linkOff && master_ && master_->Active() && LinkRequery && !links_.empty()) {
        const std::string statement = LinkedStatement(SQLText());
        if (statement != dirQuery_.Sql) {
            CheckBrowseMode();
            if (log_.Pending())
                ApplyUpdates();
            Rerun(statement, "Error in form detail query");
        }
    } else {
        linkLocal_ = master_ && !links_.empty();
    }
    RebuildLinkMatchers();
    ResyncToFirst();
}

void TMySQLQuery::SetLinkValues(std::vector<FieldValue>& values) const {
    if (!master_ || links_.empty())
        return;
    for (const LinkPair& pair : links_) {
        const auto [detail, masterField] = LinkedFields(*this, *master_, pair);
        if (!master_->Active() || master_->IsEmpty() || detail->Index() >= values.size())
            continue;
        // The master's value as text, read as the detail field reads a text.
        if (masterField->IsNull()) {
            values[detail->Index()] = FieldValue{};
            continue;
        }
        const std::string text = CutToFieldSize(masterField->ValueText(), *detail);
        if (!IsValueText(detail->DataType(), detail->IsUnsigned(), text))
            throw ENotAValue(detail->FieldName(), text);
        values[detail->Index()] = ValueFromText(detail->DataType(), detail->IsUnsigned(), text);
    }
}
