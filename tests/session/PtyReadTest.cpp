// The whole read path over real pseudo-terminals: the serial layer on the port side, the real
// writer and a real 1000 ms end-of-data timer; the test or zq350-sim sends on the other side.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <cstring>
#include <random>
#include <thread>

#include "Fakes.h"
#include "capture/Decoder.h"
#include "session/DeviceSession.h"
#include "session/QtEndTimer.h"
#include "session/TtySerialPort.h"

namespace zq {
namespace {

using test::FakeDialogs;
using test::FakeViewer;
using test::ReadFile;
using test::TempDir;

// The device's side of a pseudo-terminal pair. It is left in the line discipline's default
// (cooked) modes on purpose: the port must make itself raw.
class PtyDevice {
  public:
    PtyDevice() {
        fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd_ >= 0 && ::grantpt(fd_) == 0 && ::unlockpt(fd_) == 0) port_ = ::ptsname(fd_);
    }
    ~PtyDevice() { hangUp(); }
    const std::string& portPath() const { return port_; }
    int fd() const { return fd_; }
    bool send(const char* p, size_t n) {
        while (n > 0) {
            const ssize_t w = ::write(fd_, p, n);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) return false;
            p += w;
            n -= static_cast<size_t>(w);
        }
        return true;
    }
    void hangUp() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

  private:
    int fd_ = -1;
    std::string port_;
};

// Runs the event loop until done() holds or the limit passes.
bool RunUntil(const std::function<bool()>& done, int limitMs) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done()) loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

std::string RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(byte(rng));
    // Make sure every value occurs, whatever the seed.
    for (size_t i = 0; i < 256 && i * 7 < n; ++i) s[i * 7] = static_cast<char>(i);
    return s;
}

// A complete capture as the device dumps it: 128 lines of 16 words, CR LF between lines.
std::string CompleteCapture() {
    std::string s;
    char word[8];
    for (int line = 0; line < 128; ++line) {
        std::snprintf(word, sizeof word, "S %04X", line * 16);
        s += word;
        for (int w = 0; w < 16; ++w) {
            std::snprintf(word, sizeof word, " %04X", (line * 16 + w) * 37 % 65536);
            s += word;
        }
        s += "\r\n";
    }
    return s;
}

TEST(TtySerialPort, OpenFailuresCarryTheSystemsText) {
    TempDir dir;
    std::string error;
    TtySerialPort missing((dir / "ttyNone").string());
    EXPECT_FALSE(missing.open(error));
    EXPECT_EQ(error, std::strerror(ENOENT));
    EXPECT_FALSE(missing.isOpen());

    test::WriteFile(dir / "plain", "not a terminal");
    TtySerialPort plain((dir / "plain").string());
    EXPECT_FALSE(plain.open(error));
    EXPECT_EQ(error, std::strerror(ENOTTY));
    EXPECT_FALSE(plain.isOpen());
}

TEST(TtySerialPort, ConfiguresTheLineRawAt9600EightNOne) {
    PtyDevice dev;
    ASSERT_FALSE(dev.portPath().empty());
    TtySerialPort port(dev.portPath());
    std::string error;
    ASSERT_TRUE(port.open(error)) << error;
    termios t{};
    ASSERT_EQ(::tcgetattr(dev.fd(), &t), 0);  // the port side's modes, read through the pair
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | ISTRIP | INPCK), 0u);
    EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(::cfgetispeed(&t), static_cast<speed_t>(B9600));
    EXPECT_EQ(t.c_cc[VMIN], 1);
    port.setRts(false);  // a pseudo-terminal has no RTS: nothing happens
    port.setRts(true);
    EXPECT_TRUE(port.isOpen());
}

TEST(TtySerialPort, ReopensAndReportsAVanishedPortOnce) {
    PtyDevice dev;
    // Opened by a link, as /dev/ttyUSB0 is one: a pseudo-terminal's own number is given to the
    // next one made once it is gone (by a test running beside this one, too).
    TempDir dir;
    std::filesystem::create_symlink(dev.portPath(), dir / "ttyZQ");
    TtySerialPort port((dir / "ttyZQ").string());
    std::string received;
    std::vector<int> codes;
    port.onCommEvent = [&](int code) {
        codes.push_back(code);
        if (code == comEvReceive) received += port.readAll();
    };
    std::string error;
    ASSERT_TRUE(port.open(error)) << error;
    port.close();
    ASSERT_TRUE(port.open(error)) << error;  // a second opening listens as the first did
    ASSERT_TRUE(dev.send("S 0000\0", 7));
    ASSERT_TRUE(RunUntil([&] { return received.size() == 7; }, 3000));
    EXPECT_EQ(received, std::string("S 0000\0", 7));
    port.setNullDiscard(true);  // never done by a read, but the port honours it
    ASSERT_TRUE(dev.send("\0A\0", 3));
    ASSERT_TRUE(RunUntil([&] { return received.size() == 8; }, 3000));
    EXPECT_EQ(received.back(), 'A');
    port.setNullDiscard(false);

    dev.hangUp();  // the adapter is pulled
    RunUntil([] { return false; }, 300);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(std::count(codes.begin(), codes.end(), int{comEventPortGone}), 1);
    EXPECT_EQ(codes.back(), comEventPortGone);
    EXPECT_FALSE(port.isOpen());  // closed with the event: nothing more can come
    // A later opening tries the device afresh and says why it is not there.
    std::filesystem::remove(dir / "ttyZQ");  // as the adapter's link goes with it
    EXPECT_FALSE(port.open(error));
    EXPECT_FALSE(error.empty());
}

// One device read driven by real events, as the main window would run it.
class PtyRead : public ::testing::Test {
  protected:
    void start(const std::string& portPath, const std::string& file) {
        read = std::make_unique<DeviceSession>(
            capture, dialogs, timer,
            [portPath](const std::string&) { return std::make_unique<TtySerialPort>(portPath); });
        viewer.attach(*read, capture);
        viewer.onCalcData = [this] { shown = true; };
        dialogs.names = {file};
        read->ReadZQ350_Click(openLog);
    }
    bool waitForFinish(int limitMs) {
        return RunUntil([this] { return shown || !dialogs.asked.empty(); }, limitMs);
    }

    TempDir dir;
    CaptureSession capture;
    FakeDialogs dialogs;
    QtEndTimer timer;  // the shipped one
    OpenLogSettings openLog;
    FakeViewer viewer;
    std::unique_ptr<DeviceSession> read;
    bool shown = false;
};

TEST_F(PtyRead, MebibyteOfRandomBytesInRandomChunksArrivesIntact) {
    PtyDevice dev;
    const std::string file = (dir / "stress.bin").string();
    start(dev.portPath(), file);
    ASSERT_EQ(read->readState(), ReadState::Waiting);

    const std::string bytes = RandomBytes(1 << 20, 350);
    std::thread sender([&] {
        std::mt19937 rng(7);
        std::uniform_int_distribution<size_t> chunk(1, 8192);
        for (size_t sent = 0; sent < bytes.size();) {
            const size_t n = std::min(chunk(rng), bytes.size() - sent);
            if (!dev.send(bytes.data() + sent, n)) return;
            sent += n;
        }
    });
    const bool finished = waitForFinish(30000);
    sender.join();
    ASSERT_TRUE(finished);
    EXPECT_TRUE(dialogs.asked.empty());
    const std::string got = ReadFile(file);
    ASSERT_EQ(got.size(), bytes.size());
    EXPECT_TRUE(got == bytes) << "first difference at "
                              << std::mismatch(got.begin(), got.end(), bytes.begin()).first -
                                     got.begin();
    EXPECT_EQ(read->readState(), ReadState::Idle);
    ASSERT_TRUE(capture.file());
    EXPECT_EQ(capture.file()->length(), int64_t{1} << 20);
}

// The shipped end-of-data timer against the simulator's pauses between bursts, at margins a
// loaded machine does not blur: pauses of 800 ms keep the whole dump in one read, a pause of
// 1300 ms ends the read after the first burst.
struct PauseCase {
    const char* name;
    int pauseMs;
    bool whole;  // the whole dump arrives; else only the first burst
};

class SimulatorPauses : public PtyRead, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(SimulatorPauses, KeepTheDumpTogetherOrEndTheRead) {
    const PauseCase& c = GetParam();
    const std::string dump = CompleteCapture();
    constexpr size_t kBurst = 4000;  // three bursts, two pauses
    const std::string source = (dir / "dump.txt").string();
    test::WriteFile(source, dump);

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(ZQ350_SIM_PATH, {QString::fromStdString(source), "--fast", "--burst",
                               QString::number(kBurst), "--pause", QString::number(c.pauseMs),
                               "--link", QString::fromStdString((dir / "ttyZQ").string())});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    const std::string portPath = sim.readLine().trimmed().toStdString();
    ASSERT_FALSE(portPath.empty());
    EXPECT_EQ(std::filesystem::read_symlink(dir / "ttyZQ").string(), portPath);

    const std::string file = (dir / "capture.txt").string();
    std::string report = "not scanned";
    int32_t held = 0;
    start((dir / "ttyZQ").string(), file);
    viewer.onCalcData = [&] {
        shown = true;
        report = capture.model()->report;
        held = capture.model()->heldCount();
    };
    ASSERT_TRUE(waitForFinish(15000));
    EXPECT_TRUE(dialogs.asked.empty());
    const std::string got = ReadFile(file);
    EXPECT_EQ(got.size(), c.whole ? dump.size() : kBurst);
    EXPECT_TRUE(got == dump.substr(0, c.whole ? dump.size() : kBurst));
    EXPECT_EQ(viewer.titles.back(), file + " - Timing Diagram");
    if (!c.whole) {
        sim.terminate();  // it would send the rest into a port nobody listens on
        sim.waitForFinished(5000);
        return;
    }
    EXPECT_EQ(report, "");
    EXPECT_EQ(held, 2048);
    // The simulator leaves once the program has closed the port, and takes its link along.
    ASSERT_TRUE(sim.state() == QProcess::NotRunning || sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir / "ttyZQ")));
}

INSTANTIATE_TEST_SUITE_P(Margins, SimulatorPauses,
                         ::testing::Values(PauseCase{"Pauses800msKeepTheDump", 800, true},
                                           PauseCase{"Pause1300msEndsTheRead", 1300, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Simulator, PacesAtTheLineSpeedByDefault) {
    TempDir dir;
    const std::string bytes = RandomBytes(480, 9);  // half a second at 960 bytes/s
    test::WriteFile(dir / "dump.bin", bytes);
    QProcess sim;
    sim.start(ZQ350_SIM_PATH,
              {QString::fromStdString((dir / "dump.bin").string()), "--burst", "48"});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    TtySerialPort port(sim.readLine().trimmed().toStdString());
    std::string received;
    QElapsedTimer clock;
    qint64 firstMs = -1, lastMs = -1;
    port.onCommEvent = [&](int code) {
        if (code != comEvReceive) return;
        received += port.readAll();
        if (firstMs < 0) firstMs = clock.elapsed();
        lastMs = clock.elapsed();
    };
    std::string error;
    clock.start();
    ASSERT_TRUE(port.open(error)) << error;
    ASSERT_TRUE(RunUntil([&] { return received.size() >= bytes.size(); }, 5000));
    EXPECT_TRUE(received == bytes);
    // The last of 10 bursts leaves 432 bytes' time (0.45 s) after the first.
    EXPECT_GE(lastMs - firstMs, 400);
    port.close();
    ASSERT_TRUE(sim.state() == QProcess::NotRunning || sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST_F(PtyRead, PulledAdapterIsReportedAndWhatArrivedIsShown) {
    auto dev = std::make_unique<PtyDevice>();
    const std::string file = (dir / "capture.txt").string();
    // By a link, as /dev/ttyUSB0 is one, which goes with the adapter: the pseudo-terminal's
    // own number is given to the next one made.
    std::filesystem::create_symlink(dev->portPath(), dir / "ttyZQ");
    start((dir / "ttyZQ").string(), file);
    ASSERT_TRUE(dev->send("S 0000 12", 9));
    ASSERT_TRUE(RunUntil([&] { return ReadFile(file + ".part").size() == 9; }, 3000));
    dialogs.answers = {AnswerOk};
    dev.reset();
    ASSERT_TRUE(waitForFinish(3000));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Unknown error or event");
    EXPECT_EQ(dialogs.beeps, 1);
    // Even answered OK, a read from a port that is gone cannot go on: what arrived is shown.
    EXPECT_EQ(read->readState(), ReadState::Idle);
    EXPECT_EQ(viewer.statuses.back(), "");
    EXPECT_EQ(ReadFile(file), "S 0000 12");
    EXPECT_TRUE(shown);
    ASSERT_TRUE(capture.file());
    EXPECT_EQ(capture.file()->path(), file);

    // The next read tries the port afresh and reports that it is missing.
    std::filesystem::remove(dir / "ttyZQ");
    dialogs.names = {(dir / "again.txt").string()};
    dialogs.answers = {AnswerOk};
    read->ReadZQ350_Click(openLog);
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].icon, Icon::Exclamation);
    EXPECT_NE(dialogs.asked[1].text.find("Is the ZQ350 connected?"), std::string::npos);
    EXPECT_EQ(read->readState(), ReadState::Idle);
}

}  // namespace
}  // namespace zq
