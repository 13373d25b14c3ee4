#include <gtest/gtest.h>
#include <sys/stat.h>

#include "image/ProgramDoc.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

namespace {

CMemoryImage PatternImage() {
    CMemoryImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    }
    return image;
}

TEST(ProgramDoc, NewDocumentTakesDefaultsTitleAndAppName) {
    CTempDir dir;
    WriteText(dir / "Program.ini", "[Setup]\r\nAppName = My Radio Shop\r\n");
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(dir / "Program.ini", false, true));
    CProgramDoc doc;
    doc.m_image = PatternImage();
    EXPECT_TRUE(doc.OnNewDocument(ini));
    EXPECT_EQ(doc.m_image, CMemoryImage::NewDocument());
    EXPECT_EQ(doc.GetPathName(), "My Radio Shop");
    EXPECT_TRUE(doc.m_bNewDocument);
}

TEST(ProgramDoc, SaveAndOpenRoundTripByteForByte) {
    CTempDir dir;
    CIniFile ini;
    CProgramDoc doc;
    doc.OnNewDocument(ini);
    ASSERT_TRUE(doc.OnSaveDocument(dir / "new.dat"));
    const auto bytes = ReadAll(dir / "new.dat");
    ASSERT_EQ(bytes.size(), kImageSize);
    EXPECT_TRUE(
        std::equal(bytes.begin(), bytes.end(), CMemoryImage::NewDocument().m_bytes.begin()));

    doc.m_image = PatternImage();
    ASSERT_TRUE(doc.OnSaveDocument(dir / "pattern.dat"));
    CProgramDoc other;
    other.OnNewDocument(ini);
    ASSERT_TRUE(other.OnOpenDocument(dir / "pattern.dat"));
    EXPECT_EQ(other.m_image, PatternImage());
    EXPECT_FALSE(other.m_bNewDocument);
}

TEST(ProgramDoc, SaveRunsTheBeforeSaveHookFirst) {
    CTempDir dir;
    CProgramDoc doc;
    doc.m_image = PatternImage();
    doc.m_beforeSave = [&] { doc.m_image[0] = 0x42; };
    ASSERT_TRUE(doc.OnSaveDocument(dir / "x.dat"));
    EXPECT_EQ(ReadAll(dir / "x.dat")[0], 0x42);
}

TEST(ProgramDoc, OpenUsesTheFirst6144BytesAndRefusesShorterFiles) {
    CTempDir dir;
    const CMemoryImage pattern = PatternImage();
    std::vector<std::uint8_t> longer(pattern.m_bytes.begin(), pattern.m_bytes.end());
    longer.push_back(0x99);
    WriteAllBytes(dir / "long.dat", longer);
    std::vector<std::uint8_t> shorter(longer.begin(), longer.begin() + kImageSize - 1);
    WriteAllBytes(dir / "short.dat", shorter);
    WriteAllBytes(dir / "empty.dat", {});

    CIniFile ini;
    CProgramDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir / "long.dat"));
    EXPECT_EQ(doc.m_image, PatternImage());

    for (const char* name : {"short.dat", "empty.dat", "missing.dat"}) {
        doc.OnNewDocument(ini);
        auto opened = doc.OnOpenDocument(dir / name);
        ASSERT_FALSE(opened) << name;
        EXPECT_FALSE(opened.error().m_text.empty());
        EXPECT_EQ(doc.m_image, CMemoryImage::NewDocument()) << name;
        EXPECT_TRUE(doc.m_bNewDocument) << "a failed open must not clear the flag";
    }
    auto opened = doc.OnOpenDocument(dir / "short.dat");
    EXPECT_NE(opened.error().Text(false).find("unexpected format"), std::string::npos);
}

// The messages a user sees when a file cannot be used, in each language.
TEST(ProgramDoc, FileErrorsSpeakTheProgramsLanguage) {
    CTempDir dir;
    const std::string shortFile = dir / "short.dat";
    const std::string missing = dir / "missing.dat";
    const std::string unsaved = dir / "no-such-folder/x.dat";
    WriteAllBytes(shortFile, std::vector<std::uint8_t>(10));
    struct CCase {
        bool m_chinese;
        std::string m_path;
        bool m_save;
        std::string m_expected;
    };
    const CCase cases[] = {
        {false, shortFile, false,
         "\"" + shortFile +
             "\" has an unexpected format: it holds 10 bytes, a document needs 6144."},
        {true, shortFile, false,
         "\"" + shortFile + "\" 的格式不对：它只有 10 个字节，一个文档需要 6144 个字节。"},
        {false, missing, false, "Cannot open \"" + missing + "\": No such file or directory."},
        {true, missing, false, "无法打开 \"" + missing + "\"：文件或文件夹不存在。"},
        {false, dir.Path(), false,
         "Cannot open \"" + dir.Path() + "\": it is a folder, not a regular file."},
        {true, dir.Path(), false, "无法打开 \"" + dir.Path() + "\"：这是文件夹，不是普通文件。"},
        {false, unsaved, true, "Cannot save \"" + unsaved + "\": No such file or directory."},
        {true, unsaved, true, "无法保存 \"" + unsaved + "\"：文件或文件夹不存在。"},
    };
    for (const CCase& c : cases) {
        CProgramDoc doc;
        const CFileResult result =
            c.m_save ? doc.OnSaveDocument(c.m_path) : doc.OnOpenDocument(c.m_path);
        ASSERT_FALSE(result) << c.m_expected;
        EXPECT_EQ(result.error().Text(c.m_chinese), c.m_expected);
    }
}

TEST(ProgramDoc, FailedSaveLeavesThePreviousFileIntact) {
    CTempDir dir;
    const std::string sub = dir / "locked";
    ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
    const std::string target = sub + "/radio.dat";
    CProgramDoc doc;
    doc.m_image = PatternImage();
    ASSERT_TRUE(doc.OnSaveDocument(target));
    ASSERT_EQ(::chmod(sub.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);

    // Root writes anywhere, so the save is tried as an ordinary user.
    EXPECT_EQ(RunAsOrdinaryUser([&] {
                  CProgramDoc other;
                  other.m_image = CMemoryImage::NewDocument();
                  auto saved = other.OnSaveDocument(target);
                  return !saved && saved.error().Text(false).find("Permission denied") !=
                                       std::string::npos
                             ? 0
                             : 1;
              }),
              0);

    const auto bytes = ReadAll(target);
    ASSERT_EQ(bytes.size(), kImageSize);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), PatternImage().m_bytes.begin()));
    ASSERT_EQ(::chmod(sub.c_str(), 0755), 0);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(sub),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ProgramDoc, SaveKeepsTheTargetsPermissions) {
    CTempDir dir;
    const std::string target = dir / "keep.dat";
    WriteAllBytes(target, {1, 2, 3});
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(SaveDatFile(target, PatternImage()));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadAll(target).size(), kImageSize);
}

}  // namespace
