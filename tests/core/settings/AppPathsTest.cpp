#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "settings/AppPaths.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

namespace {

TEST(AppPaths, FileFoundIgnoringLetterCase) {
    CTempDir dir;
    for (const char* name : {"Chinese.qm", "English.qm", "ENGLISH.qm", "\xD6\x41.qm"}) {
        WriteText(dir / name, "x");
    }
    std::filesystem::create_directory(dir / "Folder.qm");
    const std::pair<const char*, const char*> cases[] = {
        {"Chinese.qm", "Chinese.qm"},
        {"chinese.qm", "Chinese.qm"},
        {"CHINESE.QM", "Chinese.qm"},
        {"English.qm", "English.qm"},  // the exact name first
        {"english.qm", "ENGLISH.qm"},  // then the first in byte order
        {"\xD6\x41.QM", "\xD6\x41.qm"},
        {"\xD6\x61.qm", ""},  // the second byte of a GBK character is no letter
        {"folder.qm", ""},    // folders are not files
        {"Klingon.qm", ""},
        {"", ""},
    };
    for (const auto& [asked, found] : cases) {
        EXPECT_EQ(FindFileIgnoringCase(dir.Path() + "/", asked), found) << asked;
    }
    EXPECT_EQ(FindFileIgnoringCase(dir / "missing/", "Chinese.qm"), "");
}

// A build folder keeps its files beside the programs; an installation has them in
// PREFIX/share/lh740, read-only: the settings a user changes go to the user's copy, which is
// read from then on.
TEST(AppPaths, SharedFilesAndTheProgramIniReadAndWritten) {
    namespace fs = std::filesystem;
    CTempDir dir;
    const std::string root = fs::canonical(dir.Path()).string();
    for (const char* folder : {"build/bin", "usr/bin", "usr/share/lh740", "bare/bin", "home"}) {
        fs::create_directories(root + "/" + folder);
    }
    WriteText(root + "/build/bin/Program.ini", "[Setup]\r\nLanguage=English\r\n");
    WriteText(root + "/usr/share/lh740/Program.ini",
              "[Setup]\r\nLanguage=English\r\nAppName=A\r\n");
    ::setenv("XDG_CONFIG_HOME", (root + "/home").c_str(), 1);
    const std::string user = root + "/home/lh740/Program.ini";

    struct CCase {
        const char* m_bin;
        std::string m_shared;
        bool m_installed;
        std::string m_read;
        std::string m_save;
    };
    const std::string build = root + "/build/bin/";
    const std::string share = root + "/usr/share/lh740/";
    const CCase cases[] = {
        {"build/bin/", build, false, build + "Program.ini", build + "Program.ini"},
        {"usr/bin/", share, true, share + "Program.ini", user},
        {"bare/bin/", root + "/bare/bin/", false, root + "/bare/bin/Program.ini", user},
    };
    for (const CCase& c : cases) {
        const CSharedFiles shared = LocateSharedFiles(root + "/" + c.m_bin);
        EXPECT_EQ(shared.m_dir, c.m_shared) << c.m_bin;
        EXPECT_EQ(shared.m_bInstalled, c.m_installed) << c.m_bin;
        const CProgramIniPlace place = LocateProgramIni(shared.m_dir, shared.m_bInstalled);
        EXPECT_EQ(place.m_read, c.m_read) << c.m_bin;
        EXPECT_EQ(place.m_save, c.m_save) << c.m_bin;
    }

    // The first change copies the installed settings to the user's folder (made private) and
    // leaves the installed file alone; from then on the copy is read.
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(share + "Program.ini", false, true, false));
    ini.SetSavePath(user);
    ini.SetString("Setup", "Language", "Chinese");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadText(share + "Program.ini"), "[Setup]\r\nLanguage=English\r\nAppName=A\r\n");
    EXPECT_EQ(ReadText(user), "[Setup]\r\nLanguage=Chinese\r\nAppName=A\r\n");
    struct stat st {};
    ASSERT_EQ(::stat((root + "/home/lh740").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(LocateProgramIni(share, true).m_read, user);
    EXPECT_EQ(LocateProgramIni(build, false).m_read, build + "Program.ini");

    // A program folder whose Program.ini the user may not change is treated as installed.
    ASSERT_EQ(::chmod(root.c_str(), 0755), 0);
    EXPECT_EQ(
        RunAsOrdinaryUser([&] { return LocateProgramIni(build, false).m_save == user ? 0 : 1; }),
        0);
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
