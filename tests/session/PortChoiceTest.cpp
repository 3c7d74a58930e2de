// The rules of the port choice: labels, the entries of a port list, typed paths, and what a read
// tells before it asks for a file name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "Fakes.h"
#include "session/PortChoice.h"

namespace zq {
namespace {

PortInfo Port(const std::string& path, const std::string& description = {},
              const std::string& manufacturer = {}, const std::string& serial = {},
              std::optional<uint16_t> vendor = {}, std::optional<uint16_t> product = {}) {
    return {path, description, manufacturer, serial, vendor, product};
}

TEST(PortChoice, LabelsNameEachIdentifyingThingOnce) {
    const struct {
        PortInfo port;
        const char* label;
    } cases[] = {
        {Port("/dev/ttyUSB1", "FT232R USB UART", "FTDI", "A600b3xz", 0x0403, 0x6001),
         "/dev/ttyUSB1 - FT232R USB UART, FTDI, serial A600b3xz, USB 0403:6001"},
        {Port("/dev/ttyACM0", "Arduino Uno (Arduino LLC)", "Arduino LLC", "", 0x2341),
         "/dev/ttyACM0 - Arduino Uno (Arduino LLC), USB vendor 2341"},
        {Port("/dev/ttyS0", "ttyS0", "ttyS0"), "/dev/ttyS0 - ttyS0"},
        {Port("/dev/ttyS1"), "/dev/ttyS1"},
    };
    for (const auto& c : cases) EXPECT_EQ(PortLabel(c.port), c.label);
}

TEST(PortChoice, EntriesHoldTheChosenAndTheDefaultInPathOrder) {
    using Entries = std::vector<PortEntry>;
    const struct {
        const char* name;
        std::vector<PortInfo> found;
        std::string chosen;
        Entries entries;
    } cases[] = {
        {"nothing found", {}, kZq350PortPath, {{"/dev/ttyUSB0", "/dev/ttyUSB0 (default)"}}},
        {"a link chosen, numbers by value",
         {Port("/dev/ttyS10"), Port("/dev/ttyS2"), Port("/dev/ttyACM0", "Uno")},
         "/tmp/ttyZQ",
         {{"/dev/ttyACM0", "/dev/ttyACM0 - Uno"},
          {"/dev/ttyS2", "/dev/ttyS2"},
          {"/dev/ttyS10", "/dev/ttyS10"},
          {"/dev/ttyUSB0", "/dev/ttyUSB0 (default)"},
          {"/tmp/ttyZQ", "/tmp/ttyZQ"}}},
        {"the default found, listed twice",
         {Port("/dev/ttyUSB0", "CP2102"), Port("/dev/ttyUSB0", "CP2102")},
         kZq350PortPath,
         {{"/dev/ttyUSB0", "/dev/ttyUSB0 - CP2102 (default)"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(PortEntries(c.found, c.chosen), c.entries) << c.name;
}

TEST(PortChoice, TypedPathsAreWhole) {
    const struct {
        const char* text;
        std::optional<std::string> path;
    } cases[] = {
        {" ttyACM0\t", "/dev/ttyACM0"},
        {"/dev/serial/by-id/usb-FTDI-if00", "/dev/serial/by-id/usb-FTDI-if00"},
        {"./links/../ttyZQ", "/home/u/ttyZQ"},
        {"/dev//ttyUSB1", "/dev/ttyUSB1"},
        {"", std::nullopt},
        {"  ", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(PortPathFromText(c.text, "/home/u"), c.path) << c.text;
}

TEST(PortChoice, AMissingOrForeignPortIsToldWithThePortsFound) {
    const auto access = [](int error, bool device, int readError, const char* group,
                           bool groupReads) {
        PortAccess a;
        a.error = error;
        a.characterDevice = device;
        a.readError = readError;
        a.group = group;
        a.groupMayRead = groupReads;
        return a;
    };
    const std::vector<PortInfo> one = {Port("/dev/ttyACM0", "Uno")};
    std::vector<PortInfo> ten;
    for (int i = 0; i < 10; ++i) ten.push_back(Port("/dev/ttyS" + std::to_string(i)));
    const struct {
        const char* name;
        PortAccess access;
        std::vector<PortInfo> found;
        std::vector<std::string> says;  // empty: the port can be opened
    } cases[] = {
        {"readable", access(0, true, 0, "dialout", true), one, {}},
        {"missing",
         access(ENOENT, false, 0, "", false),
         one,
         {"/dev/ttyUSB0: No such file or directory\n\nIs the ZQ350 connected? Serial ports "
          "found:\n    /dev/ttyACM0 - Uno\nChoose the port under Device"}},
        {"missing, none found",
         access(ENOENT, false, 0, "", false),
         {},
         {"Is the ZQ350 connected? No serial port was found."}},
        {"not a device", access(0, false, 0, "root", true), one, {"is not a serial port"}},
        {"not the user's, the group may read",
         access(0, true, EACCES, "dialout", true),
         ten,
         {"Permission denied", "sudo usermod -aG dialout $USER", "/dev/ttyS7\n    and 2 more"}},
        {"not the user's, the owner's alone",
         access(0, true, EACCES, "root", true),
         one,
         {"Only its owner may read it", "60-zq350.rules", "/dev/ttyACM0 - Uno"}},
    };
    for (const auto& c : cases) {
        const std::string text = PortProblem("/dev/ttyUSB0", c.access, c.found);
        EXPECT_EQ(text.empty(), c.says.empty()) << c.name << ": " << text;
        for (const std::string& s : c.says)
            EXPECT_NE(text.find(s), std::string::npos) << c.name << ": " << text;
    }
}

TEST(PortChoice, ProbeLooksAtThePathItself) {
    test::TempDir dir;
    test::WriteFile(dir / "plain", "");
    std::filesystem::create_symlink(dir / "gone", dir / "dangling");
    EXPECT_EQ(ProbePortPath((dir / "none").string()).error, ENOENT);
    EXPECT_EQ(ProbePortPath((dir / "dangling").string()).error, ENOENT);
    const PortAccess plain = ProbePortPath((dir / "plain").string());
    EXPECT_EQ(plain.error, 0);
    EXPECT_FALSE(plain.characterDevice);
    const PortAccess null = ProbePortPath("/dev/null");
    EXPECT_TRUE(null.characterDevice);
    EXPECT_EQ(null.readError, 0);
    EXPECT_EQ(PortProblem("/dev/null", null, {}), "");
}

}  // namespace
}  // namespace zq
