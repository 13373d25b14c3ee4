#include <gtest/gtest.h>
#include <sys/stat.h>

#include "settings/IniFile.h"
#include "support/TempDir.h"

namespace {

// Test names from the cases' descriptions.
template <typename T>
std::string CaseName(const ::testing::TestParamInfo<T>& info) {
    std::string name;
    for (char ch : std::string(info.param.m_name)) {
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    }
    return name;
}

struct CGetCase {
    const char* m_name;
    const char* m_file;
    const char* m_section;
    const char* m_key;
    const char* m_default;
    const char* m_expected;
};

const CGetCase kGetCases[] = {
    {"plain", "[Setup]\r\nLanguage=English\r\n", "Setup", "Language", "", "English"},
    {"case and blanks", "[setup]\r\n  lAnGuAgE  =  Chinese  \r\n", "Setup", "Language", "",
     "Chinese"},
    {"slash comment keeps the blank", "[S]\nK=Chinese //note\n", "S", "K", "", "Chinese "},
    {"tab semicolon comment", "[S]\nK=English\t; note\n", "S", "K", "", "English"},
    {"blank semicolon is part of the value", "[S]\nK=English ; note\n", "S", "K", "",
     "English ; note"},
    {"block comment", "[S]\nK=a/*b*/c\n", "S", "K", "", "a"},
    {"comment order: // first", "[S]\nK=a\t;b//c\n", "S", "K", "", "a"},
    {"later duplicate wins", "[S]\nK=first\nK=second\n", "S", "K", "", "second"},
    {"only the first section of a name is searched", "[S]\nA=1\n[S]\nB=2\n", "S", "B", "dflt",
     "dflt"},
    {"missing key trims the default", "[S]\nA=1\n", "S", "B", "  dflt \t", "dflt"},
    {"missing section keeps the default", "[S]\nA=1\n", "T", "A", "  dflt ", "  dflt "},
    {"comment lines are dropped", "[S]\n;K=1\n/K=2\n\\K=3\n*K=4\n", "S", ";K", "none", "none"},
    {"semicolon inside a key", "[S]\nK;x=1\n", "S", "K;x", "", "1"},
    {"key without equals", "[S]\nAlone\n", "S", "Alone", "dflt", ""},
    {"line starting with equals is dropped", "[S]\n=v\n", "S", "", "dflt", "dflt"},
    {"blanks inside brackets belong to the name", "[ Setup ]\nK=1\n", "Setup", "K", "d", "d"},
    {"blanks inside brackets, exact name", "[ Setup ]\nK=1\n", " Setup ", "K", "d", "1"},
    {"empty section name is shadowed by the unnamed one", "[]\nK=1\n", "", "K", "d", "d"},
    {"header with a comment is a key", "[S]\nK=1\n[T] ;c\nK=2\n", "S", "K", "", "2"},
    {"unnamed section before any header", "K=0\n[S]\nK=1\n", "", "K", "", "0"},
    {"value with equals sign", "[S]\nK=a=b\n", "S", "K", "", "a=b"},
    {"GBK bytes compare exactly", "[S]\n\xD6\xD0=x\n", "S", "\xD6\xD0", "", "x"},
    {"GBK bytes are not case-folded", "[S]\n\xD6\xD0=x\n", "S", "\xF6\xF0", "d", "d"},
    // The second byte of a GBK character may be an ASCII letter's byte: it compares exactly.
    {"GBK trail byte of a section", "[\xD6\x41]\nK=1\n[\xD6\x61]\nK=2\n", "\xD6\x61", "K", "", "2"},
    {"GBK trail byte of a key", "[S]\n\xD6\x41=1\n\xD6\x61=2\n", "S", "\xD6\x41", "", "1"},
    // (\326 is 0xD6, written in octal so that the letters after it stay letters.)
    {"letters after a GBK character ignore case", "[\326Ab]\nK=1\n", "\326AB", "K", "", "1"},
    {"GBK trail byte among letters", "[\326Ab]\nK=1\n", "\326aB", "K", "d", "d"},
    {"lone lead byte at the end", "[s\x81]\nK=1\n", "S\x81", "K", "", "1"},
};

void PrintTo(const CGetCase& c, std::ostream* os) {
    *os << c.m_name;
}

class CIniGet : public ::testing::TestWithParam<CGetCase> {};

TEST_P(CIniGet, ReadsAsTheProgramDoes) {
    const auto& c = GetParam();
    CTempDir dir;
    WriteText(dir / "t.ini", c.m_file);
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(dir / "t.ini", false, true));
    EXPECT_EQ(ini.GetString(c.m_section, c.m_key, c.m_default), c.m_expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CIniGet, ::testing::ValuesIn(kGetCases), CaseName<CGetCase>);

TEST(IniFile, CaseMattersWithoutIgnoreCase) {
    CTempDir dir;
    WriteText(dir / "t.ini", "[Setup]\nLanguage=English\n");
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(dir / "t.ini", false, false));
    EXPECT_EQ(ini.GetString("setup", "Language", "d"), "d");
    EXPECT_EQ(ini.GetString("Setup", "language", "d"), "d");
    EXPECT_EQ(ini.GetString("Setup", "Language", "d"), "English");
}

TEST(IniFile, MissingFileIsCreatedEmpty) {
    CTempDir dir;
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(dir / "Program.ini", true, true));
    EXPECT_TRUE(std::filesystem::exists(dir / "Program.ini"));
    EXPECT_EQ(ini.GetString("Setup", "Language", ""), "");
}

TEST(IniFile, UnopenablePathFailsAndStaysEmpty) {
    CTempDir dir;
    CIniFile ini;
    const auto loaded = ini.LoadPath(dir / "no/such/dir/Program.ini", true, true);
    ASSERT_FALSE(loaded);
    EXPECT_NE(loaded.error().Text(false).find("No such file"), std::string::npos);
    EXPECT_FALSE(ini.IsLoaded());
    ini.SetString("Setup", "Language", "Chinese");
    EXPECT_FALSE(ini.IsModified());
    EXPECT_EQ(ini.GetString("Setup", "Language", "d"), "d");
}

struct CSetCase {
    const char* m_name;
    const char* m_file;
    const char* m_section;
    const char* m_key;
    const char* m_value;
    bool m_modified;
    const char* m_saved;  // file after Save, or nullptr when Save must not write
};

const CSetCase kSetCases[] = {
    {"replace value", "[Setup]\nLanguage=English\n", "Setup", "Language", "Chinese", true,
     "[Setup]\r\nLanguage=Chinese\r\n"},
    {"same value: not modified", "[Setup]\nLanguage=English\n", "Setup", "Language", "English",
     false, nullptr},
    // The stored bytes change, so the file must change too.
    {"letter case only: stored and written", "[Setup]\nLanguage=chinese\n", "Setup", "Language",
     "Chinese", true, "[Setup]\r\nLanguage=Chinese\r\n"},
    {"new key appended", "[Setup]\nA=1\n[Other]\nB=2\n", "setup", "C", "3", true,
     "[Setup]\r\nA=1\r\nC=3\r\n[Other]\r\nB=2\r\n"},
    {"new section appended", "K=0\n[A]\nX=1\n", "B", "Y", "2", true,
     "K=0\r\n[A]\r\nX=1\r\n[B]\r\nY=2\r\n"},
    {"later duplicate replaced", "[S]\nK=1\nK=2\n", "S", "K", "3", true, "[S]\r\nK=1\r\nK=3\r\n"},
    {"comments, blanks and spacing are not written back", "; top\n\n[S]\n  A =  1 \n// c\nAlone\n",
     "S", "A", "9", true, "[S]\r\nA=9\r\nAlone=\r\n"},
    // An empty header is a section of its own: its entries must not join the one before.
    {"empty section header kept", "[S]\nA=1\n[]\nB=2\n", "S", "A", "3", true,
     "[S]\r\nA=3\r\n[]\r\nB=2\r\n"},
};

void PrintTo(const CSetCase& c, std::ostream* os) {
    *os << c.m_name;
}

class CIniSet : public ::testing::TestWithParam<CSetCase> {};

TEST_P(CIniSet, ChangesAndWritesBack) {
    const auto& c = GetParam();
    CTempDir dir;
    const std::string path = dir / "t.ini";
    WriteText(path, c.m_file);
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(path, false, true));
    ini.SetString(c.m_section, c.m_key, c.m_value);
    EXPECT_EQ(ini.IsModified(), c.m_modified);
    EXPECT_EQ(ini.GetString(c.m_section, c.m_key, ""), c.m_value);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadText(path), c.m_saved ? c.m_saved : c.m_file);
}

INSTANTIATE_TEST_SUITE_P(Cases, CIniSet, ::testing::ValuesIn(kSetCases), CaseName<CSetCase>);

TEST(IniFile, SaveOnCloseWritesOnlyWhenModified) {
    CTempDir dir;
    const std::string path = dir / "t.ini";
    WriteText(path, "[S]\n; comment\nK=1\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.LoadPath(path, true, true));
    }
    EXPECT_EQ(ReadText(path), "[S]\n; comment\nK=1\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.LoadPath(path, true, true));
        ini.SetString("S", "K", "2");
    }
    EXPECT_EQ(ReadText(path), "[S]\r\nK=2\r\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.LoadPath(path, false, true));
        ini.SetString("S", "K", "3");
    }
    EXPECT_EQ(ReadText(path), "[S]\r\nK=2\r\n");
}

TEST(IniFile, ReloadSavesTheEarlierFileFirst) {
    CTempDir dir;
    WriteText(dir / "a.ini", "[S]\nK=1\n");
    WriteText(dir / "b.ini", "[S]\nK=b\n");
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(dir / "a.ini", true, true));
    ini.SetString("S", "K", "2");
    ASSERT_TRUE(ini.LoadPath(dir / "b.ini", true, true));
    EXPECT_EQ(ReadText(dir / "a.ini"), "[S]\r\nK=2\r\n");
    EXPECT_EQ(ini.GetString("S", "K", ""), "b");
}

TEST(IniFile, InPlaceRewriteLeavesNoStaleTail) {
    // A folder we cannot create files in, holding a writable file: the file is rewritten in
    // place and cut to its new length.
    CTempDir dir;
    const std::string sub = dir / "ro";
    ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
    const std::string path = sub + "/t.ini";
    WriteText(path, "[S]\nK=a very long value that makes the old file longer than the new one\n");
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(path, false, true));
    ini.SetString("S", "K", "short");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(sub.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    EXPECT_EQ(RunAsOrdinaryUser([&] { return ini.Save() ? 0 : 1; }), 0);
    ASSERT_EQ(::chmod(sub.c_str(), 0755), 0);
    EXPECT_EQ(ReadText(path), "[S]\r\nK=short\r\n");
}

TEST(IniFile, SaveFailureIsReportedAndClearKeepsNothing) {
    CTempDir dir;
    const std::string path = dir / "t.ini";
    WriteText(path, "[S]\nK=1\n");
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(path, false, true));
    ini.SetString("S", "K", "2");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // the path is now a folder
    const auto saved = ini.Save();
    ASSERT_FALSE(saved);
    EXPECT_FALSE(saved.error().Text(false).empty());
    ini.Clear();
    EXPECT_FALSE(ini.IsLoaded());
    EXPECT_EQ(ini.GetString("S", "K", "d"), "d");
}

}  // namespace
