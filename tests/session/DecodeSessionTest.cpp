// The decoders' session with a scripted engine: the library is loaded on its own thread only
// when a decoder is asked for, a run happens again only when the capture, the rate or the
// decoders change, a new run ends the one before, Stop ends a run, each failure is told once.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <thread>

#include "session/DecodeSession.h"

namespace zq {
namespace {

// Answers a run with one annotation naming its capture's first word; a run given "slow" waits
// for its stop; "bad" fails.
struct ScriptedEngine : DecoderEngine {
    std::atomic<int>* runs;
    std::thread::id* thread;
    explicit ScriptedEngine(std::atomic<int>* r, std::thread::id* t) : runs(r), thread(t) {}
    std::vector<decode::DecoderInfo> ListAll() override {
        decode::DecoderInfo uart;
        uart.id = "uart";
        return {uart};
    }
    decode::DecodeResult Run(const DecodedCapture& capture,
                             const std::vector<decode::DecoderStack>& stacks, double,
                             const std::atomic<bool>* stop) override {
        ++*runs;
        *thread = std::this_thread::get_id();
        decode::DecodeResult r;
        r.rows = {{"uart-1", "uart", 0, "UART: RX"}};
        r.annotations = {{1, 2, "uart-1", "uart", 0, 0, {std::to_string(capture.words[0])}, false}};
        if (stacks.front().front().id == "slow")
            while (!*stop) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (stacks.front().front().id == "bad") r.errors = {"bad-1: ValueError: no"};
        return r;
    }
};

ChannelSetup WithDecoder(const std::string& id) {
    ChannelSetup s;
    s.sampleRate = 1e6;
    s.decoders = {{{id, {{"rx", 9}}, {}, {}}}};
    return s;
}

std::string FirstText(const DecodeSession& session) {
    const auto& t = session.annotations();
    return t && !t->listed().empty() ? t->annotation(t->listed().front()).texts.front() : "";
}

TEST(DecodeSession, RunsOnlyWhatChangedOffThisThreadAndTellsFailuresOnce) {
    std::atomic<int> runs{0}, loads{0};
    std::thread::id ranOn;
    DecodeSession session([&](std::string*) {
        ++loads;
        return std::make_unique<ScriptedEngine>(&runs, &ranOn);
    });
    QSignalSpy failed(&session, &DecodeSession::failed);
    DecodedCapture capture;
    capture.words[0] = 7;

    session.decode(&capture, 1, ChannelSetup{});  // no decoders: no library
    EXPECT_EQ(loads, 0);
    EXPECT_FALSE(session.running());

    const ChannelSetup uart = WithDecoder("uart");
    session.decode(&capture, 1, uart);
    EXPECT_TRUE(session.running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !session.running(); }, 5000));
    EXPECT_EQ(FirstText(session), "7");
    EXPECT_NE(ranOn, std::this_thread::get_id());
    session.decode(&capture, 1, uart);  // a redraw: nothing changed
    capture.words[0] = 8;
    session.decode(&capture, 2, uart);  // the capture was decoded again
    ASSERT_TRUE(QTest::qWaitFor([&] { return !session.running(); }, 5000));
    EXPECT_EQ(FirstText(session), "8");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(loads, 1);

    // A slow run ended by the next one, which alone is shown; Stop ends a run.
    session.decode(&capture, 2, WithDecoder("slow"));
    session.decode(&capture, 3, uart);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !session.running(); }, 5000));
    EXPECT_EQ(FirstText(session), "8");
    session.decode(&capture, 3, WithDecoder("slow"));
    session.stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !session.running(); }, 5000));

    // A failing decoder is told once, however often it runs; a missing rate too.
    session.decode(&capture, 4, WithDecoder("bad"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !session.running(); }, 5000));
    session.decode(&capture, 5, WithDecoder("bad"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !session.running(); }, 5000));
    ChannelSetup noRate = uart;
    noRate.sampleRate.reset();
    session.decode(&capture, 5, noRate);
    session.decode(&capture, 6, noRate);
    ASSERT_EQ(failed.count(), 2);
    EXPECT_EQ(failed[0][0].toString(), "bad-1: ValueError: no");
    EXPECT_EQ(failed[1][0].toString().left(31), "The decoders need a sample rate");
    EXPECT_EQ(session.annotations(), nullptr);
}

TEST(DecodeSession, ALibraryThatCannotBeLoadedIsToldOnceAndListsNothing) {
    DecodeSession session([](std::string* error) {
        *error = "libsigrokdecode.so.4: cannot open shared object file";
        return std::unique_ptr<DecoderEngine>();
    });
    QSignalSpy failed(&session, &DecodeSession::failed);
    QSignalSpy listed(&session, &DecodeSession::decodersListed);
    session.listDecoders();
    ASSERT_TRUE(listed.wait(5000));
    EXPECT_FALSE(session.listed());
    DecodedCapture capture;
    session.decode(&capture, 1, WithDecoder("uart"));
    QTest::qWait(20);
    EXPECT_FALSE(session.running());
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(session.loadError(), failed[0][0].toString().toStdString());
}

}  // namespace
}  // namespace zq
