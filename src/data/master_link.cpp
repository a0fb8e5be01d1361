#include "data/master_link.h"

#include "data/db_error.h"
#include "data/live_errors.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
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

MasterLink::~MasterLink() {
    if (master_)
        master_->RemoveObserver(this);
}

void MasterLink::SetFields(const std::string& text) {
    links_ = ParseLinkFields(text); // malformed: raises and changes nothing
    fieldsText_ = text;
    MasterChanged(false);
}

void MasterLink::SetMaster(TDataSet* master) {
    for (TDataSet* m = master; m;) {
        if (m == &query_)
            throw EDatabaseError("Cyclic link in Dataset");
        const auto* q = dynamic_cast<const TMySQLQuery*>(m);
        m = q ? q->MasterSource() : nullptr;
    }
    if (WatchDataSet(this, master_, master))
        MasterChanged(!master_);
}

void MasterLink::DataSetEvent(TDataSet& master, DataEvent event, TField*) {
    switch (event) {
    case DataEvent::Scrolled:
    case DataEvent::DataSetChanged:
        MasterChanged(false);
        break;
    case DataEvent::ActiveChanged:
        MasterChanged(!master.Active());
        break;
    case DataEvent::Destroying:
        master_ = nullptr;
        MasterChanged(true);
        break;
    default:
        break;
    }
}

std::string MasterLink::LinkedStatement(const std::string& statement) {
    note_.clear();
    local_ = master_ && !links_.empty();
    runStatement_ = statement;
    if (!local_ || !query_.LinkRequery || !master_->Active())
        return statement;
    const StatementAnalysis& analysis = query_.Analysis();
    TMySQLDatabase* database = query_.Database();
    std::string condition;
    for (const LinkPair& pair : links_) {
        const TField* masterField = master_->FindField(pair.master);
        if (!masterField)
            throw EDatabaseError(IncorrectFieldName(pair.master));
        std::string column = QuoteNameIfNeeded(pair.detail);
        const int d = analysis.Find(pair.detail);
        if (d >= 0) {
            const TMySQLField& desc = analysis.Fields()[static_cast<std::size_t>(d)];
            const auto& tables = analysis.Tables();
            const auto t = std::find(tables.begin(), tables.end(), desc.Table);
            const std::string& table =
                t == tables.end() ? desc.Table : analysis.Aliases()[t - tables.begin()];
            column = QuoteQualified(table) + "." + QuoteName(desc.Column);
        }
        if (!condition.empty())
            condition += " AND ";
        // A NULL master value (or no master row) matches no detail row.
        if (master_->IsEmpty() || masterField->IsNull())
            condition += column + " = NULL";
        else
            condition += column + " = " +
                         QuoteSqlValue(database ? database->DirConnect().Handle() : nullptr,
                                       masterField->ValueText());
    }
    std::string linked, whyNot;
    if (!AddTopLevelCondition(statement, condition, linked, whyNot)) {
        query_.LinkRequery = false;
        note_ = whyNot;
        return statement;
    }
    local_ = false;
    runStatement_ = linked;
    return linked;
}

void MasterLink::RebuildMatchers() {
    matchers_.clear();
    if (!local_ || !master_ || !master_->Active())
        return;
    for (const LinkPair& pair : links_) {
        const auto [detail, masterField] = LinkedFields(query_, *master_, pair);
        if (master_->IsEmpty() || masterField->IsNull())
            matchers_.emplace_back(detail->Index(), ValueMatcher::NeverMatch());
        else
            matchers_.emplace_back(detail->Index(),
                                   ValueMatcher(detail->DataType(), detail->IsUnsigned(),
                                                masterField->ValueText(), 0, true));
    }
}

bool MasterLink::Passes(std::size_t index) const {
    if (matchers_.empty())
        return true;
    const RowCache& cache = query_.cache_;
    const RowRef row = cache.Row(index);
    for (const auto& [field, matcher] : matchers_)
        if (!matcher.Matches(cache.Value(row, field)))
            return false;
    return true;
}

void MasterLink::MasterChanged(bool linkOff) {
    if (!query_.Active())
        return;
    if (!linkOff && master_ && master_->Active() && query_.LinkRequery && !links_.empty()) {
        const std::string statement = LinkedStatement(query_.SQLText());
        if (statement != query_.dirQuery_.Sql) {
            query_.CheckBrowseMode();
            if (query_.UpdatesPending())
                query_.ApplyUpdates();
            query_.Rerun(statement, "Error in form detail query");
        }
    } else {
        local_ = master_ && !links_.empty();
    }
    RebuildMatchers();
    query_.ResyncToFirst();
}

void MasterLink::SetNewRowValues(std::vector<FieldValue>& values) const {
    if (!master_ || links_.empty())
        return;
    for (const LinkPair& pair : links_) {
        const auto [detail, masterField] = LinkedFields(query_, *master_, pair);
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
