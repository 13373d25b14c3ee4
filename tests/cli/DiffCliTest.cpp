#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

TEST(DiffCli, ExitCodesTextJsonAndLanguage) {
    CTempDir dir;
    const std::string a = dir / "a.dat";
    const std::string b = dir / "b.dat";
    ASSERT_EQ(RunCli("new " + Quote(a)).m_code, 0);
    ASSERT_EQ(RunCli("new " + Quote(b)).m_code, 0);
    auto run = RunCli("diff " + Quote(a) + " " + Quote(b));
    EXPECT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(run.m_out, "");
    EXPECT_EQ(RunCli("diff --json " + Quote(a) + " " + Quote(b)).m_out, "[]\n");

    ASSERT_EQ(RunCli("set " + Quote(b) + " options.tot=60 options.vox=3").m_code, 0);
    run = RunCli("diff " + Quote(a) + " " + Quote(b));
    EXPECT_EQ(run.m_code, 1);
    EXPECT_EQ(run.m_out, "options.tot: 30 -> 60\noptions.vox: Off -> 3\n");
    run = RunCli("diff --lang zh " + Quote(a) + " " + Quote(b));
    EXPECT_EQ(run.m_out, "options.tot: 30 -> 60\noptions.vox: 关 -> 3\n");

    // A quote and a backslash in a channel name must come out as valid JSON.
    const std::string csv = dir / "c.csv";
    std::ofstream(csv)
        << "Channel,Rx Frequency,Tx Frequency,Name\n5,146.02500,146.02500,\"A\"\"\\B\"\n";
    ASSERT_EQ(RunCli("import " + Quote(b) + " " + Quote(csv)).m_code, 0);
    run = RunCli("diff --json " + Quote(a) + " " + Quote(b));
    EXPECT_EQ(run.m_code, 1);
    const std::string json = dir / "out.json";
    const std::string parsed = dir / "parsed.txt";
    std::ofstream(json) << run.m_out;
    ASSERT_EQ(
        std::system(("python3 -c 'import json,sys\nfor d in json.load(open(sys.argv[1])): "
                     "print(\"|\".join([d[\"place\"], d[\"field\"], d[\"from\"], d[\"to\"]]))' " +
                     Quote(json) + " > " + Quote(parsed))
                        .c_str()),
        0)
        << run.m_out;
    std::ifstream in(parsed);
    const std::string lines((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(lines.find("channel 5|Rx Frequency||146.02500\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("channel 5|Chnnel Name||A\"\\B\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("options|options.tot|30|60\noptions|options.vox|Off|3\n"),
              std::string::npos)
        << lines;

    for (const std::string& args :
         std::vector<std::string>{"diff " + Quote(a) + " " + Quote(dir / "missing.dat"),
                                  "diff " + Quote(dir / ".") + " " + Quote(a)}) {
        EXPECT_EQ(RunCli(args).m_code, 3) << args;
    }
}

}  // namespace
