// The one owner of the current capture: open and close, and its report shown once per file.
#include <gtest/gtest.h>

#include <filesystem>

#include "Fakes.h"
#include "session/CaptureSession.h"

namespace zq {
namespace {

TEST(CaptureSession, OpensClosesAndShowsEachFilesReportOnce) {
    test::TempDir dir;
    test::FakeDialogs dialogs;
    CaptureSession s;
    dialogs.answers.assign(3, AnswerOk);
    const std::string a = (dir / "a.txt").string(), b = (dir / "b.txt").string();
    test::WriteFile(a, "S 0000");
    test::WriteFile(b, "S 0000");

    std::string error;
    ASSERT_TRUE(s.open(a, error)) << error;
    s.reportOnce("", dialogs);  // nothing to say counts as said
    s.reportOnce("damage", dialogs);
    EXPECT_TRUE(dialogs.asked.empty());

    ASSERT_TRUE(s.open(b, error));
    int before = 0;
    s.reportOnce("damage", dialogs, [&] { before = static_cast<int>(dialogs.asked.size()) + 1; });
    s.reportOnce("damage", dialogs);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(before, 1);  // ran before the box
    EXPECT_EQ(dialogs.asked[0].text, "damage");
    EXPECT_EQ(dialogs.asked[0].buttons, Buttons::Ok);
    EXPECT_EQ(dialogs.asked[0].icon, Icon::None);

    // A capture opened while the box is up has its own report due.
    dialogs.duringBox = [&] { ASSERT_TRUE(s.open(a, error)); };
    ASSERT_TRUE(s.open(b, error));
    s.reportOnce("first", dialogs);
    EXPECT_FALSE(s.reportShown());
    s.reportOnce("second", dialogs);
    EXPECT_EQ(dialogs.asked.back().text, "second");

    EXPECT_FALSE(s.open((dir / "missing.txt").string(), error));
    EXPECT_FALSE(s.isOpen());
    EXPECT_EQ(s.currentFile(), (dir / "missing.txt").string());
    EXPECT_EQ(error, "No such file or directory");
    ASSERT_TRUE(s.open(a, error));
    s.close();
    EXPECT_FALSE(s.isOpen());
    EXPECT_EQ(s.file(), nullptr);
    EXPECT_EQ(s.model(), nullptr);
}

// The model is decoded when the file is opened and again only when the file changed on disk;
// a changed file's report is shown again only when it says something else.
TEST(CaptureSession, DecodesAgainOnlyWhatChangedOnDisk) {
    test::TempDir dir;
    test::FakeDialogs dialogs;
    dialogs.answers.assign(4, AnswerOk);
    CaptureSession s;
    const std::string path = (dir / "c.txt").string();
    test::WriteFile(path, "S 0000 1234");
    std::string error;
    ASSERT_TRUE(s.open(path, error)) << error;
    const std::string first = s.model()->report;
    s.reportOnce(first, dialogs);
    EXPECT_FALSE(s.refresh());  // unchanged: nothing is read

    // An editor's atomic save: a new file under the same name, with the same damage.
    const auto replace = [&](const std::string& text) {
        test::WriteFile(path + ".new", text);
        std::filesystem::rename(path + ".new", path);
    };
    replace("S 0000 1234");
    EXPECT_TRUE(s.refresh());
    s.reportOnce(s.model()->report, dialogs);
    EXPECT_EQ(dialogs.asked.size(), 1u);

    // Written in place with other damage: decoded again, and its report is due.
    test::WriteFile(path, "S 0000 1234 5678 9ABC");
    EXPECT_TRUE(s.refresh());
    EXPECT_EQ(s.model()->words[1], 0x5678);
    EXPECT_NE(s.model()->report, first);
    s.reportOnce(s.model()->report, dialogs);
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].text, s.model()->report);

    // Gone by its name: the model stays as it was.
    std::filesystem::remove(path);
    EXPECT_FALSE(s.refresh());
    EXPECT_EQ(s.model()->words[1], 0x5678);
}

}  // namespace
}  // namespace zq
