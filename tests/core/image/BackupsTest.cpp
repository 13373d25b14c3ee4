#include "image/Backups.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>

#include "support/TempDir.h"

namespace {

// 2026-12-07 19:15:00 UTC.
constexpr std::time_t kNow = 1796670900;

class BackupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        m_image[0] = 0x42;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : ListBackups(m_folder)) {
            names.push_back(entry.m_name);
        }
        return names;
    }
    CTempDir m_dir;
    std::string m_folder = m_dir / "data/lh740/backups";
    CMemoryImage m_image = CMemoryImage::NewDocument();
};

TEST_F(BackupsTest, NamesAreUniqueAndListedNewestFirst) {
    const struct {
        EBackupKind m_kind;
        std::time_t m_time;
        const char* m_name;
    } cases[] = {
        {EBackupKind::Read, kNow, "20261207-191500-read.dat"},
        {EBackupKind::BeforeWrite, kNow, "20261207-191500.2-before-write.dat"},
        {EBackupKind::Read, kNow, "20261207-191500.3-read.dat"},
        {EBackupKind::BeforeWrite, kNow + 1, "20261207-191501-before-write.dat"},
    };
    for (const auto& c : cases) {
        auto saved = SaveBackup(m_folder, c.m_kind, m_image, 50, c.m_time);
        ASSERT_TRUE(saved) << saved.error().Text(false);
        EXPECT_EQ(*saved, m_folder + "/" + c.m_name);
        EXPECT_EQ(ReadAll(*saved),
                  std::vector<std::uint8_t>(m_image.m_bytes.begin(), m_image.m_bytes.end()));
    }
    struct stat st {};
    ASSERT_EQ(::stat(m_folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    WriteText(m_folder + "/notes.txt", "kept");
    const auto entries = ListBackups(m_folder);
    ASSERT_EQ(entries.size(), 4u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].m_name, cases[3 - i].m_name);
        EXPECT_EQ(entries[i].m_kind, cases[3 - i].m_kind);
        EXPECT_EQ(entries[i].m_size, kImageSize);
    }
}

TEST_F(BackupsTest, OnlyTheNewestAreKept) {
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(SaveBackup(m_folder, EBackupKind::Read, m_image, 3, kNow + i * 60));
    }
    WriteText(m_folder + "/notes.txt", "not a backup");
    ASSERT_TRUE(SaveBackup(m_folder, EBackupKind::BeforeWrite, m_image, 3, kNow + 300));
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"20261207-192000-before-write.dat",
                                        "20261207-191900-read.dat", "20261207-191800-read.dat"}));
    EXPECT_TRUE(std::filesystem::exists(m_folder + "/notes.txt"));
    // A limit of 0 takes no backup at all.
    auto none = SaveBackup(m_folder, EBackupKind::Read, m_image, 0, kNow + 400);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
    EXPECT_EQ(Names().size(), 3u);
}

TEST_F(BackupsTest, AFailedBackupIsReported) {
    // A file where the folder should be.
    std::filesystem::create_directories(m_dir / "data/lh740");
    WriteText(m_folder, "in the way");
    auto saved = SaveBackup(m_folder, EBackupKind::Read, m_image, 50, kNow);
    ASSERT_FALSE(saved);
    EXPECT_NE(saved.error().Text(false).find("The backup copy could not be saved"),
              std::string::npos);
    EXPECT_NE(saved.error().Text(true).find("无法保存备份"), std::string::npos);
    EXPECT_EQ(ReadText(m_folder), "in the way");

    // A folder the user may not write to.
    const std::string locked = m_dir / "locked";
    std::filesystem::create_directories(locked);
    ::chmod(m_dir.Path().c_str(), 0755);
    ::chmod(locked.c_str(), 0755);
    const int code = RunAsOrdinaryUser([&] {
        auto result = SaveBackup(locked, EBackupKind::BeforeWrite, m_image, 50, kNow);
        return !result && result.error().Text(false).find("ermission denied") != std::string::npos
                   ? 0
                   : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(ListBackups(locked).empty());
}

TEST(Backups, FolderAndLimitSettings) {
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const std::string saved = oldData ? oldData : "";
    ::setenv("XDG_DATA_HOME", "/x/data", 1);
    EXPECT_EQ(BackupFolder(), "/x/data/lh740/backups");
    ::setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored
    EXPECT_EQ(BackupFolder(), std::string(std::getenv("HOME")) + "/.local/share/lh740/backups");
    oldData ? ::setenv("XDG_DATA_HOME", saved.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");

    CTempDir dir;
    const struct {
        const char* m_ini;
        int m_limit;
    } cases[] = {{"", 50},
                 {"Backups=10\n", 10},
                 {"Backups=0\n", 0},
                 {"Backups=many\n", 50},
                 {"Backups=-3\n", 50}};
    for (const auto& c : cases) {
        WriteText(dir / "Program.ini", std::string("[Setup]\n") + c.m_ini);
        CIniFile ini;
        ASSERT_TRUE(ini.LoadPath(dir / "Program.ini", false, true));
        EXPECT_EQ(BackupLimit(ini), c.m_limit) << c.m_ini;
    }
}

}  // namespace
