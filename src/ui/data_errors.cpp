#include "ui/data_errors.h"

#include "data/live_errors.h"
#include "ui/language.h"

QString DataErrorText(const std::exception& error) {
    if (dynamic_cast<const ERowChanged*>(&error))
        return BiText(QString::fromUtf8(liveerr::kRowChanged),
                      QString::fromUtf8(liveerr::kRowChangedCroatian));
    if (const auto* e = dynamic_cast<const ENotAValue*>(&error))
        return BiText(QString::fromUtf8(liveerr::kNotAValue),
                      QString::fromUtf8(liveerr::kNotAValueCroatian))
            .arg(QString::fromStdString(e->Column()), QString::fromStdString(e->Text()));
    if (const auto* e = dynamic_cast<const ETransactionRolledBack*>(&error))
        return BiText(QString::fromUtf8(liveerr::kTransactionRolledBack),
                      QString::fromUtf8(liveerr::kTransactionRolledBackCroatian))
            .arg(QString::fromStdString(e->ServerText()));
    if (const auto* e = dynamic_cast<const EWriteUncertain*>(&error))
        return BiText(QString::fromUtf8(liveerr::kWriteUncertain),
                      QString::fromUtf8(liveerr::kWriteUncertainCroatian))
            .arg(QString::fromStdString(e->ClientText()));
    if (dynamic_cast<const EKeyUnknown*>(&error))
        return BiText(QString::fromUtf8(liveerr::kKeyUnknown),
                      QString::fromUtf8(liveerr::kKeyUnknownCroatian));
    if (const auto* e = dynamic_cast<const ERowNotDistinct*>(&error)) {
        const QString name = QString::fromStdString(e->Name());
        return BiText(QString::fromUtf8(ERowNotDistinct::EnglishText(e->WhyNot())).arg(name),
                      QString::fromUtf8(ERowNotDistinct::CroatianText(e->WhyNot())).arg(name));
    }
    return QString::fromUtf8(error.what());
}
