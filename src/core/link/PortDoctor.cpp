#include "link/PortDoctor.h"

#include <fcntl.h>
#include <grp.h>
#include <limits.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <utility>

#include "image/MemoryImage.h"
#include "util/File.h"

namespace {

namespace fs = std::filesystem;

CTexts Same(const std::string& text) {
    return CTexts::Same(text);
}

CDoctorFinding Finding(const char* check, EDoctorStatus status, CTexts text, CTexts fix = {}) {
    return {check, status, std::move(text), std::move(fix)};
}

std::string ResolvePort(const std::string& port, const CDoctorRoots& roots) {
    return port.find('/') == std::string::npos ? roots.m_dev + "/" + port : port;
}

std::string RealPath(const std::string& path) {
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) != nullptr ? std::string(real) : path;
}

bool IsNumber(const std::string& text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

int ToInt(const std::string& text) {
    int value = -1;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    return parsed.ec == std::errc() && parsed.ptr == text.data() + text.size() ? value : -1;
}

std::string ProcessName(const CDoctorRoots& roots, int pid) {
    const std::string name = ReadFirstLine(roots.m_proc + "/" + std::to_string(pid) + "/comm");
    return name.empty() ? "?" : name;
}

// "COMM (pid N)"
std::string Process(const CDoctorRoots& roots, int pid) {
    return ProcessName(roots, pid) + " (pid " + std::to_string(pid) + ")";
}

// Every process of the tree but this one, by pid.
std::vector<int> Processes(const CDoctorRoots& roots) {
    std::vector<int> pids;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(roots.m_proc, ec)) {
        const std::string name = entry.path().filename().string();
        if (IsNumber(name) && ToInt(name) > 0 && ToInt(name) != ::getpid()) {
            pids.push_back(ToInt(name));
        }
    }
    std::ranges::sort(pids);
    return pids;
}

// Whether an open file's link names the port: by its path, or a device node with the same
// device number under another name.
bool LinkIsPort(const std::string& target, const std::string& realPort, const struct stat& port) {
    if (target == realPort) {
        return true;
    }
    struct stat st {};
    return S_ISCHR(port.st_mode) && target.starts_with("/dev/") &&
           ::stat(target.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == port.st_rdev;
}

// The processes with the port open, from their file descriptors; those whose descriptors may
// not be read are passed over.
std::vector<int> ProcessesWithPortOpen(const std::string& path, const struct stat& port,
                                       const CDoctorRoots& roots) {
    const std::string realPort = RealPath(path);
    std::vector<int> holders;
    for (const int pid : Processes(roots)) {
        std::error_code ec;
        for (const auto& fd :
             fs::directory_iterator(roots.m_proc + "/" + std::to_string(pid) + "/fd", ec)) {
            std::error_code linkError;
            const fs::path target = fs::read_symlink(fd.path(), linkError);
            if (!linkError && LinkIsPort(target.string(), realPort, port)) {
                holders.push_back(pid);
                break;
            }
        }
    }
    return holders;
}

std::vector<int> ProcessesNamed(const CDoctorRoots& roots, const std::string& name) {
    std::vector<int> pids;
    for (const int pid : Processes(roots)) {
        if (ReadFirstLine(roots.m_proc + "/" + std::to_string(pid) + "/comm") == name) {
            pids.push_back(pid);
        }
    }
    return pids;
}

bool AnyExists(const CDoctorRoots& roots, std::initializer_list<const char*> paths) {
    std::error_code ec;
    return std::ranges::any_of(paths,
                               [&](const char* p) { return fs::exists(roots.m_root + p, ec); });
}

// ---- 1. the port exists -------------------------------------------------------------------

CDoctorFinding CheckExists(const std::string& path, struct stat& st, bool& missing) {
    missing = false;
    if (::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR) {
            missing = true;
            return Finding(
                "port", EDoctorStatus::Problem,
                Same(path) + CTexts{" does not exist.", " 不存在。"},
                {"Plug the cable in and choose its port (lh740ctl ports lists them; USB cables "
                 "are /dev/ttyUSB* or /dev/ttyACM*).",
                 "插上写频线并选择它的端口（lh740ctl ports 可列出端口；USB 写频线为 /dev/ttyUSB* "
                 "或 "
                 "/dev/ttyACM*）。"});
        }
        return Finding("port", EDoctorStatus::Problem,
                       Same(path) + CTexts{" cannot be looked at: ", " 无法查看："} +
                           SystemReason(err) + CTexts{".", "。"});
    }
    if (!S_ISCHR(st.st_mode)) {
        return Finding("port", EDoctorStatus::Problem,
                       Same(path) + CTexts{" is not a serial port (not a character device).",
                                           " 不是串口（不是字符设备）。"},
                       {"Choose the cable's port, such as /dev/ttyUSB0.",
                        "请选择写频线的端口，例如 /dev/ttyUSB0。"});
    }
    return Finding(
        "port", EDoctorStatus::Ok,
        Same(path) + CTexts{" exists and is a character device.", " 存在，是字符设备。"});
}

// ---- 2. the user may open it --------------------------------------------------------------

std::string GroupName(gid_t gid) {
    std::array<char, 4096> buffer{};
    group g{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &g, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
        return found->gr_name;
    }
    return std::to_string(gid);
}

std::string UserName(gid_t* primary) {
    std::array<char, 4096> buffer{};
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &pw, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr) {
        *primary = found->pw_gid;
        return found->pw_name;
    }
    *primary = ::getegid();
    const char* user = std::getenv("USER");
    return user != nullptr && *user != '\0' ? user : "$USER";
}

bool ProcessInGroup(gid_t gid) {
    if (::getegid() == gid) {
        return true;
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    const int n = ::getgroups(static_cast<int>(groups.size()), groups.data());
    return n > 0 &&
           std::ranges::find(groups.begin(), groups.begin() + n, gid) != groups.begin() + n;
}

// The user's groups as the group database lists them now (a group joined after logging in is
// listed here but not in the process's groups).
bool UserListedInGroup(const std::string& user, gid_t primary, gid_t gid) {
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (::getgrouplist(user.c_str(), primary, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(user.c_str(), primary, groups.data(), &count) < 0) {
            return false;
        }
    }
    return std::ranges::find(groups.begin(), groups.begin() + count, gid) != groups.begin() + count;
}

CDoctorFinding CheckAccess(const std::string& path, const struct stat& st) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    int err = fd < 0 ? errno : 0;
    if (fd >= 0) {
        ::close(fd);
    }
    // A port in exclusive use refuses everyone; whether its modes let us in is another matter.
    if (err == EBUSY && ::faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) != 0) {
        err = errno;
    }
    if (err == 0 || err == EBUSY) {
        return Finding("access", EDoctorStatus::Ok,
                       CTexts{"You may open ", "你可以读写打开 "} + Same(path) +
                           CTexts{" for reading and writing.", "。"});
    }
    if (err != EACCES && err != EPERM) {
        return Finding("access", EDoctorStatus::Problem,
                       Same(path) + CTexts{" cannot be opened: ", " 无法打开："} +
                           SystemReason(err) + CTexts{".", "。"});
    }
    gid_t primary = 0;
    const std::string user = UserName(&primary);
    const std::string group = GroupName(st.st_gid);
    const bool groupMayUse = st.st_gid != 0 && (st.st_mode & S_IRGRP) && (st.st_mode & S_IWGRP);
    const CTexts denied = CTexts{"You may not open ", "你无权打开 "} + Same(path) +
                          CTexts{" (owner group " + group + ")", "（所属组 " + group + "）"};
    if (!groupMayUse) {
        return Finding(
            "access", EDoctorStatus::Problem,
            denied + CTexts{", and its group may not use it either.", "，该组也无权使用。"},
            {"Give the port to the dialout group with a udev rule: SUBSYSTEM==\"tty\", "
             "GROUP=\"dialout\", MODE=\"0660\"; then join that group.",
             "用 udev 规则把端口交给 dialout 组：SUBSYSTEM==\"tty\", GROUP=\"dialout\", "
             "MODE=\"0660\"；然后加入该组。"});
    }
    if (!ProcessInGroup(st.st_gid) && UserListedInGroup(user, primary, st.st_gid)) {
        return Finding("access", EDoctorStatus::Problem,
                       denied + CTexts{": you joined " + group + " after this session began.",
                                       "：你在本次登录之后才加入 " + group + " 组。"},
                       {"Log out and log in again (or run: newgrp " + group + ").",
                        "请注销后重新登录（或运行：newgrp " + group + "）。"});
    }
    return Finding("access", EDoctorStatus::Problem,
                   denied + CTexts{", and you are not in that group.", "，而你不在该组中。"},
                   {"sudo usermod -aG " + group + " " + user + ", then log out and log in again.",
                    "sudo usermod -aG " + group + " " + user + "，然后注销并重新登录。"});
}

// ---- 3. another program holds it ----------------------------------------------------------

std::vector<CDoctorFinding> CheckHolders(const std::string& path, const struct stat& st,
                                         const CDoctorRoots& roots) {
    std::vector<CDoctorFinding> findings;
    std::set<int> named;
    const std::string lockFile = SerialLockFile(path, roots.m_lockDir);
    if (const int locker = SerialLockHolder(path, roots.m_lockDir); locker > 0) {
        const std::string who = Process(roots, locker);
        named.insert(locker);
        findings.push_back(
            Finding("holder", EDoctorStatus::Problem,
                    Same(path) + CTexts{" is locked by " + who + ": " + lockFile + ".",
                                        " 被 " + who + " 锁定：" + lockFile + "。"},
                    {"Close " + ProcessName(roots, locker) + " (if it hangs: kill " +
                         std::to_string(locker) + ").",
                     "请关闭 " + ProcessName(roots, locker) + "（如果它无响应：kill " +
                         std::to_string(locker) + "）。"}));
    } else if (locker < 0) {
        findings.push_back(
            Finding("holder", EDoctorStatus::Problem,
                    Same(path) + CTexts{" has a lock file that names no process: " + lockFile + ".",
                                        " 的锁文件未指明进程：" + lockFile + "。"},
                    {"If no program uses the port: sudo rm " + lockFile,
                     "如果没有程序在使用该端口：sudo rm " + lockFile}));
    }
    for (const int pid : ProcessesWithPortOpen(path, st, roots)) {
        if (!named.insert(pid).second) {
            continue;
        }
        const std::string who = Process(roots, pid);
        findings.push_back(
            Finding("holder", EDoctorStatus::Problem,
                    Same(path) + CTexts{" is open in " + who + ".", " 正被 " + who + " 打开。"},
                    {"Close " + ProcessName(roots, pid) + " (if it hangs: kill " +
                         std::to_string(pid) + ").",
                     "请关闭 " + ProcessName(roots, pid) + "（如果它无响应：kill " +
                         std::to_string(pid) + "）。"}));
    }
    // flock and the exclusive flag are only looked at: the lock is dropped with the descriptor
    // and nothing else is touched.
    bool exclusive = false;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        exclusive = errno == EBUSY;
    } else {
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            const int pid = SerialFlockHolder(fd, roots.m_proc + "/locks");
            // An unknown holder counts as one, so the exclusive flag is not blamed on no one.
            if (named.insert(std::max(pid, 0)).second) {
                const std::string who = pid > 0 ? Process(roots, pid) : "another program";
                findings.push_back(Finding(
                    "holder", EDoctorStatus::Problem,
                    Same(path) + CTexts{" is locked (flock) by " + who + ".",
                                        " 被 " + (pid > 0 ? who : "其他程序") + " 锁定（flock）。"},
                    {"Close the program that uses the port.", "请关闭正在使用该端口的程序。"}));
            }
        }
        int on = 0;
        exclusive = ::ioctl(fd, TIOCGEXCL, &on) == 0 && on != 0;
        ::close(fd);
    }
    if (exclusive && named.empty()) {
        findings.push_back(Finding(
            "exclusive", EDoctorStatus::Problem,
            Same(path) + CTexts{" is marked for exclusive use, but no process that can be seen "
                                "has it open.",
                                " 被标记为独占使用，但看不到任何进程打开了它。"},
            {"Close the program that uses it; if none does, unplug the adapter and plug it in "
             "again.",
             "请关闭使用它的程序；如果没有，请拔下适配器再重新插上。"}));
    }
    if (findings.empty()) {
        findings.push_back(Finding("holder", EDoctorStatus::Ok,
                                   CTexts{"No other program holds ", "没有其他程序占用 "} +
                                       Same(path) + CTexts{".", "。"}));
    }
    return findings;
}

// ---- 4. services that grab USB serial adapters --------------------------------------------

std::vector<CDoctorFinding> CheckServices(const CDoctorRoots& roots, bool portMissing) {
    std::vector<CDoctorFinding> findings;
    const CTexts stopModemManager =
        CTexts::Same("sudo systemctl stop ModemManager && sudo systemctl mask ModemManager");
    const auto modemManager = ProcessesNamed(roots, "ModemManager");
    std::error_code ec;
    const bool mmMasked =
        fs::read_symlink(roots.m_root + "/etc/systemd/system/ModemManager.service", ec) ==
        "/dev/null";
    const bool mmInstalled =
        !modemManager.empty() ||
        AnyExists(roots, {"/usr/sbin/ModemManager", "/usr/bin/ModemManager", "/sbin/ModemManager",
                          "/lib/systemd/system/ModemManager.service",
                          "/usr/lib/systemd/system/ModemManager.service"});
    if (!modemManager.empty()) {
        const std::string who = Process(roots, modemManager.front());
        findings.push_back(Finding(
            "services", EDoctorStatus::Note,
            CTexts{who + " is running: it probes USB serial adapters as they are plugged in and "
                         "may hold the port for a while.",
                   who + " 正在运行：它会探测新插入的 USB 串口适配器，并可能占用端口一段时间。"},
            stopModemManager));
    } else if (mmInstalled && !mmMasked) {
        findings.push_back(Finding(
            "services", EDoctorStatus::Note,
            {"ModemManager is installed: when it runs it probes USB serial adapters as they are "
             "plugged in.",
             "已安装 ModemManager：它运行时会探测新插入的 USB 串口适配器。"},
            stopModemManager));
    } else if (mmInstalled) {
        findings.push_back(Finding(
            "services", EDoctorStatus::Ok,
            {"ModemManager is installed but masked.", "已安装 ModemManager，但已被屏蔽。"}));
    }

    const auto brltty = ProcessesNamed(roots, "brltty");
    const bool brlttyInstalled =
        !brltty.empty() || AnyExists(roots, {"/usr/bin/brltty", "/bin/brltty", "/usr/sbin/brltty",
                                             "/lib/udev/rules.d/85-brltty.rules",
                                             "/usr/lib/udev/rules.d/85-brltty.rules"});
    if (brlttyInstalled) {
        // Braille displays share their USB ids with common serial adapters; brltty claims them
        // and the adapter's port vanishes.
        const CTexts fix{
            "If no braille display is used: sudo apt remove brltty (or hide its rule: sudo ln -s "
            "/dev/null /etc/udev/rules.d/85-brltty.rules).",
            "如果不使用盲文显示器：sudo apt remove brltty（或屏蔽它的规则：sudo ln -s /dev/null "
            "/etc/udev/rules.d/85-brltty.rules）。"};
        if (!brltty.empty()) {
            const std::string who = Process(roots, brltty.front());
            findings.push_back(Finding(
                "services", EDoctorStatus::Problem,
                {who + " is running: it claims USB serial adapters that share ids with braille "
                       "displays, and their port disappears.",
                 who + " 正在运行：它会占用与盲文显示器 ID 相同的 USB 串口适配器，使其端口消失。"},
                fix));
        } else {
            findings.push_back(Finding(
                "services", portMissing ? EDoctorStatus::Problem : EDoctorStatus::Note,
                {"brltty is installed: when an adapter is plugged in it may claim it (it shares "
                 "ids with braille displays) and the port disappears.",
                 "已安装 brltty：插入适配器时它可能会占用它（与盲文显示器 ID "
                 "相同），端口随之消失。"},
                fix));
        }
    }
    if (findings.empty()) {
        findings.push_back(Finding(
            "services", EDoctorStatus::Ok,
            {"Neither ModemManager nor brltty is installed.", "未安装 ModemManager 或 brltty。"}));
    }
    return findings;
}

// ---- 5. the adapter's driver and latency timer --------------------------------------------

std::vector<CDoctorFinding> CheckAdapter(const std::string& path, const CDoctorRoots& roots) {
    // /dev/serial/by-id/... links to the node; a fake tree's node may link to anything.
    std::error_code ec;
    std::string name = fs::path(RealPath(path)).filename().string();
    if (!fs::exists(roots.m_sys + "/class/tty/" + name, ec)) {
        name = fs::path(path).filename().string();
    }
    const std::string classDir = roots.m_sys + "/class/tty/" + name;
    if (!fs::exists(classDir + "/device", ec)) {
        return {};  // not a hardware port: a pseudo-terminal or a virtual one
    }
    const std::string driver = fs::canonical(classDir + "/device/driver", ec).filename().string();
    const std::string shown = driver.empty() ? "?" : driver;
    const std::string timerFile =
        roots.m_sys + "/bus/usb-serial/devices/" + name + "/latency_timer";
    if (!fs::exists(timerFile, ec)) {
        return {Finding("adapter", EDoctorStatus::Ok,
                        Same(path) + CTexts{": driver " + shown + ".", "：驱动 " + shown + "。"})};
    }
    const int ms = ToInt(ReadFirstLine(timerFile));
    if (ms < 0) {
        return {Finding("adapter", EDoctorStatus::Note,
                        Same(path) + CTexts{": driver " + shown +
                                                "; its latency timer cannot be "
                                                "read.",
                                            "：驱动 " + shown + "；无法读取其延迟定时器。"})};
    }
    const std::string timer = std::to_string(ms) + " ms";
    if (ms <= 1) {
        return {Finding(
            "adapter", EDoctorStatus::Ok,
            Same(path) + CTexts{": USB adapter, driver " + shown + ", latency timer " + timer + ".",
                                "：USB 适配器，驱动 " + shown + "，延迟定时器 " + timer + "。"})};
    }
    // Each block of a read waits for the timer before its answer is passed on.
    const long long cost = static_cast<long long>(ReadBlocks().size()) * ms;
    const std::string seconds = std::to_string((cost + 500) / 1000) + " s";
    const std::string rule = "ACTION==\"add\", SUBSYSTEM==\"usb-serial\", DRIVER==\"" + shown +
                             "\", ATTR{latency_timer}=\"1\"";
    return {
        Finding("adapter", EDoctorStatus::Note,
                Same(path) + CTexts{": USB adapter, driver " + shown + ", latency timer " + timer +
                                        ": a read can take up to " + seconds + " longer.",
                                    "：USB 适配器，驱动 " + shown + "，延迟定时器 " + timer +
                                        "：读频最多可能多用 " + seconds + "。"},
                CTexts{"Set 1 ms with a udev rule, then plug the adapter in again: echo '",
                       "用 udev 规则设为 1 ms，然后重新插上适配器：echo '"} +
                    Same(rule + "' | sudo tee /etc/udev/rules.d/99-usb-serial-latency.rules"))};
}

// ---- 6. loopback ---------------------------------------------------------------------------

CDoctorFinding CheckLoopback(const std::string& path, const CDoctorRoots& roots) {
    // Both flow-control characters and both line ends: a port not fully raw changes them.
    static constexpr std::array<std::uint8_t, 16> kPattern = {
        0x55, 0xAA, 0x00, 0xFF, 'L', 'H', '7', '4', '0', 0x11, 0x13, 0x0D, 0x0A, 0x7F, 0x80, 0x03};
    CPosixSerialPort port(roots.m_lockDir);
    if (auto opened = port.Open(path); !opened) {
        return Finding(
            "loopback", EDoctorStatus::Problem,
            CTexts{"The loopback test could not open the port: ", "环回测试无法打开端口："} +
                opened.error().m_text,
            {"Mend what the checks above found first.", "请先解决上面检查发现的问题。"});
    }
    port.ClearBuffers();
    std::array<std::uint8_t, kPattern.size() + 1> echo{};
    if (!port.Write(kPattern.data(), kPattern.size())) {
        return Finding(
            "loopback", EDoctorStatus::Problem,
            {"The loopback test could not send on the port.", "环回测试无法在端口上发送。"},
            {"Unplug the adapter and plug it in again.", "请拔下适配器再重新插上。"});
    }
    const CReadResult got = port.Read(echo.data(), kPattern.size());
    // Anything after the pattern is noise on the line.
    const CReadResult more =
        got.m_count == kPattern.size() ? port.Read(echo.data() + got.m_count, 1) : CReadResult{};
    const std::string sent = std::to_string(kPattern.size());
    if (got.m_count == 0) {
        return Finding(
            "loopback", EDoctorStatus::Problem,
            {"No echo: none of the " + sent + " bytes sent at 9600 baud came back.",
             "无回环：以 9600 波特率发送的 " + sent + " 个字节一个也没有返回。"},
            {"Join the cable's TX and RX (at the radio plug) and try again; if they are joined, "
             "the cable or the adapter is faulty.",
             "在电台插头处连接写频线的 TX 与 RX 后重试；如果已连接，则写频线或适配器有故障。"});
    }
    const bool same = got.m_count == kPattern.size() && more.m_count == 0 &&
                      std::equal(kPattern.begin(), kPattern.end(), echo.begin());
    if (!same) {
        const std::string n = std::to_string(got.m_count + more.m_count);
        return Finding(
            "loopback", EDoctorStatus::Problem,
            {"Garbled echo: " + n + " bytes came back for the " + sent + " sent, not the same.",
             "回环数据错乱：发送 " + sent + " 个字节，返回 " + n + " 个，内容不同。"},
            {"Check the cable's wiring and plug; try another adapter.",
             "请检查写频线的接线和插头；换一个适配器试试。"});
    }
    return Finding("loopback", EDoctorStatus::Ok,
                   {"Echo ok: the " + sent + " bytes sent at 9600 baud came back unchanged.",
                    "回环正常：以 9600 波特率发送的 " + sent + " 个字节原样返回。"});
}

}  // namespace

std::vector<CDoctorFinding> CheckPortHolders(const std::string& port, const CDoctorRoots& roots) {
    const std::string path = ResolvePort(port, roots);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return {};
    }
    return CheckHolders(path, st, roots);
}

std::vector<CDoctorFinding> RunPortDoctor(const std::string& port, const CDoctorRoots& roots,
                                          const CDoctorOptions& options) {
    const std::string path = ResolvePort(port, roots);
    std::vector<CDoctorFinding> findings;
    struct stat st {};
    bool portMissing = false;
    findings.push_back(CheckExists(path, st, portMissing));
    const bool exists = findings.back().m_status == EDoctorStatus::Ok;
    if (exists) {
        findings.push_back(CheckAccess(path, st));
        for (auto& finding : CheckHolders(path, st, roots)) {
            findings.push_back(std::move(finding));
        }
    }
    for (auto& finding : CheckServices(roots, portMissing)) {
        findings.push_back(std::move(finding));
    }
    if (exists) {
        for (auto& finding : CheckAdapter(path, roots)) {
            findings.push_back(std::move(finding));
        }
        if (options.m_bLoopback) {
            findings.push_back(CheckLoopback(path, roots));
        }
    }
    return findings;
}

bool HasProblem(const std::vector<CDoctorFinding>& findings) {
    return std::ranges::any_of(
        findings, [](const CDoctorFinding& f) { return f.m_status == EDoctorStatus::Problem; });
}

const char* DoctorStatusName(EDoctorStatus status, bool chinese) {
    switch (status) {
        case EDoctorStatus::Problem:
            return chinese ? "问题" : "problem";
        case EDoctorStatus::Note:
            return chinese ? "提示" : "note";
        default:
            return chinese ? "正常" : "ok";
    }
}

std::string DoctorFindingLines(const CDoctorFinding& finding, bool chinese) {
    std::string status = DoctorStatusName(finding.m_status, chinese);
    // Seven columns: the widest English name; each Chinese name is two wide characters.
    status += chinese ? std::string(3, ' ') : std::string(7 - status.size(), ' ');
    std::string lines = status + "  " + finding.m_text.Get(chinese);
    if (!finding.m_fix.empty()) {
        lines +=
            "\n         " + std::string(chinese ? "解决：" : "fix: ") + finding.m_fix.Get(chinese);
    }
    return lines;
}
