#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "util/Error.h"

// The result of one read: how many bytes arrived and how the read ended. A time-out is not an
// error (the protocol counts the bytes); a hang-up means the line is gone for good.
enum class EReadStatus { Ok, HangUp, Error };

struct CReadResult {
    std::size_t m_count = 0;
    EReadStatus m_status = EReadStatus::Ok;
};

// The open serial line one transfer runs over. Read time-outs: a read of n bytes returns when
// all n have arrived, when 30 ms pass between two bytes, or after 90 + 100*n ms in all.
class CSerialPort {
public:
    static constexpr int kIntervalTimeoutMs = 30;
    static constexpr int kTotalTimeoutConstantMs = 90;
    static constexpr int kTotalTimeoutPerByteMs = 100;

    virtual ~CSerialPort() = default;

    // Opens and configures (9600 baud 8N1, raw). The error is a sentence naming the reason.
    virtual CResult<> Open(const std::string& name) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Sends all bytes; returns false when the line refused them.
    virtual bool Write(const std::uint8_t* bytes, std::size_t count) = 0;
    virtual CReadResult Read(std::uint8_t* buffer, std::size_t count) = 0;
    // Start of a handshake attempt: abandon everything in flight.
    virtual void PurgeAll() = 0;
    // Before a request: forget stale received bytes.
    virtual void ClearBuffers() = 0;
    // The protocol's fixed pauses; a scripted port may skip them.
    virtual void Pause(int ms);
};

// The folder of UUCP lock files (LCK..ttyUSB0): $LH740_LOCK_DIR when set, else /var/lock.
std::string SerialLockDirectory();

// The UUCP lock file of a port in `lockDir`: LCK..ttyUSB0, LCK..pts_3.
std::string SerialLockFile(const std::string& path, const std::string& lockDir);

// Who holds a port by a UUCP lock file in `lockDir`: 0 when nobody does (no lock file, or a
// stale one of a process that has ended), the holder's pid, or -1 for a lock file that names
// no process.
int SerialLockHolder(const std::string& path, const std::string& lockDir);

// The process holding a flock on the open file `fd`, from `locksFile` (the system's list of
// locks); 0 when not found.
int SerialFlockHolder(int fd, const std::string& locksFile = "/proc/locks");

// A termios port: refuses a port that another program holds (a live UUCP lock file, flock, or
// the exclusive flag), then takes it for itself (flock and TIOCEXCL) and sets raw 9600 8N1
// without flow control; reads against a monotonic deadline with poll(), hang-up reported at
// once. Open's error is "PORT: reason", the second line of message 61451.
class CPosixSerialPort : public CSerialPort {
public:
    explicit CPosixSerialPort(std::string lockDir = SerialLockDirectory())
        : m_strLockDir(std::move(lockDir)) {}
    CPosixSerialPort(const CPosixSerialPort&) = delete;
    CPosixSerialPort& operator=(const CPosixSerialPort&) = delete;
    ~CPosixSerialPort() override;

    CResult<> Open(const std::string& name) override;
    void Close() override;
    bool IsOpen() const override { return m_fd >= 0; }
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    CReadResult Read(std::uint8_t* buffer, std::size_t count) override;
    void PurgeAll() override;
    void ClearBuffers() override;

private:
    std::string m_strLockDir;
    int m_fd = -1;
    bool m_bHungUp = false;
};

// A serial port the system knows of, for the port list.
struct CSerialPortInfo {
    std::string m_path;         // /dev/ttyUSB0
    std::string m_description;  // the adapter's product name or the driver, may be empty
};

// Serial ports from /sys/class/tty (devices with a driver; virtual consoles left out).
// `sysRoot` is for tests; the default is the system's.
std::vector<CSerialPortInfo> ListSerialPorts(const std::string& sysRoot = "/sys/class/tty");

// Whether a transfer could open the port now, found out without changing anything: the lock
// file, then open, flock and the exclusive flag are only looked at, the line settings and
// buffers are never touched, so a port in another program's use keeps its settings and its
// unread input. The error is "PORT: reason" as Open gives it.
CResult<> ProbeSerialPort(const std::string& path,
                          const std::string& lockDir = SerialLockDirectory());
