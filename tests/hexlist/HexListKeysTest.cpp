// The listing window's keys, drops and growth, through its real widgets.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "hexlist/HexList.h"
#include "support/CaptureText.h"
#include "support/FakeDialogs.h"

namespace zq {
namespace {

class HexListKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        path = dir.filePath("capture.txt").toStdString();
        test::WriteFile(path, test::CaptureText());
        std::string error;
        ASSERT_TRUE(program.capture.open(path, error));
        window = std::make_unique<HexList>(program.capture, program.dialogs, host);
    }
    QTemporaryDir dir;
    std::string path;
    test::TestProgram program;
    test::FakeHost host;
    std::unique_ptr<HexList> window;
};

// Enter in any box is "Go !": the typed settings are stored and the listing rebuilt.
TEST_F(HexListKeys, EnterInAnyBoxIsGo) {
    int16_t length = 20;
    for (const char* name : {"DataLen", "StartPos", "TrigCentricVal", "ZeroCentricVal",
                             "MarkCursorA", "MarkCursorB"}) {
        window->findChild<QLineEdit*>("DataLen")->setText(QString::number(++length));
        auto* box = window->findChild<QLineEdit*>(name);
        ASSERT_NE(box, nullptr) << name;
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(program.capture.savedView().DataLen, length) << name;
        EXPECT_EQ(window->findChild<QPlainTextEdit*>("HexListText")->blockCount(), length + 2)
            << name;  // n + 1 lines and the empty last block
    }
}

TEST_F(HexListKeys, DropHandsTheFileToTheMainWindow) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(host.opened, std::vector<std::string>{path});
}

TEST_F(HexListKeys, GrowingWindowGrowsTheList) {
    window->show();
    auto* list = window->findChild<QPlainTextEdit*>("HexListText");
    auto* go = window->findChild<QWidget*>("GraphShow");
    const QRect listBefore = list->geometry(), goBefore = go->geometry();
    window->resize(window->size() + QSize(0, 240));
    QApplication::processEvents();
    EXPECT_EQ(list->geometry(), listBefore.adjusted(0, 0, 0, 240));
    EXPECT_EQ(go->geometry(), goBefore);
}

}  // namespace
}  // namespace zq
