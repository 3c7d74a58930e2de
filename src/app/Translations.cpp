#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <clocale>
#include <vector>

#include "view/Translate.h"

namespace zq {

namespace {

std::vector<QPointer<QTranslator>> gInstalled;

std::string QtTranslate(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

bool Install(const QLocale& language, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(language, name, "_", folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    gInstalled.emplace_back(translator);
    return true;
}

}  // namespace

QString InstallTranslations(const QLocale& locale) {
    RemoveTranslations();
    for (const QString& tag : locale.uiLanguages()) {
        const QLocale language(tag);
        if (language.language() == QLocale::English || language.language() == QLocale::C) break;
        if (!Install(language, "zq350", ":/i18n")) continue;
        // Qt's own words in the same language, where Debian's qt6-translations-l10n has them.
        Install(language, "qtbase", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        SetTranslator(&QtTranslate);
        return QLocale::languageToCode(language.language());
    }
    return {};
}

void RemoveTranslations() {
    for (const QPointer<QTranslator>& t : gInstalled) delete t.data();
    gInstalled.clear();
    SetTranslator(nullptr);
}

void KeepNumbersInCFormat() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace zq
