// The one way out of every file the program writes, on real files: a target is replaced whole
// or not at all, keeps its permissions, and is found through symbolic links.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "export/OutputFile.h"

namespace zq::exports {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    fs::permissions(path, static_cast<fs::perms>(mode));
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class OutputFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = ::testing::TempDir() + "/zq_output_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        dir_ = fs::canonical(dir_);
    }
    void TearDown() override {
        if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
        fs::remove_all(dir_);
    }
    std::string at(const std::string& name) const { return dir_ + "/" + name; }
    std::set<std::string> names() const {
        std::set<std::string> n;
        for (const auto& e : fs::directory_iterator(dir_)) n.insert(e.path().filename());
        return n;
    }
    std::string dir_;
    bool mounted_ = false;
};

TEST_F(OutputFileTest, ReplacesWholeKeepingModeAndFollowingLinks) {
    const mode_t umask = ::umask(027);
    WriteFile(at("kept.csv"), "old bytes, longer than the new ones", 0604);
    WriteFile(at("real.csv"), "old", 0620);
    fs::create_symlink("real.csv", at("link.csv"));
    fs::create_symlink(at("made.csv"), at("dangling.csv"));
    struct Row {
        std::string output;  // as the user names it
        std::string landsAt;
        mode_t mode;
    } rows[] = {
        {"new.csv", "new.csv", 0640},  // 0666 less the umask, as any new file
        {"kept.csv", "kept.csv", 0604},
        {"link.csv", "real.csv", 0620},  // the file the link names, the link kept
        {"dangling.csv", "made.csv", 0640},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.output);
        std::string error;
        EXPECT_EQ(ResolveOutputPath(at(r.output), error), at(r.landsAt)) << error;
        ASSERT_TRUE(WriteOutputs({{at(r.output), "new"}}, {}, error)) << error;
        EXPECT_EQ(ReadAll(at(r.landsAt)), "new");
        EXPECT_EQ(ModeOf(at(r.landsAt)), r.mode);
    }
    ::umask(umask);
    EXPECT_TRUE(fs::is_symlink(at("link.csv")) && fs::is_symlink(at("dangling.csv")));
    const std::set<std::string> all = {"new.csv",  "kept.csv",     "real.csv",
                                       "link.csv", "dangling.csv", "made.csv"};
    EXPECT_EQ(names(), all);  // no temporary left beside them
}

// One output that fails or is refused: no target is changed or made, no temporary is left.
TEST_F(OutputFileTest, FailureLeavesEveryTargetAsItWas) {
    fs::create_directories(at("folder"));
    const std::string old = at("old.csv"), made = at("made.csv");
    WriteFile(old, "old");
    const std::vector<FileIdentity> oldIsInput = {*IdentifyFile(old)};
    struct Row {
        std::vector<Output> outputs;
        std::vector<FileIdentity> inputs;
        std::string error;
    } rows[] = {
        {{{old, "new"}, {"/dev/full", "new"}}, {}, "/dev/full: No space left on device"},
        {{{made, "new"}, {"/dev/full", "new"}}, {}, "/dev/full: No space left on device"},
        {{{old, "new"}, {at("none/x.csv"), "new"}}, {}, "none/x.csv: No such file or directory"},
        {{{made, "new"}, {at("folder"), "new"}}, {}, "folder: Is a directory"},
        {{{made, "new"}, {at("./made.csv"), "new"}}, {}, "made.csv: is also another output"},
        {{{old, "new"}}, oldIsInput, "old.csv: is the capture"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.error);
        std::string error;
        EXPECT_FALSE(WriteOutputs(r.outputs, r.inputs, error));
        EXPECT_NE(error.find(r.error), std::string::npos) << error;
        EXPECT_EQ(ReadAll(old), "old");
        EXPECT_EQ(names(), (std::set<std::string>{"old.csv", "folder"}));
    }
}

// A full file system, where mounting a small one is permitted (as root).
TEST_F(OutputFileTest, FullDiskLeavesTheTargetAsItWas) {
    if (::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    mounted_ = true;
    const std::string old(7000, 'o');
    WriteFile(at("out.csv"), old);
    {
        std::ofstream filler(at("filler"), std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size()) && filler.flush()) {
        }
    }
    const std::string bytes(16384, 'n');
    std::string error;
    EXPECT_FALSE(WriteOutputs({{at("out.csv"), bytes}}, {}, error));
    EXPECT_EQ(error, at("out.csv") + ": No space left on device");
    EXPECT_EQ(ReadAll(at("out.csv")), old);
    EXPECT_EQ(names(), (std::set<std::string>{"out.csv", "filler"}));
    fs::remove(at("filler"));
    EXPECT_TRUE(WriteOutputs({{at("out.csv"), bytes}}, {}, error)) << error;
    EXPECT_EQ(ReadAll(at("out.csv")), bytes);
}

}  // namespace
}  // namespace zq::exports
