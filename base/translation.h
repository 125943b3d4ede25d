#pragma once

#include <QLocale>
#include <QString>

// The program in the user's language. Its texts are written in English in the source and translated
// through Qt's translation system; a translation is a file quorvane_<language>.qm in the folder
// "translations" beside the program (the build) or in ../share/quorvane/translations (installed). With
// no translation for the locale's languages every text stays its English source. The settings and the
// statistics file never change with the language.
namespace translation {

// The folder the translations are read from: beside the program, else the installed data folder.
QString Translations_Folder();

// Installs the program's translation for the locale's languages, and with it Qt's own for the same
// language (the texts of Qt's standard buttons and menus), replacing any installed before. Returns
// whether the program has a translation for the locale; without one nothing stays installed.
bool Install(const QLocale& locale);

// Removes what Install put in place: the program speaks English again (texts made before stay as they
// were made).
void Remove();

} // namespace translation
