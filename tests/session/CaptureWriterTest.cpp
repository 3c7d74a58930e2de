#include <gtest/gtest.h>

#include <cstring>

#include "Fakes.h"
#include "session/CaptureWriter.h"

namespace zq {
namespace {

using test::ReadFile;
using test::TempDir;

std::string AllByteValues() {
    std::string s;
    for (int i = 0; i < 256; ++i) s.push_back(static_cast<char>(i));
    return s;
}

TEST(CaptureWriter, StoresEveryByteUnchangedAndInOrder) {
    TempDir dir;
    std::string error;
    auto w = CaptureWriter::Create((dir / "c.txt").string(), error);
    ASSERT_TRUE(w) << error;
    const std::vector<std::string> chunks = {
        "S 0000 0001", std::string("\0\r\n\x1A", 4), AllByteValues(), "", "\r\n\r", "\xFF\x80"};
    std::string expected;
    for (const auto& c : chunks) {
        ASSERT_TRUE(w->Write(c, error)) << error;
        expected += c;
        // Unbuffered: each chunk is in the file as soon as Write returns.
        EXPECT_EQ(ReadFile(dir / "c.txt"), expected);
    }
    w->Close();
    EXPECT_FALSE(w->isOpen());
    EXPECT_EQ(ReadFile(dir / "c.txt"), expected);
}

TEST(CaptureWriter, EmptiesAnExistingFile) {
    TempDir dir;
    test::WriteFile(dir / "old.txt", "an earlier capture");
    std::string error;
    auto w = CaptureWriter::Create((dir / "old.txt").string(), error);
    ASSERT_TRUE(w);
    EXPECT_EQ(ReadFile(dir / "old.txt"), "");
    ASSERT_TRUE(w->Write("new", error));
    EXPECT_EQ(ReadFile(dir / "old.txt"), "new");
}

TEST(CaptureWriter, FailuresCarryTheSystemsText) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(CaptureWriter::Create((dir / "no/such/dir.txt").string(), error));
    EXPECT_EQ(error, std::strerror(ENOENT));
    EXPECT_FALSE(CaptureWriter::Create(dir.path().string(), error));
    EXPECT_EQ(error, std::strerror(EISDIR));

    auto full = CaptureWriter::Create("/dev/full", error);
    ASSERT_TRUE(full) << error;
    EXPECT_FALSE(full->Write("S 0000", error));
    EXPECT_EQ(error, std::strerror(ENOSPC));

    auto closed = CaptureWriter::Create((dir / "c.txt").string(), error);
    ASSERT_TRUE(closed);
    closed->Close();
    closed->Close();  // twice is harmless
    error.clear();
    EXPECT_FALSE(closed->Write("x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFile(dir / "c.txt"), "");
}

}  // namespace
}  // namespace zq
