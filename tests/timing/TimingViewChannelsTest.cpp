// The channel labels' menu and double-click and the View menu's channel entries: each reaches
// the setup in use through its dialog.

#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTest>

#include "support/FakeDialogs.h"
#include "timing/TimingView.h"
#include "widgets/ChartArea.h"

namespace zq {
namespace {

class TimingViewChannels : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        view = std::make_unique<TimingView>(program.capture, program.device, program.dialogs, host);
    }
    QLabel* label(int c) { return view->findChild<QLabel*>(ChannelLabelName(c)); }
    // Right-clicks a label and picks an entry of the menu it opens.
    void pick(int c, const char* entry) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                label(c)->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(label(c), &event);
        auto* menu = view->findChild<QMenu*>("ChannelMenu");
        ASSERT_NE(menu, nullptr);
        auto* action = menu->findChild<QAction*>(entry);
        ASSERT_NE(action, nullptr) << entry;
        action->trigger();
        menu->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const ChannelSetup& setup() { return program.capture.setup(); }

    test::TestProgram program;
    test::FakeHost host;
    std::unique_ptr<TimingView> view;
};

TEST_F(TimingViewChannels, LabelMenuEditsTheSetup) {
    program.dialogs.texts = {"A:B", "CLK"};  // refused, then mended
    QTest::mouseDClick(label(0), Qt::LeftButton);
    ASSERT_EQ(program.dialogs.textsAsked.size(), 2u);
    EXPECT_EQ(program.dialogs.textsAsked[1].text, "A:B");
    ASSERT_EQ(program.dialogs.boxes.size(), 1u);
    EXPECT_EQ(program.dialogs.boxes[0].text.find("Channel 0 keeps its name: a name may not"), 0u);
    EXPECT_EQ(label(0)->text(), "CLK");

    pick(15, "ChannelMoveDown");
    EXPECT_EQ(setup().order[1], 15);
    program.dialogs.buses = {Bus{"HI", {14, 15}, {}}};
    pick(14, "ChannelMakeBus");
    EXPECT_EQ(program.dialogs.busesAsked, (std::vector<std::vector<int>>{{14}}));
    ASSERT_EQ(setup().buses.size(), 1u);
    EXPECT_EQ(setup().buses[0].channels, (std::vector<int>{14, 15}));
    // The bus's own label has a menu of its own.
    auto* busLabel = view->findChild<QLabel*>("BusLabel0");
    ASSERT_NE(busLabel, nullptr);
    EXPECT_FALSE(busLabel->isHidden());
    emit busLabel->customContextMenuRequested(QPoint(2, 2));
    auto* busMenu = view->findChild<QMenu*>("BusMenu");
    ASSERT_NE(busMenu, nullptr);
    busMenu->findChild<QAction*>("BusDelete")->trigger();
    busMenu->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(setup().buses.empty());
    EXPECT_EQ(view->findChild<QLabel*>("BusLabel0"), nullptr);  // its label went with it
    program.dialogs.buses = {Bus{"HI", {14, 15}, {}}};
    pick(14, "ChannelMakeBus");
    pick(3, "ChannelHide");
    EXPECT_TRUE(setup().channels[3].hidden);
    pick(0, "ChannelMenuShowAll");
    EXPECT_FALSE(setup().channels[3].hidden);
    // Kept for the next run.
    ASSERT_TRUE(TimingView::KeptSetup());
    EXPECT_EQ(*TimingView::KeptSetup(), setup());
}

TEST_F(TimingViewChannels, ViewMenuOpensChannelsAndSampleRate) {
    ChannelSetup edited;
    edited.channels[5].name = "CS";
    program.dialogs.channelSetups = {std::nullopt, edited};  // Cancel, then OK
    view->findChild<QAction*>("Channels")->trigger();
    EXPECT_EQ(label(5)->text(), "5");
    view->findChild<QAction*>("Channels")->trigger();
    EXPECT_EQ(label(5)->text(), "CS");

    program.dialogs.texts = {"250k"};
    view->findChild<QAction*>("SampleRate")->trigger();
    EXPECT_EQ(setup().sampleRate, 250e3);
    program.dialogs.texts = {""};
    view->findChild<QAction*>("SampleRate")->trigger();
    EXPECT_EQ(program.dialogs.textsAsked.back().text, "250 kHz");
    EXPECT_FALSE(setup().sampleRate);
}

}  // namespace
}  // namespace zq
