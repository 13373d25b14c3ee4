#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "image/MemoryImage.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

TEST(Cli, NewWritesTheDefaultImageAndRefusesToOverwrite) {
    CTempDir dir;
    const std::string file = dir / "x.dat";
    auto run = RunCli("new " + Quote(file));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    const auto bytes = ReadAll(file);
    ASSERT_EQ(bytes.size(), kImageSize);
    EXPECT_TRUE(
        std::equal(bytes.begin(), bytes.end(), CMemoryImage::NewDocument().m_bytes.begin()));

    WriteAllBytes(file, {1, 2, 3});
    run = RunCli("new " + Quote(file));
    EXPECT_EQ(run.m_code, 3);
    EXPECT_NE(run.m_err.find("already exists"), std::string::npos) << run.m_err;
    EXPECT_EQ(ReadAll(file).size(), 3u);

    run = RunCli("new --force " + Quote(file));
    EXPECT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(ReadAll(file).size(), kImageSize);

    run = RunCli("new " + Quote(dir / "missing/folder/x.dat"));
    EXPECT_EQ(run.m_code, 1);
    EXPECT_NE(run.m_err.find("No such file or directory"), std::string::npos) << run.m_err;
}

TEST(Cli, DumpPrintsEveryRowWithOffsetsAndAddresses) {
    CTempDir dir;
    const std::string file = dir / "x.dat";
    ASSERT_EQ(RunCli("new " + Quote(file)).m_code, 0);
    const auto run = RunCli("dump " + Quote(file));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    std::istringstream lines(run.m_out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) {
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), 256u);
    EXPECT_EQ(rows[0].substr(0, 14), "  0     0 0000");
    EXPECT_EQ(rows[130].substr(0, 14), "130  3120 ----");
    EXPECT_EQ(rows[195].substr(0, 14), "195  4680 0C30");
    EXPECT_EQ(rows[255],
              "255  6120 0FF0  13 17 64 35 52 00 29 27 22 1E FF FF FF FF FF FF FF FF FF FF FF FF "
              "FF FF");
}

TEST(Cli, BadInputFailsWithAClearMessage) {
    CTempDir dir;
    WriteAllBytes(dir / "short.dat", std::vector<std::uint8_t>(100, 0xFF));
    struct CCase {
        std::string m_args;
        int m_code;
        const char* m_message;
    };
    const CCase cases[] = {
        {"dump " + Quote(dir / "short.dat"), 3, "unexpected format"},
        {"dump " + Quote(dir / "missing.dat"), 3, "No such file or directory"},
        {"dump", 2, "FILE"},
        {"frobnicate", 2, ""},
        {"", 2, ""},
        {"config get Setup", 2, "KEY"},
    };
    for (const auto& c : cases) {
        const auto run = RunCli(c.m_args);
        EXPECT_EQ(run.m_code, c.m_code) << c.m_args << "\n" << run.m_err;
        EXPECT_NE(run.m_err.find(c.m_message), std::string::npos) << c.m_args << "\n" << run.m_err;
        EXPECT_TRUE(run.m_out.empty()) << c.m_args;
    }
}

TEST(Cli, ConfigGetAndSet) {
    CTempDir dir;
    const std::string ini = dir / "Program.ini";
    WriteText(ini, "[Setup]\r\nLanguage = English //note\r\n; c\r\n[English]\r\nCompany=ACME\r\n");
    auto run = RunCli("config get setup language --file " + Quote(ini));
    EXPECT_EQ(run.m_code, 0);
    EXPECT_EQ(run.m_out, "English \n");
    run = RunCli("config get Setup Missing --file " + Quote(ini));
    EXPECT_EQ(run.m_out, "\n");

    run = RunCli("config set Setup Language Chinese --file " + Quote(ini));
    EXPECT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(ReadText(ini), "[Setup]\r\nLanguage=Chinese\r\n[English]\r\nCompany=ACME\r\n");
    EXPECT_EQ(RunCli("config get Setup Language --file " + Quote(ini)).m_out, "Chinese\n");

    // A change of letter case alone changes the bytes: written and reported.
    WriteText(ini, "[Setup]\r\nLanguage=chinese\r\n; kept unless written\r\n");
    run = RunCli("config set Setup Language Chinese --file " + Quote(ini));
    EXPECT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(run.m_out, "[Setup] Language: \"chinese\" -> \"Chinese\"\n");
    EXPECT_EQ(ReadText(ini), "[Setup]\r\nLanguage=Chinese\r\n");
    // The same bytes again: nothing is written.
    WriteText(ini, "[Setup]\r\nLanguage=Chinese\r\n; kept unless written\r\n");
    run = RunCli("config set setup LANGUAGE Chinese --file " + Quote(ini));
    EXPECT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(run.m_out, "[setup] LANGUAGE is already \"Chinese\"; nothing was written.\n");
    EXPECT_EQ(ReadText(ini), "[Setup]\r\nLanguage=Chinese\r\n; kept unless written\r\n");

    run = RunCli("config get Setup Language --file " + Quote(dir / "no/such/Program.ini"));
    EXPECT_EQ(run.m_code, 3);
    EXPECT_FALSE(run.m_err.empty());
    // A missing file is reported, not created.
    run = RunCli("config get Setup Language --file " + Quote(dir / "missing.ini"));
    EXPECT_EQ(run.m_code, 3);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.ini"));
}

TEST(Cli, DefaultSettingsFileIsTheShippedOneNextToTheProgram) {
    // Run from another folder: the program's own directory decides, not the current one.
    CTempDir dir;
    const std::string cmd =
        "cd " + Quote(dir.Path()) + " && " + LH740CTL_PATH + " config get Setup Language > out.txt";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(ReadText(dir / "out.txt"), "English\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "Program.ini"));
}

TEST(Cli, HelpListsExitCodesAndVersionPrints) {
    auto run = RunCli("--help");
    EXPECT_EQ(run.m_code, 0);
    EXPECT_NE(run.m_out.find("Exit codes"), std::string::npos);
    EXPECT_NE(run.m_out.find("dump"), std::string::npos);
    run = RunCli("--version");
    EXPECT_EQ(run.m_code, 0);
    EXPECT_NE(run.m_out.find("lh740ctl "), std::string::npos);
}

}  // namespace
