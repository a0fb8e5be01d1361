#include "shell/locale_ids.h"

namespace {

struct LocaleEntry {
    int id;
    const char* abbreviation;
    QLocale::Language language;
    QLocale::Territory territory;
};

// The first entry of a language is its main identifier.
const LocaleEntry kLocales[] = {
    {1033, "ENU", QLocale::English, QLocale::UnitedStates},
    {2057, "ENG", QLocale::English, QLocale::UnitedKingdom},
    {3081, "ENA", QLocale::English, QLocale::Australia},
    {4105, "ENC", QLocale::English, QLocale::Canada},
    {5129, "ENZ", QLocale::English, QLocale::NewZealand},
    {6153, "ENI", QLocale::English, QLocale::Ireland},
    {7177, "ENS", QLocale::English, QLocale::SouthAfrica},
    {1050, "HRV", QLocale::Croatian, QLocale::Croatia},
    {4122, "HRB", QLocale::Croatian, QLocale::BosniaAndHerzegowina},
    {1031, "DEU", QLocale::German, QLocale::Germany},
    {3079, "DEA", QLocale::German, QLocale::Austria},
    {2055, "DES", QLocale::German, QLocale::Switzerland},
    {1036, "FRA", QLocale::French, QLocale::France},
    {2060, "FRB", QLocale::French, QLocale::Belgium},
    {3084, "FRC", QLocale::French, QLocale::Canada},
    {4108, "FRS", QLocale::French, QLocale::Switzerland},
    {1040, "ITA", QLocale::Italian, QLocale::Italy},
    {2064, "ITS", QLocale::Italian, QLocale::Switzerland},
    {3082, "ESN", QLocale::Spanish, QLocale::Spain},
    {2058, "ESM", QLocale::Spanish, QLocale::Mexico},
    {1043, "NLD", QLocale::Dutch, QLocale::Netherlands},
    {2067, "NLB", QLocale::Dutch, QLocale::Belgium},
    {2070, "PTG", QLocale::Portuguese, QLocale::Portugal},
    {1046, "PTB", QLocale::Portuguese, QLocale::Brazil},
    {1053, "SVE", QLocale::Swedish, QLocale::Sweden},
    {1030, "DAN", QLocale::Danish, QLocale::Denmark},
    {1044, "NOR", QLocale::NorwegianBokmal, QLocale::Norway},
    {1035, "FIN", QLocale::Finnish, QLocale::Finland},
    {1039, "ISL", QLocale::Icelandic, QLocale::Iceland},
    {1045, "PLK", QLocale::Polish, QLocale::Poland},
    {1029, "CSY", QLocale::Czech, QLocale::CzechRepublic},
    {1051, "SKY", QLocale::Slovak, QLocale::Slovakia},
    {1060, "SLV", QLocale::Slovenian, QLocale::Slovenia},
    {1038, "HUN", QLocale::Hungarian, QLocale::Hungary},
    {1048, "ROM", QLocale::Romanian, QLocale::Romania},
    {1026, "BGR", QLocale::Bulgarian, QLocale::Bulgaria},
    {1049, "RUS", QLocale::Russian, QLocale::Russia},
    {1058, "UKR", QLocale::Ukrainian, QLocale::Ukraine},
    {1032, "ELL", QLocale::Greek, QLocale::Greece},
    {1055, "TRK", QLocale::Turkish, QLocale::Turkey},
    {1025, "ARA", QLocale::Arabic, QLocale::SaudiArabia},
    {1037, "HEB", QLocale::Hebrew, QLocale::Israel},
    {1041, "JPN", QLocale::Japanese, QLocale::Japan},
    {1042, "KOR", QLocale::Korean, QLocale::SouthKorea},
    {2052, "CHS", QLocale::Chinese, QLocale::China},
    {1028, "CHT", QLocale::Chinese, QLocale::Taiwan},
};

} // namespace

std::function<QLocale()> systemLocale = [] { return QLocale::system(); };

QString LocaleAbbreviation(int localeId) {
    for (const LocaleEntry& e : kLocales)
        if (e.id == localeId)
            return QString::fromLatin1(e.abbreviation);
    return QString();
}

int LocaleIdOf(const QLocale& locale) {
    int languageOnly = 0;
    for (const LocaleEntry& e : kLocales) {
        if (e.language != locale.language())
            continue;
        if (e.territory == locale.territory())
            return e.id;
        if (languageOnly == 0)
            languageOnly = e.id;
    }
    return languageOnly;
}

int SystemLocaleId() {
    return LocaleIdOf(systemLocale());
}

QLocale LocaleOfId(int localeId) {
    for (const LocaleEntry& e : kLocales)
        if (e.id == localeId)
            return QLocale(e.language, e.territory);
    return QLocale::c();
}
