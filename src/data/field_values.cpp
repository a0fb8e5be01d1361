#include "data/field_values.h"

#include "data/db_error.h"

void TFieldValues::Check(std::size_t i) const {
    if (i >= names_.size())
        throw EDatabaseError(fverr::kIncorrectFieldNumber);
}

const std::string& TFieldValues::Name(std::size_t i) const {
    Check(i);
    return names_[i];
}

const std::string& TFieldValues::Value(std::size_t i) const {
    Check(i);
    return values_[i];
}

const std::string& TFieldValues::Alias(std::size_t i) const {
    Check(i);
    return aliases_[i];
}

bool TFieldValues::IsNull(std::size_t i) const {
    Check(i);
    return nulls_[i] == "Y";
}

int TFieldValues::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return static_cast<int>(i);
    return -1;
}

const std::string& TFieldValues::ValueByName(std::string_view name) const {
    const int i = IndexOf(name);
    if (i < 0)
        throw EDatabaseError(fverr::kIncorrectFieldName);
    return values_[static_cast<std::size_t>(i)];
}

void TFieldValues::Add(const std::string& name, const std::string& alias, bool isNull,
                       const std::string& value) {
    if (IndexOf(name) >= 0)
        return;
    names_.push_back(name);
    values_.push_back(value);
    aliases_.push_back(alias);
    nulls_.push_back(isNull ? "Y" : "N");
    if (names_.size() != values_.size() || names_.size() != aliases_.size() ||
        names_.size() != nulls_.size())
        throw EDatabaseError(fverr::kInternalError);
}

void TFieldValues::Clear() {
    names_.clear();
    values_.clear();
    aliases_.clear();
    nulls_.clear();
}
