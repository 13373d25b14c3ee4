#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "image/MemoryImage.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(ChannelsCli, ImportShowExportRoundTrip) {
    CTempDir dir;
    const std::string dat = dir / "a.dat";
    ASSERT_EQ(RunCli("new " + Quote(dat)).m_code, 0);
    WriteText(dir / "in.csv",
              "Channel,Rx Frequency,Name,Power,Opt Signal,Encode,Decode\r\n"
              "1,146.025,\"A,B\",Low,2-Tone,5,3\r\n"
              "Fr,446.00625,中文,高,MSK,7,\r\n");
    auto run = RunCli("import " + Quote(dat) + " " + Quote(dir / "in.csv"));
    ASSERT_EQ(run.m_code, 0) << run.m_err;

    run = RunCli("channels " + Quote(dat));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    auto lines = Lines(run.m_out);
    ASSERT_EQ(lines.size(), 130u);
    EXPECT_EQ(lines[0].substr(0, 32), "CH   Rx Frequency  Tx Frequency ");
    EXPECT_EQ(lines[1].substr(0, 32), "1    146.02500     146.02500    ");
    EXPECT_NE(lines[1].find("A,B"), std::string::npos);
    EXPECT_EQ(lines[2], "2");
    EXPECT_EQ(lines[129].substr(0, 2), "Fr");

    run = RunCli("channels --lang zh " + Quote(dat));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    lines = Lines(run.m_out);
    EXPECT_EQ(lines[0].substr(0, 6), "信道");
    EXPECT_NE(lines[129].find("高"), std::string::npos);

    ASSERT_EQ(RunCli("export " + Quote(dat) + " " + Quote(dir / "out.csv")).m_code, 0);
    const std::string csv = ReadText(dir / "out.csv");
    lines = Lines(csv);
    ASSERT_EQ(lines.size(), 130u);
    EXPECT_EQ(lines[1],
              "1,146.02500,146.02500,None,None,\"A,B\",Low,Wide,Yes,Off,Off,2-Tone,5,3\r");
    EXPECT_EQ(lines[129], "Fr,446.00625,446.00625,None,None,中文,High,Wide,Yes,Off,Off,MSK,7,\r");

    // The exported file imported into a copy gives the same bytes.
    const auto before = ReadAll(dat);
    run = RunCli("import " + Quote(dat) + " " + Quote(dir / "out.csv") + " -o " +
                 Quote(dir / "b.dat"));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(ReadAll(dir / "b.dat"), before);
    EXPECT_EQ(ReadAll(dat), before);
}

TEST(ChannelsCli, RejectedCellsWriteNothing) {
    CTempDir dir;
    const std::string dat = dir / "a.dat";
    ASSERT_EQ(RunCli("new " + Quote(dat)).m_code, 0);
    const auto before = ReadAll(dat);
    WriteText(dir / "bad.csv",
              "Channel,Rx Frequency,Power\n"
              "1,146.0025,High\n"
              "2,146.025,Max\n"
              "3,146.025,Low\n");
    const auto run = RunCli("import " + Quote(dat) + " " + Quote(dir / "bad.csv"));
    EXPECT_EQ(run.m_code, 3);
    EXPECT_EQ(run.m_err,
              "row 1, column Rx Frequency: Error data Value, please input according the step "
              "value(6.25K/5k).\n"
              "row 2, column Power: \"Max\" is not one of Low, High\n"
              "lh740ctl: 2 rejected; nothing was written.\n");
    EXPECT_EQ(ReadAll(dat), before);

    EXPECT_EQ(RunCli("import " + Quote(dat) + " " + Quote(dir / "missing.csv")).m_code, 3);
    EXPECT_EQ(RunCli("export " + Quote(dir / "missing.dat") + " " + Quote(dir / "x.csv")).m_code,
              3);
    EXPECT_EQ(RunCli("channels " + Quote(dir / "missing.dat")).m_code, 3);
    EXPECT_EQ(RunCli("export " + Quote(dat) + " " + Quote(dir / "no/such/dir.csv")).m_code, 1);
    EXPECT_EQ(ReadAll(dat), before);
}

}  // namespace
