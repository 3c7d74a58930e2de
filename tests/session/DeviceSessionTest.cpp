// The device read's handlers against a fake port, scripted dialogs and a hand-fired timer, with
// real files in a temporary directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "Fakes.h"
#include "session/CaptureWriter.h"
#include "session/DeviceSession.h"

namespace zq {
namespace {

using test::Asked;
using test::FakeDialogs;
using test::FakePort;
using test::FakeTimer;
using test::FakeViewer;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;
namespace fs = std::filesystem;

class DeviceSessionTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return (dir / name).string(); }
    // The file a read into p writes until it ends.
    static std::string part(const std::string& p) { return p + ".part"; }

    // The user picks name (a new file unless the test made it) and no questions are expected.
    std::string startRead(const std::string& name) {
        const std::string p = path(name);
        dialogs.names.push_back(p);
        read->ReadZQ350_Click(openLog);
        if (port) port->watched = part(p);
        return p;
    }

    // The names in the test's directory, sorted.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Makes name the capture being viewed.
    std::string view(const std::string& name, const std::string& bytes = "S 0000") {
        const std::string p = path(name);
        WriteFile(p, bytes);
        std::string error;
        EXPECT_TRUE(capture.open(p, error)) << error;
        return p;
    }

    const Asked& lastAsked() const { return dialogs.asked.back(); }

    TempDir dir;
    CaptureSession capture;
    FakeDialogs dialogs;
    FakeTimer timer;
    OpenLogSettings openLog;
    FakeViewer viewer;
    FakePort* port = nullptr;
    std::string nextOpenError;
    PortAccess nextAccess;
    std::vector<std::string> portsMade;  // the path each port was made for
    std::unique_ptr<DeviceSession> read =
        std::make_unique<DeviceSession>(capture, dialogs, timer, [this](const std::string& path) {
            auto p = std::make_unique<FakePort>();
            p->openError = nextOpenError;
            p->access = nextAccess;
            portsMade.push_back(path);
            port = p.get();
            return p;
        });

    DeviceSessionTest() { viewer.attach(*read, capture); }
};

TEST_F(DeviceSessionTest, NewFileAsksNothingAndWaitsWithAFileOfItsOwn) {
    openLog.FilterIndex = 2;  // as a load from disk leaves it
    capture.setCurrentFile("earlier.txt");
    const std::string p = startRead("new.txt");

    EXPECT_TRUE(dialogs.asked.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const OpenLogSettings& s = dialogs.shown[0];
    EXPECT_EQ(s.DialogTitle, "Save ZQ350 File as ...");
    EXPECT_EQ(s.Filter, "Text Files (*.TXT)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(s.FileName, "");
    EXPECT_EQ(s.FilterIndex, 2);
    EXPECT_EQ(s.DefaultExt, "LOG");

    // Nothing of the chosen name exists, nor is it current, until something has arrived.
    EXPECT_EQ(capture.currentFile(), "earlier.txt");
    EXPECT_EQ(files(), std::vector<std::string>{"new.txt.part"});
    EXPECT_EQ(ReadFile(part(p)), "");
    EXPECT_TRUE(port->isOpen());
    EXPECT_EQ(port->nullDiscard, std::optional<bool>(false));
    EXPECT_EQ(read->readState(), ReadState::Waiting);
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(viewer.statuses.back(), "Waiting for ZQ350 ...");
}

TEST_F(DeviceSessionTest, CancelledDialogChangesNothing) {
    const std::string viewed = view("viewed.txt");
    dialogs.names.push_back(std::nullopt);
    read->ReadZQ350_Click(openLog);
    EXPECT_EQ(capture.currentFile(), viewed);
    EXPECT_TRUE(capture.file());
    EXPECT_EQ(port->opens, 0);
    EXPECT_FALSE(read->writer());
    EXPECT_EQ(read->readState(), ReadState::Idle);
    EXPECT_TRUE(dialogs.asked.empty());
}

// The questions before an existing file is replaced, and where each answer leads.
struct QuestionCase {
    const char* name;
    bool viewed;               // the chosen file is the one being viewed
    std::vector<int> answers;  // to the questions, in order
    bool secondDialog;         // the answers lead back to the dialog (cancelled there)
    bool started;              // the read listens
};

class ReadQuestions : public DeviceSessionTest,
                      public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(ReadQuestions, AskAndLeadWhereTheAnswersSay) {
    const QuestionCase& c = GetParam();
    const std::string p = path("capture.txt");
    if (c.viewed) {
        view("capture.txt", "old capture");
    } else {
        view("other.txt");
        WriteFile(p, "old capture");
    }
    dialogs.names = {p, std::nullopt};
    dialogs.answers.assign(c.answers.begin(), c.answers.end());
    read->ReadZQ350_Click(openLog);

    ASSERT_EQ(dialogs.asked.size(), c.answers.size());
    const Asked& replace = dialogs.asked[0];
    EXPECT_EQ(replace.text, "Replace existing file - " + p + "?");
    EXPECT_EQ(replace.buttons, Buttons::YesNoCancel);
    EXPECT_EQ(replace.icon, Icon::Question);
    EXPECT_EQ(replace.title, kProgramTitle);
    if (c.answers.size() == 2) {
        const Asked& refresh = dialogs.asked[1];
        EXPECT_EQ(refresh.text, "Refresh? (file being viewed) - " + p + "?");
        EXPECT_EQ(refresh.buttons, Buttons::YesNo);
        EXPECT_EQ(refresh.icon, Icon::Question);
    }
    EXPECT_EQ(dialogs.shown.size(), c.secondDialog ? 2u : 1u);
    for (const auto& s : dialogs.shown) EXPECT_EQ(s.FileName, "");

    // Whatever the answers, the chosen file and the capture shown stay as they were until
    // something arrives: the title and the listing go on naming what they show.
    EXPECT_EQ(ReadFile(p), "old capture");
    EXPECT_EQ(fs::exists(part(p)), c.started);
    EXPECT_EQ(capture.currentFile(), c.viewed ? p : path("other.txt"));
    ASSERT_TRUE(capture.file());
    EXPECT_EQ(capture.file()->path(), capture.currentFile());
    EXPECT_EQ(port->isOpen(), c.started);
    EXPECT_EQ(read->writer() != nullptr, c.started);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ReadQuestions,
    ::testing::Values(QuestionCase{"OtherFileYes", false, {AnswerYes}, false, true},
                      QuestionCase{"OtherFileNo", false, {AnswerNo}, true, false},
                      QuestionCase{"OtherFileCancel", false, {AnswerCancel}, true, false},
                      QuestionCase{"ViewedYesYes", true, {AnswerYes, AnswerYes}, false, true},
                      QuestionCase{"ViewedYesNo", true, {AnswerYes, AnswerNo}, true, false},
                      QuestionCase{"ViewedNo", true, {AnswerNo}, true, false},
                      QuestionCase{"ViewedCancel", true, {AnswerCancel}, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceSessionTest, ViewedFileStaysShownUntilWhatArrivedTakesItsPlace) {
    const std::string p = view("capture.txt", "old capture");
    // A second name of the old file (a hard link) shows that it is replaced rather than
    // written into: the link keeps the old bytes.
    fs::create_hard_link(p, path("link.txt"));
    dialogs.names = {p};
    dialogs.answers = {AnswerYes, AnswerYes};
    read->ReadZQ350_Click(openLog);
    port->receive("S 0000 0001 0002");
    EXPECT_EQ(read->readState(), ReadState::Receiving);
    EXPECT_EQ(ReadFile(p), "old capture");
    ASSERT_TRUE(capture.file());
    EXPECT_EQ(capture.file()->length(), 11);

    timer.fire();
    EXPECT_EQ(ReadFile(p), "S 0000 0001 0002");
    EXPECT_EQ(ReadFile(path("link.txt")), "old capture");
    EXPECT_EQ(files(), (std::vector<std::string>{"capture.txt", "link.txt"}));
    ASSERT_TRUE(capture.file());
    EXPECT_EQ(capture.file()->length(), 16);
    EXPECT_EQ(viewer.calcs, 1);
}

TEST_F(DeviceSessionTest, FailedExistenceCheckIsShownAndCreatesNothing) {
    WriteFile(path("plain"), "x");
    const std::string bad = path("plain") + "/capture.txt";
    dialogs.names = {bad};
    dialogs.answers = {AnswerOk};
    read->ReadZQ350_Click(openLog);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(lastAsked().text, bad + ": " + std::strerror(ENOTDIR));
    EXPECT_EQ(lastAsked().buttons, Buttons::Ok);
    EXPECT_EQ(lastAsked().icon, Icon::Exclamation);
    EXPECT_EQ(lastAsked().title, kProgramTitle);
    EXPECT_EQ(capture.currentFile(), "");  // no read started: the current file stays
    EXPECT_EQ(port->opens, 0);
    EXPECT_EQ(read->readState(), ReadState::Idle);
}

TEST_F(DeviceSessionTest, AFolderIsRefusedBeforeTheDeviceSends) {
    const std::string viewed = view("viewed.txt");
    fs::create_directory(path("dir"));
    dialogs.names = {path("dir")};
    dialogs.answers = {AnswerOk};
    read->ReadZQ350_Click(openLog);
    ASSERT_EQ(dialogs.asked.size(), 1u);  // no question about replacing it
    EXPECT_EQ(lastAsked().text, path("dir") + ": " + std::strerror(EISDIR));
    EXPECT_EQ(lastAsked().icon, Icon::Exclamation);
    EXPECT_EQ(port->opens, 0);
    EXPECT_EQ(files(), (std::vector<std::string>{"dir", "viewed.txt"}));
    ASSERT_TRUE(capture.file());
    EXPECT_EQ(capture.currentFile(), viewed);
}

TEST_F(DeviceSessionTest, FileThatCannotBeCreatedEndsTheReadThatWasRunning) {
    const std::string first = startRead("first.txt");
    port->receive("S 0000 12");
    ASSERT_EQ(read->readState(), ReadState::Receiving);

    dialogs.names = {path("missing/capture.txt")};
    dialogs.answers = {AnswerOk};
    read->ReadZQ350_Click(openLog);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(lastAsked().text, part(path("missing/capture.txt")) + ": " + std::strerror(ENOENT));
    EXPECT_EQ(lastAsked().icon, Icon::Exclamation);
    EXPECT_EQ(lastAsked().title, kProgramTitle);
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(timer.active);
    EXPECT_FALSE(read->writer());
    EXPECT_EQ(viewer.statuses.back(), "");
    EXPECT_EQ(read->readState(), ReadState::Idle);
    // The read that was running ended as the timer would have ended it.
    EXPECT_EQ(ReadFile(first), "S 0000 12");
    ASSERT_TRUE(capture.file());
    EXPECT_EQ(capture.file()->path(), first);
}

TEST_F(DeviceSessionTest, PortThatCannotBeOpenedIsShownAndNothingWaits) {
    nextOpenError = std::strerror(EACCES);
    dialogs.answers = {AnswerOk};
    const std::string p = startRead("capture.txt");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    // Named as the port's error, with what to do: it never reads as one of the file's.
    EXPECT_EQ(lastAsked().text.rfind("/dev/ttyFAKE: " + std::string(std::strerror(EACCES)), 0), 0u);
    EXPECT_NE(lastAsked().text.find("sudo usermod -aG dialout $USER"), std::string::npos);
    EXPECT_EQ(lastAsked().buttons, Buttons::Ok);
    EXPECT_EQ(lastAsked().icon, Icon::Exclamation);
    EXPECT_EQ(lastAsked().title, kProgramTitle);
    EXPECT_TRUE(files().empty());  // no file is made for a read that cannot listen
    EXPECT_EQ(capture.currentFile(), "");
    EXPECT_FALSE(read->writer());
    EXPECT_EQ(read->readState(), ReadState::Idle);
    EXPECT_NE(viewer.statuses.back(), "Waiting for ZQ350 ...");
}

// Every event code: which ones beep and ask, with which text, and what happens to the timer.
struct EventCase {
    int code;
    const char* text;  // empty: no box
};

class ReadEvents : public DeviceSessionTest, public ::testing::WithParamInterface<EventCase> {};

TEST_P(ReadEvents, ShowErrorsOnlyAndKeepTheReadGoing) {
    const EventCase& c = GetParam();
    const std::string p = startRead("capture.txt");
    port->receive("S 0000");  // Receiving: the timer runs
    ASSERT_TRUE(timer.active);
    const int starts = timer.starts;
    if (*c.text) dialogs.answers = {AnswerOk};
    port->raise(c.code);

    if (*c.text) {
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(lastAsked().text, c.text);
        EXPECT_EQ(lastAsked().buttons, Buttons::OkCancel);
        EXPECT_EQ(lastAsked().icon, Icon::None);
        EXPECT_EQ(lastAsked().title, "Click Cancel to quit, OK to ignore.");
        EXPECT_EQ(dialogs.beeps, 1);
    } else {
        EXPECT_TRUE(dialogs.asked.empty());
        EXPECT_EQ(dialogs.beeps, 0);
    }
    // Only data restarts the timer; a data event with nothing waiting restarts it as well.
    EXPECT_EQ(timer.active, c.code == comEvReceive);
    EXPECT_EQ(timer.starts, starts + (c.code == comEvReceive ? 1 : 0));
    EXPECT_TRUE(port->isOpen());
    EXPECT_TRUE(port->rts.back().first);
    EXPECT_EQ(ReadFile(part(p)), "S 0000");
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ReadEvents,
    ::testing::Values(
        EventCase{1, ""}, EventCase{2, ""}, EventCase{3, ""}, EventCase{4, ""}, EventCase{5, ""},
        EventCase{6, ""}, EventCase{7, ""}, EventCase{1001, "Break Received"},
        EventCase{1002, "CTS Timeout"}, EventCase{1003, "DSR Timeout"},
        EventCase{1004, "Framing Error"}, EventCase{1005, "Unknown error or event"},
        EventCase{1006, "Overrun Error"}, EventCase{1007, "Carrier Detect Timeout"},
        EventCase{1008, "Receive Buffer Overflow"}, EventCase{1009, "Parity Error"},
        EventCase{1010, "Transmit Buffer Full"}, EventCase{1011, "Error retrieving DCB"},
        EventCase{0, "Unknown error or event"}, EventCase{8, "Unknown error or event"},
        EventCase{-1, "Unknown error or event"}),
    [](const auto& info) {
        return "Code" + std::to_string(info.param.code < 0 ? 0 : info.param.code) +
               (info.param.code < 0 ? "Negative" : "");
    });

TEST_F(DeviceSessionTest, ChunksReachTheFileUnchangedWithRtsLowWhileWriting) {
    const std::string p = startRead("capture.txt");
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    const std::vector<std::string> chunks = {"S", std::string("\0\0", 2),    "0000 ", "\r\n\x1A",
                                             all, std::string(4096, '\xFF'), "\n"};
    std::string expected;
    for (const auto& c : chunks) {
        port->rts.clear();
        const auto before = expected.size();
        port->receive(c);
        expected += c;
        EXPECT_EQ(ReadFile(part(p)), expected);
        // Lowered before the chunk is written, raised after it and once more at the end.
        ASSERT_EQ(port->rts.size(), 3u);
        EXPECT_EQ(port->rts[0], std::make_pair(false, uintmax_t{before}));
        EXPECT_EQ(port->rts[1], std::make_pair(true, uintmax_t{expected.size()}));
        EXPECT_TRUE(port->rts[2].first);
    }
    EXPECT_EQ(viewer.statuses.back(),
              "Receiving from ZQ350: " + std::to_string(expected.size()) + " bytes, line 0000");
}

TEST_F(DeviceSessionTest, ErrorAnsweredOkLetsLaterChunksIn) {
    const std::string p = startRead("capture.txt");
    port->receive("S 00");
    dialogs.answers = {AnswerOk};
    port->raise(comEventOverrun);
    EXPECT_EQ(read->readState(), ReadState::Waiting);
    port->receive("00 1234");  // an error followed by data: no second box
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(ReadFile(part(p)), "S 0000 1234");
    EXPECT_EQ(read->readState(), ReadState::Receiving);
}

TEST_F(DeviceSessionTest, LineEventThenErrorShowsOnlyTheError) {
    startRead("capture.txt");
    port->raise(comEvCD);
    EXPECT_TRUE(dialogs.asked.empty());
    dialogs.answers = {AnswerOk};
    port->raise(comEventRxParity);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(lastAsked().text, "Parity Error");
}

// However a read ends, what arrived takes the chosen file's place, here the file being viewed,
// which stays open and shown until then; a read that got nothing leaves no trace.
enum class End { Timer, Stop, PortGoneOk, PortGoneCancel, ErrorCancel, NextRead, Unload };

class ReadEnds : public DeviceSessionTest,
                 public ::testing::WithParamInterface<std::tuple<End, bool>> {};

TEST_P(ReadEnds, PutWhatArrivedInPlaceOrLeaveNoTrace) {
    const auto [end, bytes] = GetParam();
    const std::string p = view("capture.txt", "S 0000");
    dialogs.names = {p};
    dialogs.answers = {AnswerYes, AnswerYes};
    read->ReadZQ350_Click(openLog);
    ASSERT_EQ(read->readState(), ReadState::Waiting);
    if (bytes) port->receive(end == End::ErrorCancel ? "S 0000 0001" : "S 0000 0001 0002");

    switch (end) {
        case End::Timer:
            port->receive("");  // the timer runs after any data event, one with nothing too
            timer.fire();
            break;
        case End::Stop:
            read->StopRead_Click();
            break;
        case End::PortGoneOk:
        case End::PortGoneCancel:
            dialogs.answers = {end == End::PortGoneOk ? AnswerOk : AnswerCancel};
            port->raise(comEventPortGone);
            break;
        case End::ErrorCancel:
            dialogs.answers = {AnswerCancel};
            // A chunk handled while the box is open restarts the timer; it is kept all the same.
            if (bytes) dialogs.duringBox = [&] { port->receive(" 0002"); };
            port->raise(comEventFrame);
            break;
        case End::NextRead:
            startRead("next.txt");
            break;
        case End::Unload:
            read->Unload();
            break;
    }

    const bool shown = bytes && end != End::Unload;
    const bool boxed =
        end == End::PortGoneOk || end == End::PortGoneCancel || end == End::ErrorCancel;
    EXPECT_EQ(dialogs.asked.size(), boxed ? 3u : 2u);  // the two questions, and the error's box
    EXPECT_EQ(ReadFile(p), bytes ? "S 0000 0001 0002" : "S 0000");
    const std::vector<std::string> left = {"capture.txt", "next.txt.part"};
    EXPECT_EQ(files(), std::vector<std::string>(left.begin(),
                                                left.begin() + (end == End::NextRead ? 2 : 1)));
    EXPECT_EQ(viewer.calcs, shown ? 1 : 0);
    EXPECT_EQ(capture.currentFile(), p);
    ASSERT_TRUE(capture.file());
    EXPECT_EQ(capture.file()->length(), shown ? 16 : 6);  // the new capture, or the old one
    if (shown) {
        EXPECT_EQ(viewer.titles.back(), p + " - Timing Diagram");
    }
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(port->isOpen(), end == End::NextRead);
    EXPECT_EQ(read->readState(), end == End::NextRead ? ReadState::Waiting : ReadState::Idle);
}

std::string EndName(const ::testing::TestParamInfo<std::tuple<End, bool>>& info) {
    static const char* const names[] = {"Timer",       "Stop",     "PortGoneOk", "PortGoneCancel",
                                        "ErrorCancel", "NextRead", "Unload"};
    return std::string(names[static_cast<int>(std::get<0>(info.param))]) +
           (std::get<1>(info.param) ? "WithBytes" : "WithNothing");
}

INSTANTIATE_TEST_SUITE_P(Ends, ReadEnds,
                         ::testing::Combine(::testing::Values(End::Timer, End::Stop,
                                                              End::PortGoneOk, End::PortGoneCancel,
                                                              End::ErrorCancel, End::NextRead,
                                                              End::Unload),
                                            ::testing::Bool()),
                         EndName);

TEST_F(DeviceSessionTest, TimerFinishesTheReadAndShowsTheNewCapture) {
    view("viewed.txt");
    capture.reportOnce("", dialogs);  // the viewed file's report is done with
    const std::string p = startRead("capture.txt");
    port->receive("S 0000 0001 0002");
    viewer.onCalcData = [&] {
        EXPECT_EQ(read->readState(), ReadState::Finishing);
        ASSERT_TRUE(capture.file());
        EXPECT_EQ(capture.file()->path(), p);
        EXPECT_EQ(capture.file()->length(), 16);
        EXPECT_FALSE(capture.reportShown());
    };
    timer.fire();
    EXPECT_EQ(viewer.calcs, 1);
    EXPECT_FALSE(timer.active);
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(read->writer());
    ASSERT_FALSE(viewer.titles.empty());
    EXPECT_EQ(viewer.titles.back(), p + " - Timing Diagram");
    EXPECT_EQ(viewer.statuses.back(), "");
    EXPECT_EQ(read->readState(), ReadState::Idle);
    EXPECT_TRUE(dialogs.asked.empty());
}

// What arrived cannot take the chosen file's place: the box says why and where it is kept, and
// the capture shown stays.
TEST_F(DeviceSessionTest, AFailedPlacingIsShownWithWhereTheBytesAre) {
    for (const bool partRemoved : {true, false}) {
        dialogs.asked.clear();
        const std::string viewed = view("viewed.txt");
        const std::string p = startRead(partRemoved ? "removed.txt" : "folder.txt");
        port->receive("S 0000");
        if (partRemoved)
            fs::remove(part(p));
        else
            fs::create_directories(p + "/made-meanwhile");
        dialogs.answers = {AnswerOk};
        timer.fire();
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(lastAsked().text, partRemoved
                                        ? p + ": " + std::strerror(ENOENT)
                                        : p + ": " + std::strerror(EISDIR) +
                                              "\n\nWhat arrived is kept in " + part(p) + ".");
        EXPECT_EQ(lastAsked().icon, Icon::Exclamation);
        EXPECT_EQ(lastAsked().title, kProgramTitle);
        if (!partRemoved) {
            EXPECT_EQ(ReadFile(part(p)), "S 0000");
        }
        ASSERT_TRUE(capture.file());
        EXPECT_EQ(capture.currentFile(), viewed);
        EXPECT_EQ(read->readState(), ReadState::Idle);
    }
    EXPECT_EQ(viewer.calcs, 0);
    EXPECT_TRUE(viewer.titles.empty());
}

TEST_F(DeviceSessionTest, SecondReadWhileReceivingTakesOverTheOpenPort) {
    const std::string first = startRead("first.txt");
    port->receive("aaa");
    // The first read's chunks go on arriving while the second one's dialog is open.
    dialogs.duringDialog = [&] {
        EXPECT_EQ(read->readState(), ReadState::Choosing);
        port->receive("bbb");
    };
    const std::string second = startRead("second.txt");
    EXPECT_EQ(port->opens, 1);  // already open: stays open
    EXPECT_TRUE(port->isOpen());
    // The first read has ended with what it received, shown as the timer would show it; its
    // pending tick is not the second read's, which waits for its first byte.
    EXPECT_EQ(ReadFile(first), "aaabbb");
    EXPECT_EQ(viewer.titles.back(), first + " - Timing Diagram");
    EXPECT_EQ(read->readState(), ReadState::Waiting);
    port->receive("ccc");
    timer.fire();
    EXPECT_EQ(ReadFile(second), "ccc");
    EXPECT_EQ(viewer.titles.back(), second + " - Timing Diagram");
    EXPECT_EQ(capture.file()->path(), second);
}

// Another port chosen: the read listening on the old one ends as the timer would end it, and
// the new port, missing, is told before a file name is asked for, with the ports found.
TEST_F(DeviceSessionTest, AnotherPortEndsTheOldReadAndAMissingOneAsksForNoFile) {
    read->setPortLister([] {
        return std::vector<PortInfo>{{"/dev/ttyACM0", "Uno", {}, {}, {}, {}}};
    });
    const std::string first = startRead("first.txt");
    port->receive("S 0000");
    read->setPortPath("/dev/ttyACM0");
    nextAccess.error = ENOENT;
    dialogs.answers = {AnswerOk};
    read->ReadZQ350_Click(openLog);
    EXPECT_EQ(ReadFile(first), "S 0000");
    EXPECT_EQ(viewer.titles.back(), first + " - Timing Diagram");
    EXPECT_EQ(portsMade, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyACM0"}));
    EXPECT_EQ(dialogs.shown.size(), 1u);  // the first read's only
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_NE(lastAsked().text.find("No such file or directory"), std::string::npos);
    EXPECT_NE(lastAsked().text.find("/dev/ttyACM0 - Uno"), std::string::npos);
    EXPECT_EQ(port->opens, 0);
    EXPECT_EQ(read->readState(), ReadState::Idle);
}

TEST_F(DeviceSessionTest, EndOfDataDuringTheNextDialogFinishesTheEarlierRead) {
    const std::string first = startRead("first.txt");
    port->receive("S 0000");
    dialogs.duringDialog = [&] { timer.fire(); };
    const std::string second = startRead("second.txt");
    EXPECT_EQ(viewer.titles.back(), first + " - Timing Diagram");
    EXPECT_EQ(viewer.calcs, 1);
    EXPECT_EQ(port->opens, 2);  // closed by the finish, opened for the new read
    EXPECT_EQ(read->readState(), ReadState::Waiting);
    EXPECT_EQ(read->writer()->target(), second);
}

TEST_F(DeviceSessionTest, DiskFullIsReportedOnceAndStopsTheRead) {
    const std::string viewed = view("capture.txt", "old");
    dialogs.names = {viewed};
    dialogs.answers = {AnswerYes, AnswerYes};
    read->ReadZQ350_Click(openLog);
    ASSERT_EQ(read->readState(), ReadState::Waiting);
    dialogs.answers = {AnswerOk};
    {
        test::FileSizeLimit disk(4);
        port->receive("S 0000");
    }
    ASSERT_EQ(dialogs.asked.size(), 3u);
    // Not all that arrived is in the file: it must not replace the capture, and it is kept.
    EXPECT_EQ(lastAsked().text, part(viewed) + ": " + std::strerror(EFBIG) +
                                    "\n\nWhat arrived until then is kept in that file; " + viewed +
                                    " was left as it was.");
    EXPECT_EQ(lastAsked().icon, Icon::Exclamation);
    EXPECT_EQ(ReadFile(part(viewed)), "S 00");
    EXPECT_EQ(ReadFile(viewed), "old");
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(read->readState(), ReadState::Idle);
    EXPECT_EQ(viewer.calcs, 0);
}

TEST_F(DeviceSessionTest, TheWindowsUnloadEndsTheReadAndTheNextReadUsesThePortAgain) {
    startRead("first.txt");
    read->Unload();  // the main window went away; the session and its port are program-wide
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(read->writer());
    EXPECT_EQ(read->readState(), ReadState::Idle);

    const std::string p = startRead("second.txt");
    port->receive("S");
    EXPECT_EQ(ReadFile(part(p)), "S");
}

TEST_F(DeviceSessionTest, EveryStateOfTheReadIsReached) {
    std::vector<ReadState> seen;
    auto note = [&] { seen.push_back(read->readState()); };
    note();  // Idle
    dialogs.duringDialog = note;
    startRead("capture.txt");  // Choosing
    note();                    // Waiting
    port->receive("S");
    note();  // Receiving
    port->raise(comEvCTS);
    note();  // Waiting again
    port->receive("0");
    viewer.onCalcData = note;  // Finishing
    timer.fire();
    note();  // Idle
    EXPECT_EQ(seen,
              (std::vector<ReadState>{ReadState::Idle, ReadState::Choosing, ReadState::Waiting,
                                      ReadState::Receiving, ReadState::Waiting,
                                      ReadState::Finishing, ReadState::Idle}));
}

}  // namespace
}  // namespace zq
