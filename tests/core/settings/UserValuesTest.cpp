#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/UserValues.h"
#include "support/TempDir.h"

namespace {

TEST(UserValues, NumbersAndStringsPersistPerAppName) {
    CTempDir dir;
    {
        CFileUserValues values("Shop A", dir.Path());
        EXPECT_FALSE(values.GetNumber("Type"));
        EXPECT_TRUE(values.SetNumber("Type", 3));
        EXPECT_TRUE(values.SetString("com", "/dev/ttyUSB0"));
        EXPECT_TRUE(values.SetString("note", "two\nlines \\ and = signs"));
    }
    CFileUserValues again("Shop A", dir.Path());
    EXPECT_EQ(again.GetNumber("type"), 3u) << "names ignore letter case";
    EXPECT_EQ(again.GetString("COM"), "/dev/ttyUSB0");
    EXPECT_EQ(again.GetString("note"), "two\nlines \\ and = signs");

    CFileUserValues other("Shop B", dir.Path());
    EXPECT_FALSE(other.GetNumber("Type"));
    CFileUserValues empty("", dir.Path());
    EXPECT_FALSE(empty.GetNumber("Type"));
    EXPECT_TRUE(empty.SetNumber("Type", 1));
    EXPECT_NE(empty.GetFilePath(), again.GetFilePath());
}

TEST(UserValues, AValueOfTheOtherTypeIsNotUsed) {
    CTempDir dir;
    CFileUserValues values("x", dir.Path());
    ASSERT_TRUE(values.SetString("com", "3"));
    EXPECT_FALSE(values.GetNumber("com"));
    ASSERT_TRUE(values.SetNumber("com", 4));
    EXPECT_FALSE(values.GetString("com"));
    EXPECT_EQ(values.GetNumber("com"), 4u);
}

TEST(UserValues, DamagedLinesAreIgnored) {
    CTempDir dir;
    CFileUserValues values("x", dir.Path());
    ASSERT_TRUE(values.SetNumber("Type", 2));
    WriteText(values.GetFilePath(),
              "type=dword:99999999999\ncom=dword:\nbad line\n=sz:x\nok=dword:7\nk=other:1\n");
    EXPECT_FALSE(values.GetNumber("Type"));
    EXPECT_FALSE(values.GetNumber("com"));
    EXPECT_EQ(values.GetNumber("ok"), 7u);
    EXPECT_FALSE(values.GetString("k"));
}

TEST(UserValues, NoFolderMeansQuietFailure) {
    CFileUserValues values("x", "");
    EXPECT_FALSE(values.SetNumber("Type", 1));
    EXPECT_FALSE(values.GetNumber("Type"));
    CTempDir dir;
    WriteText(dir / "file", "not a folder");
    CFileUserValues blocked("x", dir / "file");
    EXPECT_FALSE(blocked.SetNumber("Type", 1));
}

TEST(UserValues, FolderFollowsXdgConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    CTempDir dir;
    ::setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    EXPECT_EQ(UserConfigDirectory(), dir.Path());
    CFileUserValues values("App");
    EXPECT_EQ(values.GetFilePath().rfind(dir.Path() + "/lh740/", 0), 0u) << values.GetFilePath();
    ::setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
    EXPECT_NE(UserConfigDirectory(), "relative/path");
    if (old) {
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace
