#include "link/PortDoctor.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "support/PortOpen.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// A pseudo-terminal; the slave side is the port under test, opened only when asked.
class CPty {
public:
    explicit CPty(bool openSlave) {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        EXPECT_GE(m_master, 0);
        EXPECT_EQ(::grantpt(m_master), 0);
        EXPECT_EQ(::unlockpt(m_master), 0);
        m_path = ::ptsname(m_master);
        if (openSlave) {
            m_slave = ::open(m_path.c_str(), O_RDWR | O_NOCTTY);
            EXPECT_GE(m_slave, 0);
        }
    }
    ~CPty() {
        if (m_slave >= 0) {
            ::close(m_slave);
        }
        ::close(m_master);
    }
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

// Another process, named "lh740holder", that opens `port` when given one (and with `lock`, takes
// a flock and the exclusive flag) and waits until killed.
class CHolder {
public:
    CHolder(const std::string& port, bool lock) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::prctl(PR_SET_NAME, "lh740holder");
            const int fd = port.empty() ? 0 : ::open(port.c_str(), O_RDWR | O_NOCTTY);
            const bool locked = !lock || (::flock(fd, LOCK_EX) == 0 && ::ioctl(fd, TIOCEXCL) == 0);
            const char ok = fd >= 0 && locked ? '1' : '0';
            (void)::write(ready[1], &ok, 1);
            for (;;) {
                ::pause();
            }
        }
        ::close(ready[1]);
        char ok = 0;
        EXPECT_EQ(::read(ready[0], &ok, 1), 1);
        EXPECT_EQ(ok, '1');
        ::close(ready[0]);
    }
    ~CHolder() {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    pid_t m_pid = -1;
};

std::vector<CDoctorFinding> Of(const std::vector<CDoctorFinding>& findings, const char* check) {
    std::vector<CDoctorFinding> out;
    for (const auto& f : findings) {
        if (f.m_check == check) {
            out.push_back(f);
        }
    }
    return out;
}

std::string Dump(const std::vector<CDoctorFinding>& findings) {
    std::string text;
    for (const auto& f : findings) {
        text += DoctorFindingLines(f, false) + "\n";
    }
    return text;
}

CDoctorRoots FakeRoots(const CTempDir& dir) {
    CDoctorRoots roots;
    for (const char* sub : {"dev", "sys", "proc", "root", "lock"}) {
        fs::create_directories(dir / sub);
    }
    roots.m_dev = dir / "dev";
    roots.m_sys = dir / "sys";
    roots.m_proc = dir / "proc";
    roots.m_root = dir / "root";
    roots.m_lockDir = dir / "lock";
    return roots;
}

void MakeFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    WriteText(path, text);
}

TEST(PortDoctor, NamesWhoHoldsThePort) {
    struct {
        const char* m_name;
        int m_child;         // 1: opens the port, 2: also locks it, out of the doctor's sight
        const char* m_lock;  // "": none, "child": the child's pid, else the contents
        bool m_exclusiveLeft;
        EDoctorStatus m_status;
        std::string m_text;  // PID stands for the child's pid, LOCK for the lock file
    } cases[] = {
        {"free", 0, "", false, EDoctorStatus::Ok, "No other program holds PORT."},
        {"open in another process", 1, "", false, EDoctorStatus::Problem,
         "PORT is open in lh740holder (pid PID)."},
        {"lock file of a live process", 0, "child", false, EDoctorStatus::Problem,
         "PORT is locked by lh740holder (pid PID): LOCK."},
        // The lock's holder also has it open: named once.
        {"locked and open", 1, "child", false, EDoctorStatus::Problem,
         "PORT is locked by lh740holder (pid PID): LOCK."},
        {"lock naming no process", 0, "garbage\n", false, EDoctorStatus::Problem,
         "PORT has a lock file that names no process: LOCK."},
        // An unknown flock holder, not the exclusive flag it also set, is blamed.
        {"flock by an unseen process", 2, "", false, EDoctorStatus::Problem,
         "PORT is locked (flock) by another program."},
        {"exclusive flag left set", 0, "", true, EDoctorStatus::Problem,
         "PORT is marked for exclusive use, but no process that can be seen has it open."},
    };
    for (const auto& c : cases) {
        CTempDir locks;
        CPty pty(c.m_exclusiveLeft);
        if (c.m_exclusiveLeft) {
            ASSERT_EQ(::ioctl(pty.m_slave, TIOCEXCL), 0);
            ::close(pty.m_slave);
            pty.m_slave = -1;
        }
        CHolder holder(c.m_child > 0 ? pty.m_path : "", c.m_child == 2);
        CDoctorRoots roots;
        roots.m_lockDir = locks.Path();
        if (c.m_child == 2) {
            roots.m_proc = locks.Path();  // no processes, no list of locks
        }
        const std::string lockFile = SerialLockFile(pty.m_path, locks.Path());
        if (std::string(c.m_lock) == "child") {
            WriteText(lockFile, std::to_string(holder.m_pid) + "\n");
        } else if (*c.m_lock != '\0') {
            WriteText(lockFile, c.m_lock);
        }
        std::string expected = c.m_text;
        for (const auto& [key, value] : {std::pair<std::string, std::string>{"PORT", pty.m_path},
                                         {"PID", std::to_string(holder.m_pid)},
                                         {"LOCK", lockFile}}) {
            if (const auto at = expected.find(key); at != std::string::npos) {
                expected.replace(at, key.size(), value);
            }
        }
        const auto findings = CheckPortHolders(pty.m_path, roots);
        ASSERT_EQ(findings.size(), 1u) << c.m_name << "\n" << Dump(findings);
        EXPECT_EQ(findings[0].m_status, c.m_status) << c.m_name;
        EXPECT_EQ(findings[0].m_text.m_en, expected) << c.m_name;
        EXPECT_EQ(findings[0].m_fix.empty(), c.m_status == EDoctorStatus::Ok) << c.m_name;
        // Looking changes nothing: the lock file stays, the port can still be had.
        EXPECT_EQ(fs::exists(lockFile), *c.m_lock != '\0') << c.m_name;
    }
}

TEST(PortDoctor, ExplainsAPortTheUserMayNotOpen) {
    CPty pty(true);
    // The port's group, as a serial port's would be: one the ordinary user is not in.
    const group* dialout = ::getgrnam("dialout");
    const gid_t gid = dialout != nullptr ? dialout->gr_gid : 20;
    ASSERT_EQ(::fchown(pty.m_slave, 0, gid), 0);
    const group* g = ::getgrgid(gid);
    const passwd* nobody = ::getpwuid(65534);
    ASSERT_NE(nobody, nullptr);
    const std::string groupName = g != nullptr ? g->gr_name : std::to_string(gid);
    const std::string userName = nobody->pw_name;
    const struct {
        mode_t m_mode;
        std::string m_fix;
    } cases[] = {
        {0660,
         "sudo usermod -aG " + groupName + " " + userName + ", then log out and log in again."},
        {0600,
         "Give the port to the dialout group with a udev rule: SUBSYSTEM==\"tty\", "
         "GROUP=\"dialout\", MODE=\"0660\"; then join that group."},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(::fchmod(pty.m_slave, c.m_mode), 0);
        CTempDir locks;
        CDoctorRoots roots;
        roots.m_lockDir = locks.Path();
        EXPECT_EQ(RunAsOrdinaryUser([&] {
                      const auto access = Of(RunPortDoctor(pty.m_path, roots), "access");
                      if (access.size() == 1 && access[0].m_status == EDoctorStatus::Problem &&
                          access[0].m_text.m_en.starts_with("You may not open " + pty.m_path +
                                                            " (owner group " + groupName + ")") &&
                          access[0].m_fix.m_en == c.m_fix) {
                          return 0;
                      }
                      std::fprintf(stderr, "%s", Dump(access).c_str());
                      return 1;
                  }),
                  0)
            << c.m_mode;
    }
}

TEST(PortDoctor, AMissingPortAndTheServicesThatGrabAdapters) {
    const std::string stop = "sudo systemctl stop ModemManager && sudo systemctl mask ModemManager";
    const std::string mmBinary = "root/usr/sbin/ModemManager";
    const struct {
        std::vector<std::string> m_files;  // "PATH" (empty), "PATH=comm" or "PATH->target"
        std::vector<std::pair<EDoctorStatus, std::string>> m_services;  // status, text start
        std::string m_fix;                                              // of the first
    } cases[] = {
        {{}, {{EDoctorStatus::Ok, "Neither ModemManager nor brltty is installed."}}, ""},
        {{mmBinary}, {{EDoctorStatus::Note, "ModemManager is installed: "}}, stop},
        {{mmBinary, "root/etc/systemd/system/ModemManager.service->/dev/null"},
         {{EDoctorStatus::Ok, "ModemManager is installed but masked."}},
         ""},
        {{"proc/4242/comm=ModemManager"},
         {{EDoctorStatus::Note, "ModemManager (pid 4242) is running: "}},
         stop},
        // The port is missing: brltty has most likely taken the adapter.
        {{mmBinary, "root/usr/lib/udev/rules.d/85-brltty.rules"},
         {{EDoctorStatus::Note, "ModemManager is installed: "},
          {EDoctorStatus::Problem, "brltty is installed: "}},
         stop},
        {{"proc/77/comm=brltty"},
         {{EDoctorStatus::Problem, "brltty (pid 77) is running: "}},
         "If no braille display is used: sudo apt remove brltty (or hide its rule: sudo ln -s "
         "/dev/null /etc/udev/rules.d/85-brltty.rules)."},
    };
    for (const auto& c : cases) {
        CTempDir dir;
        const CDoctorRoots roots = FakeRoots(dir);
        for (const std::string& file : c.m_files) {
            if (const auto link = file.find("->"); link != std::string::npos) {
                fs::create_directories(fs::path(dir / file.substr(0, link)).parent_path());
                fs::create_symlink(file.substr(link + 2), dir / file.substr(0, link));
            } else {
                const auto eq = file.find('=');
                MakeFile(dir / file.substr(0, eq),
                         eq == std::string::npos ? "" : file.substr(eq + 1));
            }
        }
        const auto findings = RunPortDoctor("ttyUSB9", roots);
        const std::string name = c.m_files.empty() ? "none" : c.m_files.back();
        ASSERT_GE(findings.size(), 2u) << name;
        EXPECT_EQ(findings[0].m_status, EDoctorStatus::Problem);
        EXPECT_EQ(findings[0].m_text.m_en, roots.m_dev + "/ttyUSB9 does not exist.");
        EXPECT_EQ(findings[0].m_text.m_zh, roots.m_dev + "/ttyUSB9 不存在。");
        // Nothing else is asked of a port that is not there.
        const auto services = Of(findings, "services");
        ASSERT_EQ(services.size() + 1, findings.size()) << name << "\n" << Dump(findings);
        ASSERT_EQ(services.size(), c.m_services.size()) << name << "\n" << Dump(findings);
        for (std::size_t i = 0; i < services.size(); ++i) {
            EXPECT_EQ(services[i].m_status, c.m_services[i].first) << name;
            EXPECT_TRUE(services[i].m_text.m_en.starts_with(c.m_services[i].second))
                << name << ": " << services[i].m_text.m_en;
        }
        EXPECT_EQ(services[0].m_fix.m_en, c.m_fix) << name;
    }
}

TEST(PortDoctor, AdapterDriverAndLatencyTimer) {
    const std::string rule =
        "echo 'ACTION==\"add\", SUBSYSTEM==\"usb-serial\", DRIVER==\"ftdi_sio\", "
        "ATTR{latency_timer}=\"1\"' | sudo tee /etc/udev/rules.d/99-usb-serial-latency.rules";
    const struct {
        const char* m_driver;
        const char* m_timer;  // nullptr: no latency timer (not a usb-serial adapter)
        EDoctorStatus m_status;
        std::string m_text;  // after "PORT: "
        std::string m_fixEnd;
    } cases[] = {
        {"ftdi_sio", "16\n", EDoctorStatus::Note,
         "USB adapter, driver ftdi_sio, latency timer 16 ms: a read can take up to 8 s longer.",
         rule},
        {"ftdi_sio", "1\n", EDoctorStatus::Ok, "USB adapter, driver ftdi_sio, latency timer 1 ms.",
         ""},
        {"cdc_acm", nullptr, EDoctorStatus::Ok, "driver cdc_acm.", ""},
        {"ftdi_sio", "fast\n", EDoctorStatus::Note,
         "driver ftdi_sio; its latency timer cannot be read.", ""},
    };
    CPty pty(false);
    for (const auto& c : cases) {
        CTempDir dir;
        const CDoctorRoots roots = FakeRoots(dir);
        // The node stands for the pseudo-terminal; sysfs describes it as a USB adapter.
        fs::create_symlink(pty.m_path, roots.m_dev + "/ttyUSB0");
        const std::string device = roots.m_sys + "/devices/usb1/1-1/ttyUSB0";
        const std::string driver = roots.m_sys + "/bus/usb-serial/drivers/" + c.m_driver;
        fs::create_directories(device);
        fs::create_directories(driver);
        fs::create_directories(roots.m_sys + "/class/tty/ttyUSB0");
        fs::create_symlink(device, roots.m_sys + "/class/tty/ttyUSB0/device");
        fs::create_symlink(driver, device + "/driver");
        if (c.m_timer != nullptr) {
            MakeFile(roots.m_sys + "/bus/usb-serial/devices/ttyUSB0/latency_timer", c.m_timer);
        }
        const auto adapter = Of(RunPortDoctor("ttyUSB0", roots), "adapter");
        ASSERT_EQ(adapter.size(), 1u) << c.m_driver;
        EXPECT_EQ(adapter[0].m_status, c.m_status) << c.m_text;
        EXPECT_EQ(adapter[0].m_text.m_en, roots.m_dev + "/ttyUSB0: " + c.m_text);
        EXPECT_TRUE(adapter[0].m_fix.m_en.ends_with(c.m_fixEnd)) << adapter[0].m_fix.m_en;
        EXPECT_EQ(adapter[0].m_fix.empty(), c.m_fixEnd.empty());
    }
    // A pseudo-terminal is no adapter: nothing to say.
    CTempDir dir;
    EXPECT_TRUE(Of(RunPortDoctor(pty.m_path, FakeRoots(dir)), "adapter").empty());
}

TEST(PortDoctor, LoopbackEchoesThePatternBack) {
    const struct {
        const char* m_name;
        int m_echo;  // -1 silent, else XORed into each byte sent back
        EDoctorStatus m_status;
        const char* m_text;
    } cases[] = {
        {"joined", 0, EDoctorStatus::Ok,
         "Echo ok: the 16 bytes sent at 9600 baud came back unchanged."},
        {"silent", -1, EDoctorStatus::Problem,
         "No echo: none of the 16 bytes sent at 9600 baud came back."},
        {"garbled", 0x20, EDoctorStatus::Problem,
         "Garbled echo: 16 bytes came back for the 16 sent, not the same."},
    };
    for (const auto& c : cases) {
        CTempDir locks;
        CPty pty(true);
        std::atomic<bool> stop{false};
        std::thread echo([&] {
            while (c.m_echo >= 0 && !stop) {
                pollfd pfd{pty.m_master, POLLIN, 0};
                if (::poll(&pfd, 1, 20) == 1 && (pfd.revents & POLLIN)) {
                    unsigned char buffer[64];
                    const ssize_t n = ::read(pty.m_master, buffer, sizeof buffer);
                    for (ssize_t i = 0; i < n; ++i) {
                        buffer[i] ^= static_cast<unsigned char>(c.m_echo);
                    }
                    if (n > 0) {
                        EXPECT_EQ(::write(pty.m_master, buffer, static_cast<std::size_t>(n)), n);
                    }
                }
            }
        });
        CDoctorRoots roots;
        roots.m_lockDir = locks.Path();
        const auto loopback =
            Of(RunPortDoctor(pty.m_path, roots, {.m_bLoopback = true}), "loopback");
        stop = true;
        echo.join();
        ASSERT_EQ(loopback.size(), 1u) << c.m_name;
        EXPECT_EQ(loopback[0].m_status, c.m_status) << c.m_name;
        EXPECT_EQ(loopback[0].m_text.m_en, c.m_text) << c.m_name;
    }
}

}  // namespace
