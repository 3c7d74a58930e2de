// The port "Read  from ZQ350" listens on, chosen in the drop-down beside it or in the Device
// menu, through the real widgets; the lists' rules are PortChoice's.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>

#include "support/FakeDialogs.h"
#include "timing/TimingView.h"

namespace zq {
namespace {

class TimingViewPort : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        program.device.setPortLister([this] { return found; });
        view = std::make_unique<TimingView>(program.capture, program.device, program.dialogs, host);
        view->show();
        box = view->findChild<QComboBox*>("ReadPort");
        ASSERT_NE(box, nullptr);
    }
    static PortInfo Port(const std::string& path, const std::string& description) {
        return {path, description, {}, {}, {}, {}};
    }
    QStringList items() const {
        QStringList list;
        for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
        return list;
    }
    // Opens the list and picks the entry at index with the mouse.
    void pick(int index) {
        box->showPopup();
        QAbstractItemView* list = box->view();
        const QRect at = list->visualRect(list->model()->index(index, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at.center());
    }

    test::TestProgram program;
    test::FakeHost host;
    std::vector<PortInfo> found;
    std::unique_ptr<TimingView> view;
    QComboBox* box = nullptr;
};

TEST_F(TimingViewPort, DropDownListsAfreshAsItOpensAndChooses) {
    // Beside the button, in free space: no designed or read control is covered.
    for (const char* name : {"ReadZQ350", "TextList", "ReadStatus", "ReadProgressBar", "StopRead",
                             "Readout", "TimingChart1"})
        EXPECT_FALSE(box->geometry().intersects(view->findChild<QWidget*>(name)->geometry()))
            << name;
    EXPECT_TRUE(box->parentWidget()->rect().contains(box->geometry()));

    found = {Port("/dev/ttyACM0", "Uno")};  // plugged in after the window opened
    pick(0);
    EXPECT_EQ(items(),
              QStringList({"/dev/ttyACM0 - Uno", "/dev/ttyUSB0 (default)", "Other path..."}));
    EXPECT_EQ(program.device.portPath(), "/dev/ttyACM0");
    EXPECT_EQ(TimingView::KeptPort(), "/dev/ttyACM0");

    program.dialogs.texts = {" /tmp/ttyZQ "};
    pick(2);
    ASSERT_EQ(program.dialogs.textsAsked.size(), 1u);
    EXPECT_EQ(program.dialogs.textsAsked[0].text, "/dev/ttyACM0");  // from the port in use
    EXPECT_EQ(program.device.portPath(), "/tmp/ttyZQ");
    EXPECT_EQ(box->currentText(), "/tmp/ttyZQ");
}

TEST_F(TimingViewPort, DeviceMenuListsThePortsAndChooses) {
    found = {Port("/dev/ttyUSB1", "FT232R & Co")};
    QMenu* menu = view->menuBar()->findChild<QMenu*>("MnuDevice");
    ASSERT_NE(menu, nullptr);
    menu->popup(QPoint(0, 0));  // fills it, as opening it from the menu bar does
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text() + (a->isChecked() ? " *" : "");
    menu->hide();
    EXPECT_EQ(texts, QStringList({"/dev/ttyUSB0 (default) *", "/dev/ttyUSB1 - FT232R && Co",
                                  "&Other path..."}));
    view->findChild<QAction*>("Port2")->trigger();
    EXPECT_EQ(program.device.portPath(), "/dev/ttyUSB1");
    EXPECT_EQ(box->currentText(), "/dev/ttyUSB1 - FT232R & Co");
}

}  // namespace
}  // namespace zq
