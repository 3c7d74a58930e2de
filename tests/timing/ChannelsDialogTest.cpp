// The Channels and Make Bus dialogs' controls, offscreen: each reaches the setup they give.

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "timing/BusDialog.h"
#include "timing/ChannelsDialog.h"

namespace zq {
namespace {

template <class W>
W* Child(QWidget& dialog, const char* name) {
    W* w = dialog.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST(ChannelsDialog, EditsEveryPartOfTheSetup) {
    ChannelSetup setup;
    setup.buses.push_back({"OLD", {1, 0}, {}});
    ChannelsDialog dialog(setup);
    auto* table = Child<QTableWidget>(dialog, "ChannelTable");
    // Row 1 is channel 14: named, hidden, then moved to the top.
    table->item(1, ChannelsDialog::ColName)->setText(" MSB ");
    table->item(1, ChannelsDialog::ColHidden)->setCheckState(Qt::Checked);
    table->setCurrentCell(1, ChannelsDialog::ColName);
    QTest::mouseClick(Child<QPushButton>(dialog, "MoveUp"), Qt::LeftButton);
    EXPECT_EQ(table->item(0, ChannelsDialog::ColName)->text(), " MSB ");
    // A bus from rows 2 and 3 (channels 13 and 12), the old one deleted.
    table->clearSelection();
    table->setRangeSelected(QTableWidgetSelectionRange(2, 0, 3, 2), true);
    Child<QLineEdit>(dialog, "BusName")->setText("PAIR");
    QTest::mouseClick(Child<QPushButton>(dialog, "AddBus"), Qt::LeftButton);
    Child<QListWidget>(dialog, "BusList")->setCurrentRow(0);
    QTest::mouseClick(Child<QPushButton>(dialog, "DeleteBus"), Qt::LeftButton);
    // A bad rate is shown and holds OK back until it is mended.
    auto* rate = Child<QLineEdit>(dialog, "SampleRate");
    rate->setText("2 mHz");
    EXPECT_FALSE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
    EXPECT_NE(Child<QLabel>(dialog, "EntryError")->text().indexOf("milli"), -1);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    rate->setText("2 MHz");

    const SetupEdit edited = dialog.Edited();
    ASSERT_TRUE(edited.ok()) << edited.error;
    const ChannelSetup& s = edited.value;
    EXPECT_EQ(s.channels[14].name, "MSB");
    EXPECT_TRUE(s.channels[14].hidden);
    EXPECT_EQ(std::vector<int>(s.order.begin(), s.order.begin() + 5),
              (std::vector<int>{14, 15, 13, 12, 11}));
    ASSERT_EQ(s.buses.size(), 1u);
    EXPECT_EQ(s.buses[0].name, "PAIR");
    EXPECT_EQ(s.buses[0].channels, (std::vector<int>{13, 12}));
    EXPECT_EQ(s.sampleRate, 2e6);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(BusDialog, TakesTheSelectedRowsTopFirst) {
    ChannelSetup setup;
    BusDialog dialog(setup, {3});
    auto* rows = Child<QListWidget>(dialog, "BusChannels");
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    Child<QLineEdit>(dialog, "BusName")->setText("NIB");
    EXPECT_FALSE(ok->isEnabled());      // one channel is no bus
    rows->item(15)->setSelected(true);  // channel 0, the bottom row
    rows->item(13)->setSelected(true);  // channel 2
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.Chosen().channels, (std::vector<int>{3, 2, 0}));
    EXPECT_EQ(dialog.Chosen().name, "NIB");
}

}  // namespace
}  // namespace zq
