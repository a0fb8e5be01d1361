// Locale identifiers as the language menu items carry them in their tags (1033 English – United
// States, 1050 Croatian, ...) and the three-letter abbreviated language names that name the
// language modules (ENU, HRV, ...).
#pragma once

#include <QLocale>
#include <QString>
#include <functional>

constexpr int kLocaleEnglishUS = 1033;
constexpr int kLocaleCroatian = 1050;

// The abbreviated language name of a locale identifier; empty for an identifier we do not know.
QString LocaleAbbreviation(int localeId);

// The locale identifier of a locale: its language and country, else the language's main
// identifier; 0 for a language we do not know (the "C" locale among them).
int LocaleIdOf(const QLocale& locale);

// The locale the system reports at start; tests replace it.
extern std::function<QLocale()> systemLocale;

// The locale identifier of the system locale.
int SystemLocaleId();

// The locale of a locale identifier; the "C" locale for an identifier we do not know.
QLocale LocaleOfId(int localeId);
