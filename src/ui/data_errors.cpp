#include "ui/data_errors.h"

#include "data/live_errors.h"
#include "ui/language.h"

QString DataErrorText(const std::exception& error) {
    if (dynamic_cast<const ERowChanged*>(&error))
        return BiText(QString::fromUtf8(liveerr::kRowChanged),
                      QString::fromUtf8(liveerr::kRowChangedCroatian));
    return QString::fromUtf8(error.what());
}
