// The start as main() runs it: an option reaches what it chooses.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/StartUp.h"
#include "session/QtEndTimer.h"
#include "session/TtySerialPort.h"
#include "support/CaptureText.h"
#include "support/FakeDialogs.h"
#include "timing/TimingView.h"

namespace zq {
namespace {

// zq350-sim sends a capture on a pseudo-terminal behind a link, which the system's port list
// never shows; zq350 --port LINK, then "Read  from ZQ350", reads it from there.
TEST(StartUp, PortOptionReachesTheRead) {
    QSettings().clear();
    QTemporaryDir dir;
    const std::string dump = test::CaptureText(), source = dir.filePath("dump.txt").toStdString(),
                      link = dir.filePath("ttyZQ").toStdString(),
                      file = dir.filePath("read.txt").toStdString();
    test::WriteFile(source, dump);
    QProcess sim;
    sim.start(ZQ350_SIM_PATH,
              {QString::fromStdString(source), "--fast", "--link", QString::fromStdString(link)});
    ASSERT_TRUE(sim.waitForReadyRead(5000));

    CaptureSession capture;
    test::FakeDialogs dialogs;
    QtEndTimer timer(1000);
    DeviceSession device(capture, dialogs, timer, [](const std::string& path) {
        return std::make_unique<TtySerialPort>(path);
    });
    AppWindows windows(capture, device, dialogs);
    CommandLine line;
    ASSERT_TRUE(line.parse({"zq350", "--port", QString::fromStdString(link)}));
    StartProgram(line, capture, device, windows);

    dialogs.files.push_back(file);
    QTest::mouseClick(windows.current()->findChild<QPushButton*>("ReadZQ350"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return capture.isOpen() || !dialogs.boxes.empty(); }, 15000));
    ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.boxes[0].text;
    EXPECT_EQ(capture.currentFile(), file);
    QFile read(QString::fromStdString(file));
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(read.readAll().toStdString(), dump);
    EXPECT_EQ(TimingView::KeptPort(), link);  // and kept for the next runs
    // It leaves once the read has closed the port, and takes its link along.
    EXPECT_TRUE(sim.state() == QProcess::NotRunning || sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
}

}  // namespace
}  // namespace zq
