#pragma once
// The texts of the windows that plain code writes: the pointer's read-out, the cursors'
// distance, why a setup edit or a setup file is refused. They are English until a program
// installs a translation (zq350 does at start, for the user's language); zq350-inspect never
// does, so everything it prints stays English in every locale.
//
// lupdate finds each text at its translate("context", "text") call, and a constant's text at
// its QT_TRANSLATE_NOOP mark; the constant is then translated where it is shown.

#include <initializer_list>
#include <string>
#include <string_view>

// The mark lupdate reads; without Qt it is the text itself (Qt defines it the same way).
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace zq {

// Looks up the translation of source in context; returns it as UTF-8.
using Translator = std::string (*)(const char* context, const char* source);

// Installs the lookup every translate() call goes through; null goes back to English.
void SetTranslator(Translator translator);

// The translation of source in context, or source itself when none is installed.
std::string translate(const char* context, const char* source);

// text with %1, %2, ... replaced by args in order, as QString::arg fills them, so that a
// translation may put the values where its language wants them.
std::string Arg(std::string_view text, std::initializer_list<std::string_view> args);

}  // namespace zq
