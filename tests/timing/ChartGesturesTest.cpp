// The chart's gestures on the real main window, offscreen: each one must fill the boxes and
// draw exactly what typing the same values and clicking the button draws.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>

#include "support/CaptureText.h"
#include "support/FakeDialogs.h"
#include "timing/TimingView.h"
#include "widgets/ChartArea.h"
#include "widgets/TimingChart.h"

namespace zq {
namespace {

class ChartGesturesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("zq_chart_gestures_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        view = std::make_unique<TimingView>(program.capture, program.device, program.dialogs, host);
        chart = view->chart();
    }
    void TearDown() override {
        view.reset();
        std::filesystem::remove_all(dir);
    }
    // The default window 1008..1072 of a capture whose channel 4 changes every 16 samples.
    void load(std::string text = test::CaptureText()) {
        const std::string path = (dir / "capture.txt").string();
        test::WriteFile(path, text);
        program.dialogs.files.push_back(path);
        click("Load");
        ASSERT_TRUE(program.capture.isOpen());
    }

    void click(const char* name) {
        QTest::mouseClick(view->findChild<QAbstractButton*>(name), Qt::LeftButton);
    }
    QLineEdit* box(const char* name) { return view->findChild<QLineEdit*>(name); }
    std::string text(const char* name) { return box(name)->text().toStdString(); }
    QImage picture() { return chart->renderImage(1); }

    // The middle of a sample's column in a channel's band, chart-local.
    QPointF at(int sample, double channel = 8) {
        return {chart->positionX(sample - chart->firstSample() + 1),
                chart->valueToY(channel + 0.5)};
    }
    void mouse(QEvent::Type type, QPointF pos, Qt::MouseButton button,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                      : type == QEvent::MouseMove        ? pressed
                                                                         : Qt::MouseButtons(button);
        QMouseEvent e(type, pos, chart->mapToGlobal(pos), button, held, mods);
        QApplication::sendEvent(chart, &e);
        pressed = held;
    }
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, mods);
        for (int i = 1; i <= 4; ++i)
            mouse(QEvent::MouseMove, from + (to - from) * i / 4, Qt::NoButton, mods);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, mods);
    }
    void wheel(QPointF pos, QPoint angle, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWheelEvent e(pos, chart->mapToGlobal(pos), QPoint(), angle, Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart, &e);
    }

    // The boxes hold start and length, and the chart shows what typing them and clicking "Go !"
    // shows (from another window, so that the typed values do draw anew).
    void expectTyped(const char* start, const char* length) {
        EXPECT_EQ(text("StartPos"), start);
        EXPECT_EQ(text("DataLen"), length);
        const QImage byGesture = picture();
        click("IncStart");
        box("StartPos")->setText(start);
        box("DataLen")->setText(length);
        click("Update");
        EXPECT_TRUE(picture() == byGesture) << "the gesture drew another picture";
    }

    std::filesystem::path dir;
    test::TestProgram program;
    test::FakeHost host;
    std::unique_ptr<TimingView> view;
    TimingChart* chart = nullptr;
    Qt::MouseButtons pressed;
};

TEST_F(ChartGesturesTest, WheelZoomsAroundThePointerAndShiftWheelSteps) {
    load();
    const QPointF p = at(1024);
    wheel(p, {0, 120});
    EXPECT_EQ(chart->sampleAt(p), 1024);  // still under the pointer
    expectTyped("1016", "32");
    wheel(at(1024), {0, -240});
    expectTyped("991", "128");
    wheel(at(1020), {0, -120}, Qt::ShiftModifier);
    EXPECT_EQ(text("StartPos"), "1023");  // as ">"
    wheel(at(1020), {120, 0});
    EXPECT_EQ(text("StartPos"), "991");  // sideways, as "<"
}

TEST_F(ChartGesturesTest, DragPansWithThePointer) {
    load();
    const QPointF to = at(1020);
    drag(at(1030), to);
    EXPECT_EQ(chart->sampleAt(to), 1030);  // the dragged sample followed the pointer
    expectTyped("1018", "64");
}

TEST_F(ChartGesturesTest, CtrlDragShowsTheRangeThenZoomsToIt) {
    load();
    const QPointF from = at(1010, 15.8), to = at(1030, 15.8);  // above channel 15: black
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::ControlModifier);
    mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::ControlModifier);
    const QImage dragging = chart->grab().toImage();
    EXPECT_NE(dragging.pixelColor(at(1020, 15.8).toPoint()), TimingChart::plotBackground());
    EXPECT_EQ(dragging.pixelColor(at(1050, 15.8).toPoint()), TimingChart::plotBackground());
    mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::ControlModifier);
    expectTyped("1010", "20");
}

TEST_F(ChartGesturesTest, ClicksSetTheCursorsAndSwitchThemOn) {
    load();
    click("MarkCursorsCheck");  // off
    mouse(QEvent::MouseButtonPress, at(1020), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, at(1020), Qt::LeftButton);
    EXPECT_EQ(text("MarkCursorA"), "1020");
    EXPECT_TRUE(view->findChild<QAbstractButton*>("MarkCursorsCheck")->isChecked());
    EXPECT_EQ(view->findChild<QLabel*>("MarkCursorDiff")->text(), "Cursor Diff = 20");
    mouse(QEvent::MouseButtonPress, at(1030), Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, at(1030), Qt::RightButton);
    EXPECT_EQ(text("MarkCursorB"), "1030");
    mouse(QEvent::MouseButtonPress, at(1035), Qt::LeftButton, Qt::ShiftModifier);
    mouse(QEvent::MouseButtonRelease, at(1035), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(text("MarkCursorB"), "1035");
    EXPECT_EQ(view->findChild<QLabel*>("MarkCursorDiff")->text(), "Cursor Diff = 15");
    expectTyped("1008", "64");  // the cursors as typed draw the same
}

// A text typed but not applied (no Enter, no click) is applied by the next gesture, as the
// button the gesture stands for would apply it.
TEST_F(ChartGesturesTest, AGestureAppliesWhatWasTypedButNotApplied) {
    load();
    box("MarkCursorB")->setText("1050");
    box("MarkCursorA")->setText("x");  // no number: marks nothing
    wheel(at(1024), {0, 120});
    EXPECT_EQ(text("StartPos"), "1016");
    EXPECT_EQ(text("MarkCursorA"), "x");
    // The view as numbers, shared through the session, is what the boxes now read as.
    const ViewValues& v = program.capture.view();
    EXPECT_EQ(v.start, 1016);
    EXPECT_EQ(v.length, 32);
    EXPECT_EQ(v.cursorA, std::nullopt);
    EXPECT_EQ(v.cursorB, 1050);
    mouse(QEvent::MouseButtonPress, at(1020), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, at(1020), Qt::LeftButton);
    EXPECT_EQ(view->findChild<QLabel*>("MarkCursorDiff")->text(), "Cursor Diff = 30");
}

TEST_F(ChartGesturesTest, HoverReadsTheDecodedCapture) {
    std::string damaged = test::CaptureText();
    damaged.erase(test::LineOffset(damaged, 0x0400) + 7, 5);  // line 0400 one word short
    load(damaged);
    auto* readout = view->findChild<QLabel*>("Readout");
    ASSERT_NE(readout, nullptr);
    mouse(QEvent::MouseMove, at(1010, 1), Qt::NoButton);
    // Word of sample 1010 (0x3F2): 0x3F2 * 0x101 ^ 0x5A00, low 16 bits.
    EXPECT_EQ(readout->text().toStdString(), "Sample 1010 (Trig -14)   Word AFF2   Channel 1: 1");
    EXPECT_EQ(chart->cursor().shape(), Qt::CrossCursor);
    mouse(QEvent::MouseMove, at(1030, 2), Qt::NoButton);
    EXPECT_TRUE(readout->text().endsWith("unreliable")) << readout->text().toStdString();
    mouse(QEvent::MouseMove, QPointF(2, 2), Qt::NoButton);  // off the plot
    EXPECT_EQ(readout->text().toStdString(), "");
}

// Beside the pointer, above the band it measures: the pulse under it, in time with a rate.
TEST_F(ChartGesturesTest, ThePulseUnderThePointerIsMeasuredBesideItAndCursorsInTime) {
    load();
    auto* beside = view->findChild<QLabel*>("PointerReadout");
    ASSERT_NE(beside, nullptr);
    const QPointF p = at(1040, 4);  // channel 4 changes every 16 samples
    mouse(QEvent::MouseMove, p, Qt::NoButton);
    ASSERT_FALSE(beside->isHidden());
    // The pulse is bracketed on its row: channel 4 is high over 1040..1055.
    ASSERT_TRUE(chart->bracket());
    EXPECT_EQ(chart->bracket()->row, (ChartRow{4, -1}));
    EXPECT_EQ(chart->bracket()->first, 1040);
    EXPECT_EQ(chart->bracket()->last, 1055);
    // Every row's value at the pointer beside its label: word 4E10, channel 15 at the top.
    const std::vector<std::string> word4E10{"0", "1", "0", "0", "1", "1", "1", "0",
                                            "0", "0", "0", "1", "0", "0", "0", "0"};
    EXPECT_EQ(chart->rowValues(), word4E10);
    // Cursors at 1008 and 1040: channel 4 changes at 1024 and 1040 between them.
    EXPECT_TRUE(
        beside->text().endsWith("period 32 samples, duty 50 %\n2 edges between the cursors"))
        << beside->text().toStdString();
    const QRect box = beside->geometry();
    EXPECT_LE(box.bottom(), chart->valueToY(5));  // not over channel 4's band
    EXPECT_LT(std::abs(box.left() - p.x()) + std::abs(box.bottom() - p.y()), 80);
    EXPECT_EQ(view->findChild<QLabel*>("CursorTime")->text(), "");  // no rate, no time
    ChannelSetup setup;
    setup.sampleRate = 1e6;
    view->UseSetup(setup);
    // "Cursor Diff = 32" as ever, and its time beside it.
    EXPECT_EQ(view->findChild<QLabel*>("CursorTime")->text(), "= 32.0 us (31.3 kHz)");
    EXPECT_TRUE(beside->text().contains("period 32.0 us (31.3 kHz), duty 50 %\n"))
        << beside->text().toStdString();
    mouse(QEvent::MouseMove, QPointF(2, 2), Qt::NoButton);
    EXPECT_TRUE(beside->isHidden());
    EXPECT_FALSE(chart->bracket());  // off the plot, nothing is measured
    EXPECT_TRUE(chart->rowValues().empty());
}

// The setup's rows: a hidden channel's label goes, a bus gets a label beside its row and a
// read-out; cursor A follows a drag of its line.
TEST_F(ChartGesturesTest, SetupRowsHaveLabelsAndReadoutsAndACursorLineDrags) {
    load();
    ChannelSetup setup;
    setup.channels[13].hidden = true;
    setup.buses = {{"NIB", {7, 6, 5, 4}, {}}};
    view->UseSetup(setup);
    EXPECT_TRUE(view->findChild<QLabel*>(ChannelLabelName(13))->isHidden());
    auto* busLabel = view->findChild<QLabel*>("BusLabel0");
    ASSERT_NE(busLabel, nullptr);
    const ChartRow bus{-1, 0};
    const auto [top, bottom] = chart->rowSpan(bus);
    const double labelMiddle =
        chart->mapFrom(busLabel->parentWidget(), busLabel->geometry().center()).y();
    EXPECT_GE(labelMiddle, top);
    EXPECT_LE(labelMiddle, bottom);
    mouse(QEvent::MouseMove, QPointF(at(1040).x(), (top + bottom) / 2), Qt::NoButton);
    EXPECT_TRUE(view->findChild<QLabel*>("PointerReadout")->text().contains("\nNIB = 1, holds"))
        << view->findChild<QLabel*>("PointerReadout")->text().toStdString();

    drag(at(1008), at(1020));
    EXPECT_EQ(text("MarkCursorA"), "1020");
    EXPECT_EQ(text("StartPos"), "1008");  // the window stayed
}

// A label dragged up the column takes its row there.
TEST_F(ChartGesturesTest, DraggingALabelMovesItsRow) {
    load();
    auto* label = view->findChild<QLabel*>(ChannelLabelName(0));
    // As the pointer sends them: each position local to the label where it is now, since the
    // label follows the pointer.
    const auto send = [&](QEvent::Type type, QPointF global, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        const QPointF local = label->mapFromGlobal(global);
        QMouseEvent e(type, local, global, button, held, Qt::NoModifier);
        QApplication::sendEvent(label, &e);
    };
    const QPointF from = label->mapToGlobal(QPointF(label->rect().center()));
    // Onto the row of channel 14, the second from the top: channel 0 goes above it.
    const QPointF to = chart->mapToGlobal(QPointF(20, chart->valueToY(14.5)));
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(program.capture.setup().order,
              (std::array<int, 16>{15, 0, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(chart->channelAt(chart->valueToY(14.5)), 0);
    // The label went with its row.
    EXPECT_NEAR(chart->mapFrom(view.get(), label->mapTo(view.get(), label->rect().center())).y(),
                chart->valueToY(14.5), 2);
}

TEST_F(ChartGesturesTest, OverviewShowsAndMovesTheWindow) {
    load();
    auto* overview = view->findChild<QScrollBar*>("Overview");
    ASSERT_NE(overview, nullptr);
    EXPECT_EQ(overview->value(), 1008);
    EXPECT_EQ(overview->pageStep(), 64);
    overview->setSliderDown(true);
    overview->setSliderPosition(500);  // as dragging the handle does
    overview->setSliderDown(false);
    expectTyped("500", "64");
    EXPECT_EQ(overview->value(), 500);
}

TEST_F(ChartGesturesTest, KeysStepZoomJumpAndFindEdges) {
    load();
    const QImage start = picture();
    QTest::keyClick(chart, Qt::Key_Right);
    EXPECT_EQ(text("StartPos"), "1024");
    QTest::keyClick(chart, Qt::Key_Left);
    EXPECT_TRUE(picture() == start);
    QTest::keyClick(chart, Qt::Key_Plus);  // around the middle, the pointer being away
    EXPECT_EQ(text("DataLen"), "32");
    EXPECT_EQ(text("StartPos"), "1024");
    QTest::keyClick(chart, Qt::Key_Minus);
    EXPECT_EQ(text("StartPos"), "1008");
    QTest::keyClick(chart, Qt::Key_End);
    EXPECT_EQ(text("StartPos"), "1984");
    QTest::keyClick(chart, Qt::Key_Home);
    EXPECT_EQ(text("StartPos"), "0");

    box("StartPos")->setText("1008");
    click("Update");
    box("MarkCursorA")->setText("1070");
    mouse(QEvent::MouseMove, at(1040, 4), Qt::NoButton);  // over channel 4
    QTest::keyClick(chart, Qt::Key_N);
    EXPECT_EQ(text("MarkCursorA"), "1072");
    EXPECT_EQ(text("StartPos"), "1008");  // shown already
    QTest::keyClick(chart, Qt::Key_N);
    EXPECT_EQ(text("MarkCursorA"), "1088");
    expectTyped("1056", "64");
    QTest::keyClick(chart, Qt::Key_N, Qt::ShiftModifier);
    EXPECT_EQ(text("MarkCursorA"), "1072");
}

}  // namespace
}  // namespace zq
