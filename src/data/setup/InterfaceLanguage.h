#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace Processing {

// The interface speaks English, the language its texts are written in, and each language a
// catalogue is carried for (":/i18n/tarnwick_ar.qm": Arabic). The language is chosen once, before
// the first window, from the settings files ([Interface] language=ar or en) or else the
// system's locale; a language without a catalogue gives English.

// "en" and the languages of the catalogues carried.
QStringList SpokenLanguages();

// The first of the preferred languages (the system's, most wanted first, as
// QLocale::uiLanguages() lists them) that the interface speaks, or "en".
QString ChooseLanguage(const QStringList &preferred, const QStringList &spoken);

// The language the settings files and the system's locale choose. A settings value that names
// no language is passed over, with a warning that says where it was set.
QString ConfiguredLanguage();

// Puts the program's catalogue for the language and Qt's own (its standard buttons and dialogs)
// in force, for English only the program's catalogue of English plurals; numbers and sorting then
// follow the language. Returns false when a catalogue could not be loaded: that part stays
// English (counts with the plural form alone).
bool UseLanguage(const QString &language);

// The locale of the interface's language: the system's where it is of that language (its
// country's digits and collation), otherwise the language's own. English until UseLanguage.
QLocale InterfaceLocale();

} // namespace Processing
