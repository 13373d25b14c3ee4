#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/SerialPort.h"
#include "settings/Language.h"
#include "util/File.h"

namespace {

using CClock = std::chrono::steady_clock;

const CText kNoSuchDevice{"no such device", "没有此设备"};
const CText kPermissionDenied{
    "permission denied; join the dialout group (sudo usermod -aG dialout $USER, then log in "
    "again)",
    "权限不足，请把用户加入 dialout 组（sudo usermod -aG dialout $USER，然后重新登录）"};
const CText kInUse{"busy, in use by another program", "端口忙，正被其他程序使用"};
const CText kNotSerial{"not a serial port", "不是串口"};

CTexts HeldBy(int pid) {
    const std::string n = std::to_string(pid);
    return {"busy, held by process " + n, "端口忙，被进程 " + n + " 占用"};
}

CTexts LockedBy(const std::string& lockFile) {
    return {"busy, locked by " + lockFile, "端口忙，已被锁定：" + lockFile};
}

// The second line of message 61451: the port and why it cannot be used.
CTexts PortError(const std::string& name, const CTexts& reason) {
    return CTexts::Same(name + ": ") + reason + CTexts{".", "。"};
}

CTexts OpenError(const std::string& name, int err, int holder = 0) {
    switch (err) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
            return PortError(name, kNoSuchDevice);
        case EACCES:
        case EPERM:
            return PortError(name, kPermissionDenied);
        case EBUSY:
        case EWOULDBLOCK:
            return PortError(name, holder > 0 ? HeldBy(holder) : CTexts(kInUse));
        case ENOTTY:
            return PortError(name, kNotSerial);
        default:
            return PortError(name, SystemReason(err));
    }
}

}  // namespace

int SerialFlockHolder(int fd, const std::string& locksFile) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return 0;
    }
    std::ifstream in(locksFile);
    for (std::string line; std::getline(in, line);) {
        // "1: FLOCK  ADVISORY  WRITE 1234 00:05:87 0 EOF"; waiters are marked "->".
        std::istringstream fields(line);
        std::string number, type, mode, access, device;
        int pid = 0;
        if (line.find("->") != std::string::npos ||
            !(fields >> number >> type >> mode >> access >> pid >> device) || type != "FLOCK") {
            continue;
        }
        // "MAJOR:MINOR:INODE", the device numbers in hexadecimal.
        unsigned major = 0, minor = 0;
        unsigned long inode = 0;
        const char* at = device.data();
        const char* end = device.data() + device.size();
        auto next = [&](auto& value, int base, bool last) {
            const auto parsed = std::from_chars(at, end, value, base);
            const bool ok = parsed.ec == std::errc() &&
                            (last ? parsed.ptr == end : parsed.ptr != end && *parsed.ptr == ':');
            at = ok && !last ? parsed.ptr + 1 : end;
            return ok;
        };
        if (next(major, 16, false) && next(minor, 16, false) && next(inode, 10, true) &&
            major == ::major(st.st_dev) && minor == ::minor(st.st_dev) && inode == st.st_ino) {
            return pid;
        }
    }
    return 0;
}

namespace {

// LCK.. and the device's name below /dev, with '/' as '_': LCK..ttyUSB0, LCK..pts_3.
std::string LockFileName(const std::string& path) {
    char real[PATH_MAX];
    std::string name = ::realpath(path.c_str(), real) != nullptr ? real : path;
    if (name.starts_with("/dev/")) {
        name.erase(0, 5);
    } else if (const auto slash = name.rfind('/'); slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    std::ranges::replace(name, '/', '_');
    return "LCK.." + name;
}

// The pid a lock file holds: ten ASCII digits as most programs write it, or a binary int as
// old ones did. 0 when it holds none.
int ParseLockPid(const std::vector<std::uint8_t>& bytes) {
    const bool text = std::ranges::all_of(bytes, [](std::uint8_t b) {
        return b == '\n' || b == '\r' || b == '\t' || (b >= 0x20 && b < 0x7F);
    });
    if (bytes.size() == 4 && !text) {
        std::int32_t pid = 0;
        std::memcpy(&pid, bytes.data(), sizeof pid);
        return pid > 0 ? pid : 0;
    }
    const char* begin = reinterpret_cast<const char*>(bytes.data());
    const char* end = begin + bytes.size();
    while (begin != end && std::isspace(static_cast<unsigned char>(*begin))) {
        ++begin;
    }
    int pid = 0;
    const auto parsed = std::from_chars(begin, end, pid);
    return parsed.ec == std::errc() && pid > 0 ? pid : 0;
}

// Opens the port for a transfer or a probe, refusing it when another program holds it, and
// changing nothing on it: the caller configures it or closes it again.
int OpenUnused(const std::string& name, const std::string& lockDir, CTexts& error) {
    const std::string lockFile = lockDir + "/" + LockFileName(name);
    const int locker = SerialLockHolder(name, lockDir);
    if (locker != 0) {
        error = PortError(name, locker > 0 ? HeldBy(locker) : LockedBy(lockFile));
        return -1;
    }
    // Non-blocking so the open does not wait for a carrier; reads and writes use poll().
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = OpenError(name, errno);
        return -1;
    }
    // flock keeps out every program that asks, even one running as root, which TIOCEXCL
    // does not; TIOCEXCL keeps out those that do not ask.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        error = OpenError(name, err, err == EWOULDBLOCK ? SerialFlockHolder(fd) : 0);
        ::close(fd);
        return -1;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        error = OpenError(name, errno);
        ::close(fd);
        return -1;
    }
    // Root opens a port that another program made exclusive; it is still that program's.
    int exclusive = 0;
    if (::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0) {
        error = OpenError(name, EBUSY);
        ::close(fd);
        return -1;
    }
    return fd;
}

// Raw 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control, receiver on, modem lines
// ignored; reads are timed by poll(), so VMIN/VTIME ask for nothing.
void MakeRaw(termios& tio) {
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                     IXANY | INPCK | IUCLC | IMAXBEL);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
}

timespec ToTimespec(CClock::duration d) {
    if (d < CClock::duration::zero()) {
        d = CClock::duration::zero();
    }
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

}  // namespace

// The protocol's timing is its pauses: sleep to just short of the end, then wait out the
// rest, since a plain sleep overshoots a 1 ms pause by a tenth or more.
void CSerialPort::Pause(int ms) {
    if (ms <= 0) {
        return;
    }
    const auto deadline = CClock::now() + std::chrono::milliseconds(ms);
    const auto wake = deadline - std::chrono::microseconds(200);
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(wake.time_since_epoch()).count();
    const timespec at{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
    while (CClock::now() < deadline) {
    }
}

CPosixSerialPort::~CPosixSerialPort() {
    Close();
}

CResult<> CPosixSerialPort::Open(const std::string& name) {
    Close();
    CTexts error;
    const int fd = OpenUnused(name, m_strLockDir, error);
    if (fd < 0) {
        return std::unexpected(error);
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        error = OpenError(name, errno);
        ::close(fd);
        return std::unexpected(error);
    }
    MakeRaw(tio);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        error = OpenError(name, errno);
        ::close(fd);
        return std::unexpected(error);
    }
    ::ioctl(fd, TIOCEXCL);
    // USB adapters otherwise hold received bytes back for up to 16 ms; refused elsewhere.
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
    ::tcflush(fd, TCIOFLUSH);
    m_fd = fd;
    m_bHungUp = false;
    return {};
}

void CPosixSerialPort::Close() {
    if (m_fd < 0) {
        return;
    }
    // The exclusive flag outlives the descriptor on some drivers (pseudo-terminals).
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}

bool CPosixSerialPort::Write(const std::uint8_t* bytes, std::size_t count) {
    if (m_fd < 0 || m_bHungUp) {
        return false;
    }
    // The write time-out: 50 ms plus 50 ms per byte.
    const auto deadline = CClock::now() + std::chrono::milliseconds(50 + 50 * count);
    std::size_t sent = 0;
    while (sent < count) {
        const ssize_t n = ::write(m_fd, bytes + sent, count - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            if (errno == EIO) {
                m_bHungUp = true;
            }
            return false;
        }
        pollfd pfd{m_fd, POLLOUT, 0};
        const timespec ts = ToTimespec(deadline - CClock::now());
        if (ts.tv_sec == 0 && ts.tv_nsec == 0) {
            return false;
        }
        if (::ppoll(&pfd, 1, &ts, nullptr) < 0 && errno != EINTR) {
            return false;
        }
        if (pfd.revents & (POLLHUP | POLLERR)) {
            m_bHungUp = (pfd.revents & POLLHUP) != 0;
            return false;
        }
    }
    // A write returns once the bytes are on the line, as the protocol's timing assumes; a
    // later clear of the buffers must not discard them.
    ::tcdrain(m_fd);
    return true;
}

CReadResult CPosixSerialPort::Read(std::uint8_t* buffer, std::size_t count) {
    CReadResult result;
    if (m_fd < 0) {
        result.m_status = EReadStatus::Error;
        return result;
    }
    if (m_bHungUp) {
        result.m_status = EReadStatus::HangUp;
        return result;
    }
    const auto start = CClock::now();
    const auto total =
        start + std::chrono::milliseconds(kTotalTimeoutConstantMs + kTotalTimeoutPerByteMs * count);
    auto lastByte = start;
    while (result.m_count < count) {
        auto deadline = total;
        if (result.m_count > 0) {
            deadline = std::min(deadline, lastByte + std::chrono::milliseconds(kIntervalTimeoutMs));
        }
        // Past the deadline, one more look without waiting: bytes that came in while this
        // thread was not running (a busy machine) arrived in time and are taken.
        const bool late = CClock::now() >= deadline;
        pollfd pfd{m_fd, POLLIN, 0};
        const timespec ts = ToTimespec(deadline - CClock::now());
        const int ready = ::ppoll(&pfd, 1, &ts, nullptr);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.m_status = EReadStatus::Error;
            break;
        }
        if (ready == 0) {
            if (late) {
                break;
            }
            continue;
        }
        if (pfd.revents & POLLIN) {
            const ssize_t n = ::read(m_fd, buffer + result.m_count, count - result.m_count);
            if (n > 0) {
                result.m_count += static_cast<std::size_t>(n);
                lastByte = CClock::now();
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            // End of file or EIO on a terminal: the other end is gone.
            m_bHungUp = true;
            result.m_status = EReadStatus::HangUp;
            break;
        }
        if (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            m_bHungUp = (pfd.revents & POLLHUP) != 0;
            result.m_status = m_bHungUp ? EReadStatus::HangUp : EReadStatus::Error;
            break;
        }
    }
    return result;
}

// Writes return only once drained, so nothing of ours waits to be sent; flushing output as
// well would, on a pseudo-terminal, throw away bytes the other side has not read yet.
void CPosixSerialPort::PurgeAll() {
    if (m_fd >= 0) {
        ::tcflush(m_fd, TCIFLUSH);
    }
}

void CPosixSerialPort::ClearBuffers() {
    if (m_fd >= 0) {
        ::tcflush(m_fd, TCIFLUSH);
    }
}

std::vector<CSerialPortInfo> ListSerialPorts(const std::string& sysRoot) {
    namespace fs = std::filesystem;
    std::vector<CSerialPortInfo> ports;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysRoot, ec)) {
        const fs::path dir = entry.path();
        const std::string name = dir.filename().string();
        if (!fs::exists(dir / "device", ec)) {
            continue;  // virtual terminals, pseudo-terminals, the console
        }
        // The legacy UART driver lists ports that are not there; their type is 0 (unknown).
        if (fs::exists(dir / "type", ec) && ReadFirstLine(dir / "type") == "0") {
            continue;
        }
        CSerialPortInfo info;
        info.m_path = "/dev/" + name;
        fs::path device = fs::canonical(dir / "device", ec);
        for (int up = 0; !ec && up < 5 && !device.empty(); ++up, device = device.parent_path()) {
            if (fs::exists(device / "product", ec)) {
                const std::string maker = ReadFirstLine(device / "manufacturer");
                const std::string product = ReadFirstLine(device / "product");
                info.m_description = maker.empty() ? product : maker + " " + product;
                break;
            }
        }
        // Otherwise the driver's name; the serial core's own "port" and "ctrl" layers say
        // nothing, so look further up.
        device = fs::canonical(dir / "device", ec);
        for (int up = 0; info.m_description.empty() && !ec && up < 4 && !device.empty();
             ++up, device = device.parent_path()) {
            std::error_code driverError;
            const std::string driver =
                fs::canonical(device / "driver", driverError).filename().string();
            if (!driverError && driver != "port" && driver != "ctrl") {
                info.m_description = driver;
            }
        }
        ports.push_back(std::move(info));
    }
    std::ranges::sort(ports, {}, &CSerialPortInfo::m_path);
    return ports;
}

std::string SerialLockDirectory() {
    const char* dir = std::getenv("LH740_LOCK_DIR");
    return dir != nullptr && *dir != '\0' ? dir : "/var/lock";
}

std::string SerialLockFile(const std::string& path, const std::string& lockDir) {
    return lockDir + "/" + LockFileName(path);
}

int SerialLockHolder(const std::string& path, const std::string& lockDir) {
    const std::string lockFile = SerialLockFile(path, lockDir);
    struct stat st {};
    // No lock file, or a lock folder we may not look into: nothing to honour.
    if (::lstat(lockFile.c_str(), &st) != 0) {
        return 0;
    }
    auto bytes = ReadFileBytes(lockFile, 64);
    const int pid = bytes ? ParseLockPid(*bytes) : 0;
    if (pid <= 0) {
        return -1;
    }
    // A lock of a process that has ended is stale; one of another user's process is not.
    if (pid == ::getpid() || (::kill(pid, 0) != 0 && errno == ESRCH)) {
        return 0;
    }
    return pid;
}

CResult<> ProbeSerialPort(const std::string& path, const std::string& lockDir) {
    CTexts error;
    const int fd = OpenUnused(path, lockDir, error);
    if (fd < 0) {
        return std::unexpected(error);
    }
    ::close(fd);
    return {};
}
