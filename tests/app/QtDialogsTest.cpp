#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include "app/QtDialogs.h"

namespace zq {
namespace {

// Whether a file name passes one of the dialog's name filters, as its file list applies them.
bool Shows(const QString& filter, const QString& fileName) {
    static const QRegularExpression patterns(R"(\(([^()]*)\)$)");
    const QString inside = patterns.match(filter).captured(1);
    for (const QString& p : inside.split(' ', Qt::SkipEmptyParts)) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p));
        if (re.match(fileName).hasMatch()) return true;
    }
    return false;
}

struct FilterCase {
    const char* file;
    bool allFiles;
    bool textFiles;
};

TEST(QtDialogs, FiltersMatchWhatLinuxUsersExpect) {
    const QStringList f = QtDialogs::NameFilters("All Files (*.*)|*.*|Text Files (*.txt)|*.txt");
    ASSERT_EQ(f.size(), 2);
    const FilterCase cases[] = {{"capture.txt", true, true},  {"CAPTURE.TXT", true, true},
                                {"Capture.Txt", true, true},  {"capture", true, false},
                                {"capture.log", true, false}, {"capture.txt.bak", true, false},
                                {".hidden", true, false}};
    for (const FilterCase& c : cases) {
        EXPECT_EQ(Shows(f[0], c.file), c.allFiles) << c.file;
        EXPECT_EQ(Shows(f[1], c.file), c.textFiles) << c.file;
    }
}

TEST(QtDialogs, DialogShowsTheEntryTextsTitleAndChosenEntry) {
    OpenLogSettings s;
    s.DialogTitle = "Open ZQ350 File ...";
    s.Filter = "All Files (*.*)|*.*|Text Files (*.txt)|*.txt";
    s.FilterIndex = 2;
    QFileDialog dialog;
    QtDialogs::Configure(dialog, s);
    EXPECT_EQ(dialog.windowTitle(), "Open ZQ350 File ...");
    EXPECT_EQ(dialog.selectedNameFilter(), "Text Files (*.txt)");
    EXPECT_EQ(dialog.defaultSuffix(), "");  // added by ChosenPath instead
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);  // a missing file is the load's to report
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), "All Files (*.*)");
    EXPECT_EQ(types->itemText(1), "Text Files (*.txt)");
    EXPECT_EQ(types->currentIndex(), 1);
}

TEST(QtDialogs, DefaultExtensionOnlyForNamesThatAreNotThere) {
    const QString dir =
        QDir::cleanPath(QString::fromStdString(::testing::TempDir()) + "/qtdialogs_ext");
    QDir().mkpath(dir);
    QFile(dir + "/capture").open(QIODevice::WriteOnly);  // an existing file without a dot
    OpenLogSettings s;                                   // DefaultExt "LOG"
    EXPECT_EQ(QtDialogs::ChosenPath(dir + "/capture", s), (dir + "/capture").toStdString());
    EXPECT_EQ(QtDialogs::ChosenPath(dir + "/run1", s), (dir + "/run1.LOG").toStdString());
    EXPECT_EQ(QtDialogs::ChosenPath(dir + "/run1.txt", s), (dir + "/run1.txt").toStdString());
    s.DefaultExt.clear();
    EXPECT_EQ(QtDialogs::ChosenPath(dir + "/run1", s), (dir + "/run1").toStdString());
}

TEST(QtDialogs, OddFiltersAndIndicesStillGiveAUsableDialog) {
    const std::pair<std::string, int> cases[] = {
        {"", 0}, {"Logs|", 5}, {"A|*.a;*.b|B", -1}, {"Only text", 1}};
    for (const auto& [filter, index] : cases) {
        OpenLogSettings s;
        s.Filter = filter;
        s.FilterIndex = index;
        QFileDialog dialog;
        QtDialogs::Configure(dialog, s);
        EXPECT_FALSE(dialog.nameFilters().isEmpty()) << filter;
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        EXPECT_GE(types->currentIndex(), 0) << filter;
    }
    const QStringList two = QtDialogs::NameFilters("A|*.a;*.b");
    ASSERT_EQ(two.size(), 1);
    EXPECT_TRUE(Shows(two[0], "x.B"));
    EXPECT_TRUE(Shows(two[0], "x.a"));
    EXPECT_FALSE(Shows(two[0], "x.c"));
}

}  // namespace
}  // namespace zq

namespace zq {
namespace {

TEST(QtDialogs, ReportsOfAnyLengthStayWithinTheScreenWithTheirButtonsInView) {
    EXPECT_EQ(QtDialogs::ShownText("a\x01\r\nb\x7f\tc"), QString::fromUtf8("a\u2401\nb\u2421\tc"));

    std::string report;
    for (int i = 0; i < 5000; ++i) report += "\r\n        Text  line  Corrupted \x02\x1b[2J";
    QRect shown, room;
    bool okVisible = false, selectable = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        shown = box->frameGeometry();
        room = box->screen()->availableGeometry();
        auto* text = box->findChild<QPlainTextEdit*>("ReportText");
        selectable = text && text->textInteractionFlags() & Qt::TextSelectableByMouse &&
                     !text->toPlainText().contains(QChar(0x1b));
        auto* buttons = box->findChild<QDialogButtonBox*>();
        QPushButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
        okVisible = ok && ok->isVisible() && box->rect().contains(ok->geometry());
        if (ok) ok->click();
    });
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.MessageBox(report, Buttons::Ok, Icon::None, kProgramTitle), AnswerOk);
    EXPECT_TRUE(room.contains(shown))
        << "box " << shown.height() << " px, screen " << room.height() << " px";
    EXPECT_TRUE(okVisible);
    EXPECT_TRUE(selectable);
}

}  // namespace
}  // namespace zq
