#include "image/Recovery.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/TempDir.h"

namespace {

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override { m_image[7] = 0x5a; }
    CTempDir m_dir;
    std::string m_folder = m_dir / "state/lh740/recovery";
    CMemoryImage m_image = CMemoryImage::NewDocument();
};

TEST_F(RecoveryTest, SavedPairsAreListedWithTheirPathAndRemoved) {
    const std::string names[] = {NewRecoveryName(), NewRecoveryName()};
    ASSERT_NE(names[0], names[1]);
    const std::string originals[] = {"/home/op/site A.dat", ""};
    for (int i = 0; i < 2; ++i) {
        auto saved = SaveRecovery(m_folder, names[i], originals[i], m_image);
        ASSERT_TRUE(saved) << saved.error().Text(false);
        EXPECT_EQ(ReadAll(*saved),
                  std::vector<std::uint8_t>(m_image.m_bytes.begin(), m_image.m_bytes.end()));
    }
    // Written again: the same pair, no third entry, no temporary file left.
    ASSERT_TRUE(SaveRecovery(m_folder, names[0], originals[0], m_image));
    struct stat st {};
    ASSERT_EQ(::stat(m_folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 4);

    auto entries = ListRecovery(m_folder);
    ASSERT_EQ(entries.size(), 2u);
    for (const auto& entry : entries) {
        const bool first = entry.m_dataPath == m_folder + "/" + names[0] + ".dat";
        EXPECT_EQ(entry.m_originalPath, originals[first ? 0 : 1]);
        EXPECT_EQ(entry.m_ownerPid, ::getpid());
        EXPECT_FALSE(RecoveryOwnerRunning(entry));  // this process offers its own
        EXPECT_LE(std::abs(entry.m_time - std::time(nullptr)), 5);
    }
    RemoveRecovery(entries[0].m_dataPath);
    EXPECT_EQ(ListRecovery(m_folder).size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(
        entries[0].m_dataPath.substr(0, entries[0].m_dataPath.size() - 4) + ".path"));
}

TEST_F(RecoveryTest, CorruptAndForeignFilesAreIgnored) {
    std::filesystem::create_directories(m_folder);
    const std::string full(kImageSize, 'x');
    const struct {
        const char* m_name;
        std::string m_dat;
        const char* m_path;  // null: no .path file
    } cases[] = {
        {"1-1", full.substr(1), "/a.dat"},  // short image
        {"1-2", full + "y", "/a.dat"},      // long image
        {"1-3", full, nullptr},             // killed before the pair was complete
        {"1-4", full, "relative.dat"},      // not a path we wrote
        {"notes", full, "/a.dat"},          // someone else's file
        {"1-5.dat.tmp", full, "/a.dat"},    // a temporary name
    };
    for (const auto& c : cases) {
        WriteText(m_folder + "/" + c.m_name + ".dat", c.m_dat);
        if (c.m_path != nullptr) {
            WriteText(m_folder + "/" + c.m_name + ".path", c.m_path);
        }
    }
    WriteText(m_folder + "/1-6.dat", full);
    WriteText(m_folder + "/1-6.path", std::string("/a\0b", 4));
    std::filesystem::create_directory(m_folder + "/1-7.dat");
    WriteText(m_folder + "/1-7.path", "/a.dat");
    EXPECT_TRUE(ListRecovery(m_folder).empty());
    EXPECT_TRUE(ListRecovery(m_dir / "missing").empty());
}

TEST_F(RecoveryTest, FolderFollowsStateHomeAndRefusesWithoutOne) {
    const char* saved = std::getenv("XDG_STATE_HOME");
    const std::string keep = saved ? saved : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_STATE_HOME", "/x/state", 1);
    EXPECT_EQ(RecoveryFolder(), "/x/state/lh740/recovery");
    ::setenv("XDG_STATE_HOME", "relative", 1);
    ::setenv("HOME", "/home/op", 1);
    EXPECT_EQ(RecoveryFolder(), "/home/op/.local/state/lh740/recovery");
    saved ? ::setenv("XDG_STATE_HOME", keep.c_str(), 1) : ::unsetenv("XDG_STATE_HOME");
    ::setenv("HOME", home.c_str(), 1);
    EXPECT_FALSE(SaveRecovery("", "1-1", "", m_image));
    // A file where the folder should be: refused, nothing written.
    WriteText(m_dir / "state", "not a folder");
    EXPECT_FALSE(SaveRecovery(m_folder, "1-1", "", m_image));
}

TEST_F(RecoveryTest, ARunningOwnerKeepsItsCopy) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    const std::string name = std::to_string(child) + "-1";
    ASSERT_TRUE(SaveRecovery(m_folder, name, "", m_image));
    ASSERT_EQ(ListRecovery(m_folder).size(), 1u);
    EXPECT_TRUE(RecoveryOwnerRunning(ListRecovery(m_folder)[0]));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(RecoveryOwnerRunning(ListRecovery(m_folder)[0]));
}

}  // namespace
