// The translation of the driver's modem lines and error counters into communication events.
#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include "session/TtySerialPort.h"

namespace zq {
namespace {

struct LineCase {
    int before, now;
    std::vector<int> events;
};

TEST(SerialEvents, ModemLineChanges) {
    const std::vector<LineCase> cases = {
        {0, 0, {}},
        {TIOCM_CTS, TIOCM_CTS, {}},
        {0, TIOCM_CTS, {comEvCTS}},
        {TIOCM_CTS, 0, {comEvCTS}},
        {0, TIOCM_DSR, {comEvDSR}},
        {TIOCM_CD, 0, {comEvCD}},
        {0, TIOCM_RI, {comEvRing}},
        {TIOCM_RI, 0, {}},  // the end of a ring is not another ring
        {TIOCM_CTS | TIOCM_DSR, TIOCM_CD | TIOCM_RI, {comEvCTS, comEvDSR, comEvCD, comEvRing}},
        // Lines this program drives or ignores never raise events.
        {0, TIOCM_RTS | TIOCM_DTR, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModemLineEvents(c.before, c.now), c.events) << c.before << " -> " << c.now;
}

TEST(SerialEvents, ErrorCounters) {
    serial_icounter_struct before{};
    before.brk = 1;
    before.frame = 2;
    before.overrun = 3;
    before.buf_overrun = 4;
    before.parity = 5;
    before.rx = 100;
    EXPECT_TRUE(CounterEvents(before, before).empty());

    using Field = int serial_icounter_struct::*;
    const std::vector<std::pair<Field, int>> fields = {
        {&serial_icounter_struct::brk, comEventBreak},
        {&serial_icounter_struct::frame, comEventFrame},
        {&serial_icounter_struct::overrun, comEventOverrun},
        {&serial_icounter_struct::buf_overrun, comEventRxOver},
        {&serial_icounter_struct::parity, comEventRxParity},
    };
    for (const auto& [field, code] : fields) {
        auto now = before;
        now.*field += 3;  // several errors since the last look are one event
        EXPECT_EQ(CounterEvents(before, now), std::vector<int>{code}) << code;
    }
    auto all = before;
    for (const auto& [field, code] : fields) all.*field += 1;
    all.rx += 50;  // received characters are not errors
    EXPECT_EQ(CounterEvents(before, all),
              (std::vector<int>{comEventBreak, comEventFrame, comEventOverrun, comEventRxOver,
                                comEventRxParity}));
}

}  // namespace
}  // namespace zq
