// The window's decoder controls over a scripted engine: "Add Decoder ..." (the library listed
// first, off the window's thread), the rows that follow, the Decoders menu's Remove and Stop,
// a failure told in a box, the annotation list's click and export; and the dialog's controls.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/CaptureText.h"
#include "support/FakeDialogs.h"
#include "timing/DecoderDialog.h"
#include "timing/TimingView.h"
#include "widgets/TimingChart.h"

namespace zq {
namespace {

decode::DecoderInfo Uart() {
    decode::DecoderInfo d;
    d.id = "uart";
    d.name = "UART";
    d.longname = "Universal Asynchronous Receiver/Transmitter";
    d.channels = {{"rx", "RX", "Receive line"}};
    d.options = {
        {"baudrate", "Baud rate", "115200", {}, decode::DecoderOption::Kind::Integer},
        {"parity", "Parity", "none", {"none", "odd", "even"}, decode::DecoderOption::Kind::Text}};
    d.inputs = {"logic"};
    return d;
}

// One byte at samples 1030..1090; a decoder named "slow" runs until stopped, "bad" fails.
struct ScriptedEngine : DecoderEngine {
    std::vector<decode::DecoderInfo> ListAll() override {
        decode::DecoderInfo i2c;
        i2c.id = "i2c";
        i2c.name = "I2C";
        return {i2c, Uart()};
    }
    decode::DecodeResult Run(const DecodedCapture&, const std::vector<decode::DecoderStack>& s,
                             double, const std::atomic<bool>* stop) override {
        decode::DecodeResult r;
        r.rows = {{"uart-1", "uart", 0, "UART: RX"}};
        r.annotations = {{1030, 1090, "uart-1", "uart", 0, 0, {"5A"}, false}};
        while (s[0][0].id == "slow" && !*stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (s[0][0].id == "bad") r.errors = {"bad-1: ValueError: no"};
        return r;
    }
};

class TimingViewDecoders : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        capture = dir.filePath("capture.txt").toStdString();
        test::WriteFile(capture, test::CaptureText());
        view = std::make_unique<TimingView>(program.capture, program.device, program.dialogs, host,
                                            &decoding);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->OpenFile(capture);
    }
    template <class W>
    W* child(const char* name) {
        W* w = view->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Picks an entry of the Decoders menu as it is when opened.
    void pick(const char* name) {
        auto* menu = child<QMenu>("MnuDecoders");
        emit menu->aboutToShow();
        child<QAction>(name)->trigger();
    }
    // The run is over and its rows shown (the first waits for the window's first frame).
    bool settled() {
        return QTest::qWaitFor([&] { return decoding.annotations() && !decoding.running(); },
                               5000);
    }
    ChannelSetup withDecoder(const std::string& id) {
        ChannelSetup s = program.capture.setup();
        s.sampleRate = 1e6;
        s.decoders = {{{id, {{"rx", 9}}, {}, {}}}};
        return s;
    }

    QTemporaryDir dir;
    std::string capture;
    test::TestProgram program;
    test::FakeHost host;
    DecodeSession decoding{[](std::string*) { return std::make_unique<ScriptedEngine>(); }};
    std::unique_ptr<TimingView> view;
};

TEST_F(TimingViewDecoders, AddDecoderShowsItsRowsAndTheMenuRemovesIt) {
    program.dialogs.decoderSetups = {withDecoder("uart")};
    QTest::mouseClick(child<QPushButton>("AddDecoderButton"), Qt::LeftButton);
    // The dialog waits for the library's list, which comes from the decoders' thread.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !program.dialogs.decodersAsked.empty(); }, 5000));
    EXPECT_EQ(program.dialogs.decodersAsked[0], std::nullopt);
    ASSERT_TRUE(settled());
    EXPECT_EQ(program.capture.setup().decoders.size(), 1u);
    ASSERT_NE(view->chart()->annotations(), nullptr);
    EXPECT_EQ(view->chart()->rows().rows.back(), (ChartRow{-1, -1, 0}));
    EXPECT_EQ(child<QLabel>("AnnotationLabel0")->text(), "UART: RX");

    pick("RemoveDecoder0");
    EXPECT_TRUE(program.capture.setup().decoders.empty());
    EXPECT_EQ(view->chart()->rows().rows.size(), 16u);
}

TEST_F(TimingViewDecoders, StopEndsARunAndAFailureIsToldInABox) {
    view->UseSetup(withDecoder("slow"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return decoding.running(); }, 5000));
    auto* stop = child<QPushButton>("StopDecodingButton");
    EXPECT_TRUE(stop->isVisible());
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !decoding.running(); }, 5000));
    EXPECT_FALSE(stop->isVisible());

    view->UseSetup(withDecoder("bad"));
    ASSERT_TRUE(settled());
    QApplication::processEvents();
    ASSERT_EQ(program.dialogs.boxes.size(), 1u);
    EXPECT_EQ(program.dialogs.boxes[0].text, "bad-1: ValueError: no");
    // The other annotations are drawn all the same.
    EXPECT_NE(view->chart()->annotations(), nullptr);
}

TEST_F(TimingViewDecoders, TheListCentresTheWindowOnAClickAndExportsWhatItShows) {
    view->UseSetup(withDecoder("uart"));
    ASSERT_TRUE(settled());
    pick("ShowAnnotationList");
    auto* table = child<QTableView>("AnnotationTable");
    ASSERT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(table->model()->index(0, 4).data().toString(), "5A");
    table->clicked(table->model()->index(0, 0));
    EXPECT_EQ(child<QLineEdit>("StartPos")->text(), "1027");  // 1030..1089 centred
    EXPECT_EQ(child<QLineEdit>("DataLen")->text(), "64");

    const std::string out = dir.filePath("notes.csv").toStdString();
    program.dialogs.files = {out};
    QTest::mouseClick(child<QPushButton>("ExportAnnotations"), Qt::LeftButton);
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "start_sample,end_sample,start_time,end_time,decoder,row,text,unreliable\n"
              "1030,1090,0.00103,0.00109,uart-1,UART: RX,5A,0\n");
    child<QLineEdit>("AnnotationSearch")->setText("nothing like it");
    EXPECT_EQ(table->model()->rowCount(), 0);
}

TEST(DecoderDialog, ChoosesMapsAndSetsTheDecoderAndTheRate) {
    ChannelSetup setup;
    setup.channels[9].name = "RX";
    decode::DecoderInfo i2c;
    i2c.id = "i2c";
    i2c.name = "I2C";
    i2c.inputs = {"logic"};
    DecoderDialog dialog({i2c, Uart()}, setup, std::nullopt);
    auto* list = dialog.findChild<QListWidget*>("DecoderList");
    dialog.findChild<QLineEdit*>("DecoderSearch")->setText("asynchronous");
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text().left(4), "UART");
    auto* rx = dialog.findChild<QComboBox*>("Channel_rx");
    ASSERT_NE(rx, nullptr);
    EXPECT_EQ(rx->currentData().toInt(), 9);  // by its name
    EXPECT_EQ(dialog.findChild<QComboBox*>("Option_parity")->count(), 3);
    auto* ok = dialog.findChild<QPushButton*>();
    for (auto* b : dialog.findChildren<QPushButton*>())
        if (b->text().contains("OK")) ok = b;
    EXPECT_FALSE(ok->isEnabled());  // no rate yet
    dialog.findChild<QLineEdit*>("DecoderSampleRate")->setText("1 MHz");
    dialog.findChild<QLineEdit*>("Option_baudrate")->setText("166667");
    EXPECT_TRUE(ok->isEnabled()) << dialog.findChild<QLabel*>("DecoderError")->text().toStdString();
    const SetupEdit edited = dialog.Edited();
    ASSERT_TRUE(edited.ok());
    EXPECT_EQ(edited.value.sampleRate, 1e6);
    EXPECT_EQ(
        edited.value.decoders,
        (std::vector<decode::DecoderStack>{{{"uart", {{"rx", 9}}, {{"baudrate", "166667"}}, {}}}}));
}

}  // namespace
}  // namespace zq
