#pragma once
// The program in the user's language: its own translation (compiled in) and Qt's (the standard
// buttons, the file dialog, the command line's "Usage:"), for the first language of the user's
// that the program has, as QLocale::system() reads LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
// English is the source and needs no file: an English language earlier in the list wins over
// a translation later in it.

#include <QLocale>
#include <QString>

namespace zq {

// Installs the translations for locale's languages into the application that exists, and
// routes the texts of the plain code (view/Translate.h) through them. Returns the language
// installed ("de"), or an empty string for English. Installing again replaces the last.
QString InstallTranslations(const QLocale& locale = QLocale::system());

// Goes back to English (tests, benchmarks).
void RemoveTranslations();

// The C library's numbers as the program writes and reads them: QApplication takes the whole
// locale from the environment, and a German one would make printf write "1,5" into boxes,
// read-outs and save files that are read back as "1.5".
void KeepNumbersInCFormat();

}  // namespace zq
