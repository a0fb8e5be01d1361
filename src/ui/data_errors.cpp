#include "ui/data_errors.h"

#include "data/live_errors.h"
#include "ui/language.h"

QString DataErrorText(const std::exception& error) {
    if (dynamic_cast<const ERowChanged*>(&error))
        return BiText(QString::fromUtf8(liveerr::kRowChanged),
                      QString::fromUtf8(liveerr::kRowChangedCroatian));
    if (const auto* e = dynamic_cast<const ERowNotDistinct*>(&error)) {
        const bool rounded = e->WhyNot() == ERowNotDistinct::Reason::RoundedFloat;
        const QString column = QString::fromStdString(e->Column());
        return BiText(
            QString::fromUtf8(rounded ? liveerr::kFloatNotDistinct : liveerr::kTimeNotDistinct)
                .arg(column),
            QString::fromUtf8(rounded ? liveerr::kFloatNotDistinctCroatian
                                      : liveerr::kTimeNotDistinctCroatian)
                .arg(column));
    }
    return QString::fromUtf8(error.what());
}
