// The master/detail link of a query.
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
