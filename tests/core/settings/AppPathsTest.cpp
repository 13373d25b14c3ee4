#include <gtest/gtest.h>

#include <filesystem>

#include "settings/AppPaths.h"
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

}  // namespace
