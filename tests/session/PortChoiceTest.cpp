// The rules of the port choice: the entries of a port list and their labels, typed paths, and
// what a read tells before it asks for a file name.
#include <gtest/gtest.h>

#include <cerrno>

#include "session/PortChoice.h"

namespace zq {
namespace {

PortInfo Port(const std::string& path, const std::string& description = {},
              const std::string& maker = {}, const std::string& serial = {},
              std::optional<uint16_t> vendor = {}, std::optional<uint16_t> product = {}) {
    return {path, description, maker, serial, vendor, product};
}

TEST(PortChoice, EntriesHoldTheChosenAndTheDefaultInPathOrderWithTheirLabels) {
    const struct {
        std::vector<PortInfo> found;
        std::string chosen;
        std::vector<PortEntry> entries;
    } cases[] = {
        {{}, kZq350PortPath, {{"/dev/ttyUSB0", "/dev/ttyUSB0 (default)"}}},
        // Numbers by value; the maker once when the description holds it; a link chosen.
        {{Port("/dev/ttyS10"), Port("/dev/ttyS2", "ttyS2", "ttyS2"),
          Port("/dev/ttyACM0", "Uno (Arduino)", "Arduino", "", 0x2341)},
         "/tmp/ttyZQ",
         {{"/dev/ttyACM0", "/dev/ttyACM0 - Uno (Arduino), USB vendor 2341"},
          {"/dev/ttyS2", "/dev/ttyS2 - ttyS2"},
          {"/dev/ttyS10", "/dev/ttyS10"},
          {"/dev/ttyUSB0", "/dev/ttyUSB0 (default)"},
          {"/tmp/ttyZQ", "/tmp/ttyZQ"}}},
        // The default found, and listed twice.
        {{Port("/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A600b3xz", 0x0403, 0x6001),
          Port("/dev/ttyUSB0")},
         kZq350PortPath,
         {{"/dev/ttyUSB0",
           "/dev/ttyUSB0 - FT232R USB UART, FTDI, serial A600b3xz, USB 0403:6001 (default)"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(PortEntries(c.found, c.chosen), c.entries) << c.chosen;
}

TEST(PortChoice, TypedPathsAreWhole) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {" ttyACM0\t", "/dev/ttyACM0"},
        {"./links/../ttyZQ", "/home/u/ttyZQ"},
        {"/dev//serial/by-id/x", "/dev/serial/by-id/x"},
        {"  ", std::nullopt}};
    for (const auto& [text, path] : cases) EXPECT_EQ(PortPathFromText(text, "/home/u"), path);
}

TEST(PortChoice, AMissingOrForeignPortIsToldWithThePortsFound) {
    const auto access = [](int error, bool device, int readError, const char* group) {
        return PortAccess{error, device, readError, group, true};
    };
    const std::vector<PortInfo> uno = {Port("/dev/ttyACM0", "Uno")};
    std::vector<PortInfo> ten;
    for (int i = 0; i < 10; ++i) ten.push_back(Port("/dev/ttyS" + std::to_string(i)));
    const struct {
        PortAccess access;
        std::vector<PortInfo> found;
        std::vector<std::string> says;  // empty: the port can be opened
    } cases[] = {
        {access(0, true, 0, "dialout"), uno, {}},
        {access(ENOENT, false, 0, ""),
         uno,
         {"/dev/ttyUSB0: No such file or directory\n\nIs the ZQ350 connected? Serial ports "
          "found:\n    /dev/ttyACM0 - Uno\nChoose the port under Device"}},
        {access(ENOENT, false, 0, ""), {}, {"connected? No serial port was found."}},
        {access(0, false, 0, "root"), uno, {"/dev/ttyUSB0 is not a serial port"}},
        {access(0, true, EACCES, "dialout"),
         ten,
         {"Permission denied", "usermod -aG dialout $USER", "/dev/ttyS7\n    and 2 more"}},
        {access(0, true, EACCES, "root"), uno, {"Only its owner may read it", "ttyACM0 - Uno"}},
    };
    for (const auto& c : cases) {
        const std::string text = PortProblem("/dev/ttyUSB0", c.access, c.found);
        EXPECT_EQ(text.empty(), c.says.empty()) << text;
        for (const std::string& s : c.says) EXPECT_NE(text.find(s), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace zq
