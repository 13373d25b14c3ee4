#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Every command that writes a file writes the file a link leads to, and refuses pipes and
// write-protected files without touching them. OUT stands for the target, DOC for a document.
const char* const kWriters[] = {
    "new --force OUT",
    "export DOC OUT",
    "import DOC CSV -o OUT",
    "report DOC -o OUT",
    "config set Setup Language English --file OUT",
};

std::string Expand(std::string command, const CTempDir& dir, const std::string& out) {
    for (const auto& [what, with] : {std::pair<std::string, std::string>{"OUT", Quote(out)},
                                     {"DOC", Quote(dir / "doc.dat")},
                                     {"CSV", Quote(dir / "in.csv")}}) {
        if (auto at = command.find(what); at != std::string::npos) {
            command.replace(at, what.size(), with);
        }
    }
    return command;
}

TEST(FilesCli, EveryWriterFollowsLinksAndRefusesPipesAndProtectedFiles) {
    for (const char* writer : kWriters) {
        CTempDir dir;
        ASSERT_EQ(RunCli("new " + Quote(dir / "doc.dat")).m_code, 0);
        ASSERT_EQ(RunCli("export " + Quote(dir / "doc.dat") + " " + Quote(dir / "in.csv")).m_code,
                  0);
        fs::create_directory(dir / "real");
        WriteText(dir / "real/target", "old");
        fs::create_symlink("real/target", dir / "link");
        ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0666), 0);
        WriteText(dir / "protected", "old");
        ASSERT_EQ(::chmod((dir / "protected").c_str(), 0444), 0);

        auto run = RunCli(Expand(writer, dir, dir / "link"));
        EXPECT_EQ(run.m_code, 0) << writer << "\n" << run.m_err;
        EXPECT_TRUE(fs::is_symlink(dir / "link")) << writer;
        EXPECT_NE(ReadText(dir / "real/target"), "old") << writer;

        const struct {
            const char* m_name;
            const char* m_reason;
        } refused[] = {{"fifo", "named pipe"}, {"protected", "write-protected"}};
        for (const auto& r : refused) {
            run = RunCli(Expand(writer, dir, dir / r.m_name), "timeout 20 ");
            EXPECT_NE(run.m_code, 0) << writer << " " << r.m_name;
            EXPECT_NE(run.m_code, 124) << writer << " " << r.m_name << ": hangs";
            EXPECT_NE(run.m_err.find(r.m_reason), std::string::npos) << writer << "\n" << run.m_err;
        }
        EXPECT_TRUE(fs::is_fifo(dir / "fifo")) << writer;
        EXPECT_EQ(ReadText(dir / "protected"), "old") << writer;
    }
}

TEST(FilesCli, ExportAndReportWriteDashToStandardOutput) {
    CTempDir dir;
    ASSERT_EQ(RunCli("new " + Quote(dir / "doc.dat")).m_code, 0);
    ASSERT_EQ(RunCli("export " + Quote(dir / "doc.dat") + " " + Quote(dir / "file.csv")).m_code, 0);
    // Run from the temporary folder, so that a file named "-" would show.
    const std::string here = "cd " + Quote(dir.Path()) + " && ";
    auto run = RunCli("export " + Quote(dir / "doc.dat") + " -", here);
    EXPECT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(run.m_out, ReadText(dir / "file.csv"));
    run = RunCli("report " + Quote(dir / "doc.dat") + " -o -", here);
    EXPECT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_TRUE(run.m_out.starts_with("%PDF")) << run.m_out.substr(0, 20);
    EXPECT_FALSE(fs::exists(dir / "-"));
}

// Inputs that are no regular files are refused at once, with the exit code of invalid input.
TEST(FilesCli, PipesAsInputsAreRefusedWithoutBlocking) {
    CTempDir dir;
    ASSERT_EQ(RunCli("new " + Quote(dir / "doc.dat")).m_code, 0);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0666), 0);
    const std::string fifo = Quote(dir / "fifo");
    const std::string doc = Quote(dir / "doc.dat");
    const std::string commands[] = {
        "dump " + fifo,
        "export " + fifo + " " + Quote(dir / "out.csv"),
        "import " + doc + " " + fifo,
        "config get Setup Language --file " + fifo,
    };
    for (const auto& command : commands) {
        const auto run = RunCli(command, "timeout 20 ");
        EXPECT_EQ(run.m_code, 3) << command << "\n" << run.m_err;
        EXPECT_NE(run.m_err.find("named pipe, not a regular file"), std::string::npos)
            << command << "\n"
            << run.m_err;
    }
    EXPECT_FALSE(fs::exists(dir / "out.csv"));
}

}  // namespace
