#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/AppWindows.h"
#include "app/Translations.h"
#include "support/FakeDialogs.h"
#include "timing/TimingView.h"
#include "view/BoxNumber.h"
#include "view/Translate.h"
#include "widgets/TimingChart.h"

namespace zq {
namespace {

TEST(Translations, GermanWindowShowsGermanCaptionsButtonsAndMenus) {
    ASSERT_EQ(InstallTranslations(QLocale(QLocale::German, QLocale::Germany)), "de");
    test::TestProgram program;
    {
        AppWindows windows(program.capture, program.device, program.dialogs);
        windows.showTimingView();
        auto* view = qobject_cast<TimingView*>(windows.current());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->windowTitle(), "Zeitansicht");
        EXPECT_EQ(view->findChild<QPushButton*>("Load")->text(), "Datei laden");
        EXPECT_EQ(view->findChild<QPushButton*>("Update")->text(), "Los!");
        EXPECT_EQ(view->findChild<QLabel*>("Label17")->text(), "Datenlänge");
        EXPECT_EQ(view->findChild<QMenu*>("MnuFile")->title(), "&Datei");
        EXPECT_EQ(view->findChild<QAction*>("OpenFile")->text(), "Ö&ffnen");
        EXPECT_EQ(view->findChild<QMenu*>("MnuDevice")->title(), "&Gerät");
        EXPECT_EQ(view->findChild<QMenu*>("MnuDecoders")->title(), "De&coder");
        // The plain code's texts, and Qt's own words from its translation.
        EXPECT_EQ(view->chart()->titleText(), "ZQ350 Logikanalysator - Zeitdiagramm");
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
    }
    RemoveTranslations();
    AppWindows windows(program.capture, program.device, program.dialogs);
    windows.showTimingView();
    EXPECT_EQ(windows.current()->windowTitle(), "Timing View");
    EXPECT_EQ(translate("zq::Readout", "high"), "high");
}

TEST(Translations, TheFirstLanguageWithATranslationIsInstalledAndEnglishNeedsNone) {
    const struct {
        QLocale locale;
        const char* installed;
    } cases[] = {
        {QLocale(QLocale::German, QLocale::Austria), "de"},
        {QLocale(QLocale::English, QLocale::UnitedStates), ""},  // replaces the German one
        {QLocale(QLocale::French, QLocale::France), ""},         // none: English
        {QLocale::c(), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InstallTranslations(c.locale), c.installed) << c.locale.name().toStdString();
        EXPECT_EQ(translate("zq::Readout", "high"), *c.installed ? "High" : "high");
    }
    RemoveTranslations();
}

// QApplication takes the whole locale from the environment; a decimal comma must not reach the
// boxes, read-outs and save files, which are read back with a point.
TEST(Locale, NumbersKeepTheirPointUnderALocaleWithADecimalComma) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    std::ofstream(folder + "/comma.def") << "LC_NUMERIC\ndecimal_point \"<U002C>\"\n"
                                            "thousands_sep \"<U002E>\"\ngrouping 3;3\n"
                                            "END LC_NUMERIC\n";
    const std::string make = "localedef -c -i " + folder + "/comma.def -f UTF-8 " + folder +
                             "/xx_XX.UTF-8 >/dev/null 2>&1";
    if (std::system(make.c_str()) == -1) GTEST_SKIP() << "no localedef";
    qputenv("LOCPATH", dir.path().toUtf8());
    if (!std::setlocale(LC_NUMERIC, "xx_XX.UTF-8")) GTEST_SKIP() << "no locale made";
    char written[16];
    std::snprintf(written, sizeof written, "%.1f", 1.5);
    EXPECT_STREQ(written, "1,5");  // what the program would write without the mend
    KeepNumbersInCFormat();
    EXPECT_EQ(NumberText(1.5), "1.5");
    qunsetenv("LOCPATH");
}

}  // namespace
}  // namespace zq
