// The program's decoders end to end: the library loaded on the session's thread once the
// window has painted, the example's serial line decoded in rows under the channels, the same
// rows kept across the switch to the listing, and zq350-inspect render --setup drawing them as
// the window does.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/AppWindows.h"
#include "app/LibraryEngine.h"
#include "support/CaptureText.h"
#include "support/FakeDialogs.h"
#include "timing/TimingView.h"
#include "view/SetupJson.h"
#include "widgets/ChartArea.h"
#include "widgets/TimingChart.h"

namespace zq {
namespace {

constexpr const char* kSetup =
    R"({"samplerate": 1000000, "channels": [{"channel": 9, "name": "TX"}],
  "decoders": [[{"id": "uart", "channels": {"rx": 9}, "options": {"baudrate": "166667"}}]]})";

TEST(Decoders, TheExamplesSerialLineIsDecodedInTheWindowAndInItsPicture) {
    QSettings().clear();
    test::TestProgram program;
    DecodeSession decoding(LoadLibraryEngine);
    AppWindows windows(program.capture, program.device, program.dialogs, &decoding);
    windows.showTimingView();
    auto* view = qobject_cast<TimingView*>(windows.current());
    const Parsed<ChannelSetup> setup = ParseSetup(kSetup, "setup.json");
    ASSERT_TRUE(setup.ok()) << setup.error;
    view->UseSetup(setup.value);
    view->findChild<QLineEdit*>("StartPos")->setText("1000");
    view->findChild<QLineEdit*>("DataLen")->setText("48");
    view->findChild<QCheckBox*>("MarkCursorsCheck")->setChecked(false);
    const std::string capture = ZQ_EXAMPLES_DIR "/counter-uart.txt";
    view->OpenFile(capture);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return decoding.annotations() && !decoding.running(); }, 20000));
    if (!decoding.loadError().empty()) GTEST_SKIP() << decoding.loadError();
    EXPECT_TRUE(program.dialogs.boxes.empty());
    const AnnotationTable& table = *decoding.annotations();
    std::string bytes;
    for (size_t i : table.listed())
        if (table.row(table.rowOf(i)).desc == "UART: RX" &&
            table.annotation(i).texts.front().size() == 2)  // a byte, not a start or stop bit
            bytes += table.annotation(i).texts.front() + " ";
    EXPECT_NE(bytes.find("5A 51"), std::string::npos) << bytes;
    EXPECT_EQ(view->chart()->annotations(), decoding.annotations());

    QApplication::processEvents();
    const QImage shown =
        view->findChild<QWidget*>("TimingViewClient")
            ->grab(QRect(QPoint(0, 0), ChartArea::VisibleSize(TwipScale::ForWidget(view))))
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    QTemporaryDir dir;
    const QString setupFile = dir.filePath("setup.json"), out = dir.filePath("out.png");
    test::WriteFile(setupFile.toStdString(), kSetup);
    QProcess tool;
    tool.start(ZQ_CAPTURE_TOOL,
               {"render", QString::fromStdString(capture), "-o", out, "--setup", setupFile,
                "--start", "1000", "--length", "48", "--cursors", "off"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_TRUE(QImage(out).convertToFormat(QImage::Format_RGB32) == shown)
        << "the rendered picture differs from the window";

    // The listing and back: the rows are there at once, without a second run.
    windows.showHexList();
    windows.showTimingView();
    view = qobject_cast<TimingView*>(windows.current());
    EXPECT_EQ(view->chart()->annotations(), decoding.annotations());
    EXPECT_FALSE(decoding.running());
}

}  // namespace
}  // namespace zq
