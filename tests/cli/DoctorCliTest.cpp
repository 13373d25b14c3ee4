#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

// No remembered port, and lock files in a folder of the test's own.
std::string Env(const CTempDir& dir) {
    return "XDG_CONFIG_HOME=" + Quote(dir.Path()) + " LH740_LOCK_DIR=" + Quote(dir.Path()) + " ";
}

TEST(DoctorCli, ExplainsEachFindingAndExitsByWhatItFound) {
    CTempDir dir;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string pty = ::ptsname(master);
    const std::string missing = dir / "ttyUSB9";

    const struct {
        std::string m_args;
        int m_code;  // -1: 1 exactly when a problem line is printed
        std::string m_lines;
    } cases[] = {
        {"doctor --port " + Quote(missing), 1,
         "problem  " + missing +
             " does not exist.\n         fix: Plug the cable in and choose its port (lh740ctl "
             "ports lists them; USB cables are /dev/ttyUSB* or /dev/ttyACM*).\n"},
        {"doctor --lang zh --port " + Quote(missing), 1,
         "问题     " + missing + " 不存在。\n         解决：插上写频线并选择它的端口"},
        {"doctor --json --port " + Quote(missing), 1,
         "[\n  {\"check\": \"port\", \"status\": \"problem\", \"text\": \"" + missing +
             " does not exist.\", \"fix\": \"Plug the cable in"},
        {"doctor --port " + Quote(pty), -1,
         "ok       " + pty + " exists and is a character device.\nok       You may open " + pty +
             " for reading and writing.\nok       No other program holds " + pty + ".\n"},
        {"doctor", 2, ""},
    };
    for (const auto& c : cases) {
        const CCliRun run = RunCli(c.m_args, Env(dir));
        const int expected =
            c.m_code >= 0 ? c.m_code : (run.m_out.find("problem ") != std::string::npos);
        EXPECT_EQ(run.m_code, expected) << c.m_args << "\n" << run.m_out << run.m_err;
        EXPECT_TRUE(run.m_out.starts_with(c.m_lines)) << c.m_args << "\n" << run.m_out;
    }

    // The test itself holds the port: named, with the fix.
    const int slave = ::open(pty.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    const CCliRun held = RunCli("doctor --port " + Quote(pty), Env(dir));
    EXPECT_EQ(held.m_code, 1);
    const std::string pid = std::to_string(::getpid());
    EXPECT_NE(
        held.m_out.find("problem  " + pty + " is open in test_cli (pid " + pid +
                        ").\n         fix: Close test_cli (if it hangs: kill " + pid + ").\n"),
        std::string::npos)
        << held.m_out;
    ::close(slave);
    ::close(master);
}

}  // namespace
