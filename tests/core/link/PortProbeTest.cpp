#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "link/CloneProtocol.h"
#include "settings/Language.h"
#include "settings/Messages.h"
#include "support/PortOpen.h"
#include "support/TempDir.h"

namespace {

// A pseudo-terminal whose slave side stands for a port in another program's use.
class CHeldPty {
public:
    CHeldPty() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        EXPECT_GE(m_master, 0);
        EXPECT_EQ(::grantpt(m_master), 0);
        EXPECT_EQ(::unlockpt(m_master), 0);
        m_path = ::ptsname(m_master);
        m_slave = ::open(m_path.c_str(), O_RDWR | O_NOCTTY);
        EXPECT_GE(m_slave, 0);
    }
    ~CHeldPty() {
        ::close(m_slave);
        ::close(m_master);
    }
    // LCK..pts_N, as other programs name the lock of /dev/pts/N.
    std::string LockName() const { return "LCK.." + m_path.substr(5).replace(3, 1, "_"); }

    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

bool SameSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0 &&
           cfgetispeed(&a) == cfgetispeed(&b) && cfgetospeed(&a) == cfgetospeed(&b);
}

int Exclusive(int fd) {
    int on = -1;
    EXPECT_EQ(::ioctl(fd, TIOCGEXCL, &on), 0);
    return on;
}

TEST(PortProbe, LeavesTheSettingsAndUnreadInputOfAHeldPort) {
    CTempDir locks;
    CHeldPty pty;
    // A terminal program's settings: canonical input at 115200 baud, a line not yet read.
    termios held{};
    ASSERT_EQ(::tcgetattr(pty.m_slave, &held), 0);
    held.c_lflag |= ICANON | ECHO;
    cfsetispeed(&held, B115200);
    cfsetospeed(&held, B115200);
    ASSERT_EQ(::tcsetattr(pty.m_slave, TCSANOW, &held), 0);
    ASSERT_EQ(::tcgetattr(pty.m_slave, &held), 0);
    ASSERT_EQ(::write(pty.m_master, "hello\nwor", 9), 9);
    pollfd ready{pty.m_slave, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 2000), 1);
    int unread = 0;
    ASSERT_EQ(::ioctl(pty.m_slave, FIONREAD, &unread), 0);
    ASSERT_EQ(unread, 6);

    EXPECT_EQ(ProbeReason(ProbeSerialPort(pty.m_path, locks.Path())), "");

    termios after{};
    ASSERT_EQ(::tcgetattr(pty.m_slave, &after), 0);
    EXPECT_TRUE(SameSettings(held, after));
    EXPECT_EQ(cfgetispeed(&after), B115200);
    int still = 0;
    ASSERT_EQ(::ioctl(pty.m_slave, FIONREAD, &still), 0);
    EXPECT_EQ(still, unread);
    char line[16] = {};
    EXPECT_EQ(::read(pty.m_slave, line, sizeof line), 6);
    EXPECT_STREQ(line, "hello\n");
    EXPECT_EQ(Exclusive(pty.m_slave), 0);
}

// Root opens a port another program made exclusive; neither the probe nor a transfer may take
// it, and the other program keeps its exclusive flag.
TEST(PortProbe, RefusesAPortHeldExclusiveOrLockedAndKeepsTheHoldersFlag) {
    CTempDir locks;
    CHeldPty pty;
    ASSERT_EQ(::ioctl(pty.m_slave, TIOCEXCL), 0);
    const std::string reason = ProbeReason(ProbeSerialPort(pty.m_path, locks.Path()));
    EXPECT_EQ(reason, pty.m_path + ": busy, in use by another program.");
    EXPECT_EQ(Exclusive(pty.m_slave), 1);
    CPosixSerialPort port(locks.Path());
    std::string error;
    EXPECT_FALSE(OpenPort(port, pty.m_path, error));
    EXPECT_EQ(error, reason);
    EXPECT_EQ(Exclusive(pty.m_slave), 1);
    ASSERT_EQ(::ioctl(pty.m_slave, TIOCNXCL), 0);

    // A flock names its holder.
    const int other = ::open(pty.m_path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    EXPECT_EQ(ProbeReason(ProbeSerialPort(pty.m_path, locks.Path())),
              pty.m_path + ": busy, held by process " + std::to_string(::getpid()) + ".");
    ::close(other);
    EXPECT_EQ(ProbeReason(ProbeSerialPort(pty.m_path, locks.Path())), "");
}

TEST(PortProbe, HonoursUucpLockFilesOfLiveProcesses) {
    CHeldPty pty;
    const pid_t dead = ::fork();
    if (dead == 0) {
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
    const std::int32_t one = 1;
    const std::string binaryOne(reinterpret_cast<const char*>(&one), sizeof one);
    const struct {
        const char* m_name;
        std::string m_lock;  // contents; empty: no lock file
        std::string m_reason;
    } cases[] = {
        {"no lock file", "", ""},
        {"live process, text", "         1\n", ": busy, held by process 1."},
        {"live process, binary", binaryOne, ": busy, held by process 1."},
        {"stale lock of an ended process", std::to_string(dead) + "\n", ""},
        {"no process named", "garbage\n", ": busy, locked by LOCKFILE."},
    };
    for (const auto& c : cases) {
        CTempDir locks;
        const std::string lockFile = locks / pty.LockName();
        if (!c.m_lock.empty()) {
            WriteText(lockFile, c.m_lock);
        }
        std::string expected = c.m_reason.empty() ? "" : pty.m_path + c.m_reason;
        if (auto at = expected.find("LOCKFILE"); at != std::string::npos) {
            expected.replace(at, 8, lockFile);
        }
        EXPECT_EQ(ProbeReason(ProbeSerialPort(pty.m_path, locks.Path())), expected) << c.m_name;
        CPosixSerialPort port(locks.Path());
        std::string error;
        EXPECT_EQ(OpenPort(port, pty.m_path, error), expected.empty()) << c.m_name;
        EXPECT_EQ(error, expected) << c.m_name;
        port.Close();
        // The lock files are other programs' business: left exactly as they were.
        EXPECT_EQ(std::filesystem::exists(lockFile), !c.m_lock.empty()) << c.m_name;
    }
}

class CRecordingEvents : public CLinkEvents {
public:
    std::vector<CPrompt> m_prompts;
    void OnStatus(const std::string&) override {}
    void OnProgress(int) override {}
    EPromptAnswer Ask(const CPrompt& prompt) override {
        m_prompts.push_back(prompt);
        return EPromptAnswer::Ok;
    }
    bool CancelRequested() override { return false; }
};

// "Could not Open the Port" keeps its text and names the port and the reason below it.
TEST(PortProbe, OpenFailureShowsThePortAndTheReasonOnASecondLine) {
    CTempDir locks;
    CHeldPty pty;
    WriteText(locks / pty.LockName(), "1\n");
    const struct {
        bool m_chinese;
        std::string m_port;
        std::string m_second;
    } cases[] = {
        {false, pty.m_path, pty.m_path + ": busy, held by process 1."},
        {true, pty.m_path, pty.m_path + ": 端口忙，被进程 1 占用。"},
        {false, locks / "ttyUSB9", locks / "ttyUSB9" + ": no such device."},
        {true, locks / "ttyUSB9", locks / "ttyUSB9" + ": 没有此设备。"},
    };
    for (const auto& c : cases) {
        CPosixSerialPort port(locks.Path());
        CRecordingEvents events;
        events.m_bChinese = c.m_chinese;
        CMemoryImage image = CMemoryImage::NewDocument();
        const auto result =
            RunTransfer(ETransferDirection::Read, port, c.m_port, image, events, {});
        const std::string shown =
            std::string(LoadString(IDS_OPEN_PORT_FAILED, c.m_chinese)) + "\n" + c.m_second;
        EXPECT_EQ(result.m_outcome, ETransferOutcome::PortUnavailable);
        EXPECT_EQ(result.m_message, shown);
        EXPECT_EQ(result.m_detail, c.m_second);
        ASSERT_EQ(events.m_prompts.size(), 1u);
        EXPECT_EQ(events.m_prompts[0].m_text, shown);
        EXPECT_EQ(events.m_prompts[0].m_detail, c.m_second);
        EXPECT_EQ(events.m_prompts[0].m_stringId, IDS_OPEN_PORT_FAILED);
    }

    // The same reason from a probe run by a user outside the dialout group.
    ASSERT_EQ(::fchmod(pty.m_slave, 0660), 0);
    std::filesystem::remove(locks / pty.LockName());
    EXPECT_EQ(RunAsOrdinaryUser([&] {
                  return ProbeReason(ProbeSerialPort(pty.m_path, locks.Path())) ==
                                 pty.m_path +
                                     ": permission denied; join the dialout group (sudo usermod "
                                     "-aG dialout $USER, then log in again)."
                             ? 0
                             : 1;
              }),
              0);
}

}  // namespace
