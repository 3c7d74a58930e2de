#include <gtest/gtest.h>

#include <cstring>

#include "Fakes.h"
#include "session/CaptureWriter.h"

namespace zq {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
namespace fs = std::filesystem;

std::string AllByteValues() {
    std::string s;
    for (int i = 0; i < 256; ++i) s.push_back(static_cast<char>(i));
    return s;
}

TEST(CaptureWriter, StoresEveryByteUnchangedAsItArrivesAndPutsItInPlace) {
    TempDir dir;
    std::string error;
    auto w = CaptureWriter::Create((dir / "c.txt").string(), error);
    ASSERT_TRUE(w) << error;
    EXPECT_EQ(w->path(), (dir / "c.txt.part").string());
    EXPECT_EQ(w->target(), (dir / "c.txt").string());
    const std::vector<std::string> chunks = {
        "S 0000 0001", std::string("\0\r\n\x1A", 4), AllByteValues(), "", "\r\n\r", "\xFF\x80"};
    std::string expected;
    for (const auto& c : chunks) {
        ASSERT_TRUE(w->Write(c, error)) << error;
        expected += c;
        // Unbuffered: each chunk is on the disk under the writer's own name as soon as Write
        // returns, so a program that dies now leaves it there.
        EXPECT_EQ(ReadFile(w->path()), expected);
        EXPECT_FALSE(fs::exists(dir / "c.txt"));
    }
    EXPECT_EQ(w->bytes(), expected.size());
    ASSERT_TRUE(w->Place(error)) << error;
    EXPECT_FALSE(w->isOpen());
    EXPECT_EQ(ReadFile(dir / "c.txt"), expected);
    EXPECT_FALSE(fs::exists(dir / "c.txt.part"));
}

// The writer's file is new: never an earlier read's, nor anything else that has its name.
TEST(CaptureWriter, WritesANewFileBesideTheTarget) {
    struct Case {
        std::vector<std::string> existing;  // names beside c.txt; "->" makes a dangling link
        const char* expected;
    };
    const Case cases[] = {
        {{}, "c.txt.part"},
        {{"c.txt"}, "c.txt.part"},
        {{"c.txt.part"}, "c.txt.part.2"},
        {{"c.txt.part", "c.txt.part.2"}, "c.txt.part.3"},
        {{"c.txt.part.2"}, "c.txt.part"},
        {{"->c.txt.part"}, "c.txt.part.2"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        for (const auto& name : c.existing) {
            if (name.rfind("->", 0) == 0)
                fs::create_symlink(dir / "nowhere", dir / name.substr(2));
            else
                WriteFile(dir / name, "earlier");
        }
        std::string error;
        auto w = CaptureWriter::Create((dir / "c.txt").string(), error);
        ASSERT_TRUE(w) << error;
        EXPECT_EQ(w->path(), (dir / c.expected).string()) << c.expected;
        ASSERT_TRUE(w->Write("new", error));
        for (const auto& name : c.existing) {
            if (name.rfind("->", 0) == 0)
                EXPECT_FALSE(fs::exists(dir / "nowhere")) << c.expected;
            else
                EXPECT_EQ(ReadFile(dir / name), "earlier") << name;
        }
    }
}

TEST(CaptureWriter, TheTargetStaysAsItWasUntilTheFileTakesItsPlace) {
    TempDir dir;
    WriteFile(dir / "old.txt", "an earlier capture");
    // A second name of the old file shows that it is replaced, not written into.
    fs::create_hard_link(dir / "old.txt", dir / "hard.txt");
    // A symbolic link is followed: it stays, and the file it names is replaced.
    fs::create_directory(dir / "sub");
    fs::create_symlink("../old.txt", dir / "sub/symbolic.txt");
    std::string error;
    auto w = CaptureWriter::Create((dir / "sub/symbolic.txt").string(), error);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->path(), (fs::canonical(dir.path()) / "old.txt.part").string());
    EXPECT_EQ(w->target(), (dir / "sub/symbolic.txt").string());
    ASSERT_TRUE(w->Write("new", error));
    EXPECT_EQ(ReadFile(dir / "old.txt"), "an earlier capture");
    ASSERT_TRUE(w->Place(error)) << error;
    EXPECT_EQ(ReadFile(dir / "old.txt"), "new");
    EXPECT_EQ(fs::read_symlink(dir / "sub/symbolic.txt"), "../old.txt");
    EXPECT_EQ(ReadFile(dir / "hard.txt"), "an earlier capture");
}

TEST(CaptureWriter, ClosedWhereItIsAFileKeepsItsBytesAndAnEmptyOneGoes) {
    TempDir dir;
    WriteFile(dir / "c.txt", "old");
    std::string error;
    {
        auto empty = CaptureWriter::Create((dir / "c.txt").string(), error);
        auto full = CaptureWriter::Create((dir / "c.txt").string(), error);
        ASSERT_TRUE(empty && full);
        ASSERT_TRUE(full->Write("S 00", error));
        empty->Close();
        empty->Close();  // twice is harmless
        EXPECT_FALSE(fs::exists(dir / "c.txt.part"));
    }  // the second one closed by its end, as when the program ends mid-read
    EXPECT_EQ(ReadFile(dir / "c.txt.part.2"), "S 00");
    EXPECT_EQ(ReadFile(dir / "c.txt"), "old");
}

TEST(CaptureWriter, FailuresCarryTheSystemsText) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(CaptureWriter::Create((dir / "no/such.txt").string(), error));
    EXPECT_EQ(error, (dir / "no/such.txt.part").string() + ": " + std::strerror(ENOENT));

    // A target that cannot be replaced: the bytes stay under the writer's name.
    fs::create_directories(dir / "d.txt/inside");
    auto onDir = CaptureWriter::Create((dir / "d.txt").string(), error);
    ASSERT_TRUE(onDir) << error;
    ASSERT_TRUE(onDir->Write("S 0000", error));
    EXPECT_FALSE(onDir->Place(error));
    EXPECT_EQ(error, std::strerror(EISDIR));
    EXPECT_EQ(ReadFile(dir / "d.txt.part"), "S 0000");

    auto full = CaptureWriter::Create((dir / "full.txt").string(), error);
    ASSERT_TRUE(full) << error;
    {
        test::FileSizeLimit disk(4);
        EXPECT_FALSE(full->Write("S 0000", error));
    }
    EXPECT_EQ(error, std::strerror(EFBIG));
    EXPECT_EQ(full->bytes(), 4u);  // what did reach the disk is counted

    auto closed = CaptureWriter::Create((dir / "c.txt").string(), error);
    ASSERT_TRUE(closed);
    closed->Close();
    error.clear();
    EXPECT_FALSE(closed->Write("x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(closed->Place(error));
    EXPECT_FALSE(fs::exists(dir / "c.txt"));
}

}  // namespace
}  // namespace zq
