#include "sim/SimServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "util/File.h"

namespace {

// One character at 9600 baud 8N1: a start bit, 8 data bits and a stop bit.
constexpr std::chrono::nanoseconds kCharacterTime{1041667};
constexpr std::chrono::microseconds kSpinBeforeDue{300};

timespec ToTimespec(std::chrono::steady_clock::duration d) {
    if (d < std::chrono::steady_clock::duration::zero()) {
        d = std::chrono::steady_clock::duration::zero();
    }
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

}  // namespace

CSimPtyServer::~CSimPtyServer() {
    ReleaseSlave();
    if (m_master >= 0) {
        ::close(m_master);
    }
}

bool CSimPtyServer::Create(std::string& error) {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[256] = {};
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0) {
        error = "cannot create a pseudo-terminal: " + SystemReason(errno).m_en + ".";
        return false;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_strSlave = name;
    if (!HoldSlave()) {
        error = "cannot open " + m_strSlave + ": " + SystemReason(errno).m_en + ".";
        return false;
    }
    // Raw from the start, so nothing is echoed before the program configures the line.
    termios tio{};
    if (::tcgetattr(m_hold, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_hold, TCSANOW, &tio);
    }
    return true;
}

// Without a slave descriptor open the master reports a hang-up on every poll; holding one
// between programs keeps the loop quiet.
bool CSimPtyServer::HoldSlave() {
    if (m_hold < 0) {
        m_hold = ::open(m_strSlave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_hold >= 0) {
            ::tcflush(m_hold, TCIOFLUSH);
        }
    }
    return m_hold >= 0;
}

void CSimPtyServer::ReleaseSlave() {
    if (m_hold >= 0) {
        ::close(m_hold);
        m_hold = -1;
    }
}

bool CSimPtyServer::Inject(const std::vector<std::uint8_t>& bytes) {
    return m_master >= 0 &&
           ::write(m_master, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

void CSimPtyServer::Schedule(CClock::time_point receivedAt, const CSimReply& reply) {
    auto base = receivedAt + std::chrono::milliseconds(m_timing.m_nLatencyMs);
    if (reply.m_afterOneCharacter && !m_timing.m_bPace) {
        base += kCharacterTime;
    }
    for (std::uint8_t byte : reply.m_bytes) {
        CClock::time_point at = base;
        if (m_timing.m_bPace) {
            // Absolute schedule: a late wake-up delays one write, never the ones after it.
            m_txFree = std::max(m_txFree, base) + kCharacterTime;
            at = m_txFree;
        }
        m_tx.push_back({at, byte});
    }
}

CSimPtyServer::EEnd CSimPtyServer::Serve(int stopFd, bool once,
                                         const std::function<void()>& onSessionEnd) {
    if (m_master < 0) {
        return EEnd::Error;
    }
    // Sleeps end within microseconds instead of the default 50 us slack.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    bool session = false;
    int writtenAtStart = m_radio.m_nBlocksWritten;
    std::vector<std::uint8_t> out;
    for (;;) {
        auto now = CClock::now();
        while (!m_rx.empty() && m_rx.front().m_at <= now) {
            const CTimedByte in = m_rx.front();
            m_rx.pop_front();
            CSimReply reply;
            m_radio.Receive(in.m_byte, reply);
            if (reply.m_hangUp) {
                ReleaseSlave();
                ::close(m_master);
                m_master = -1;
                return EEnd::HungUp;
            }
            Schedule(in.m_at, reply);
        }
        out.clear();
        while (!m_tx.empty() && m_tx.front().m_at <= now) {
            out.push_back(m_tx.front().m_byte);
            m_tx.pop_front();
        }
        if (!out.empty()) {
            const ssize_t n = ::write(m_master, out.data(), out.size());
            const std::size_t sent = n > 0 ? static_cast<std::size_t>(n) : 0;
            for (std::size_t i = out.size(); i > sent; --i) {
                m_tx.push_front({now, out[i - 1]});  // the line is full; try again shortly
            }
        }

        CClock::time_point next = CClock::time_point::max();
        if (!m_rx.empty()) {
            next = m_rx.front().m_at;
        }
        if (!m_tx.empty()) {
            next = std::min(next, m_tx.front().m_at);
        }
        pollfd fds[2] = {{m_master, POLLIN, 0}, {stopFd, POLLIN, 0}};
        timespec ts{};
        now = CClock::now();
        const bool wait = next == CClock::time_point::max();
        if (!wait) {
            // Paced, the line's timing is the point: sleep until shortly before the next byte is
            // due and poll the rest of the way, since a timer wake-up can be late by far more
            // than the precision a 9600 baud schedule asks for.
            const auto early = m_timing.m_bPace ? kSpinBeforeDue : CClock::duration::zero();
            ts = ToTimespec(next - now > early ? next - now - early : CClock::duration::zero());
        }
        const int ready = ::ppoll(fds, 2, wait ? nullptr : &ts, nullptr);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return EEnd::Error;
        }
        if (fds[1].revents != 0) {
            return EEnd::Stopped;
        }
        if (fds[0].revents & POLLIN) {
            std::uint8_t buffer[512];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            now = CClock::now();
            for (ssize_t i = 0; i < n; ++i) {
                CClock::time_point at = now;
                if (m_timing.m_bPace) {
                    m_rxFree = std::max(m_rxFree, now) + kCharacterTime;
                    at = m_rxFree;
                }
                m_rx.push_back({at, buffer[i]});
            }
            if (n > 0 && !session) {
                session = true;
                ReleaseSlave();  // from now on, the program's close is our hang-up signal
            }
            continue;
        }
        if (fds[0].revents & (POLLHUP | POLLERR)) {
            if (!session) {
                // Nobody has the line and our own descriptor is gone: wait, do not spin.
                if (!HoldSlave()) {
                    timespec pause{0, 10000000};
                    ::nanosleep(&pause, nullptr);
                }
                continue;
            }
            session = false;
            m_rx.clear();
            m_tx.clear();
            m_radio.EndSession();
            HoldSlave();
            if (m_radio.m_nBlocksWritten != writtenAtStart && onSessionEnd) {
                onSessionEnd();
            }
            writtenAtStart = m_radio.m_nBlocksWritten;
            if (once) {
                return EEnd::SessionEnded;
            }
        }
    }
}

CResult<> CSimSerialPort::Open(const std::string&) {
    if (m_bHungUp) {
        return std::unexpected(CTexts::Same("the simulated radio hung up."));
    }
    m_bOpen = true;
    m_rx.clear();
    m_late.clear();
    m_radio.EndSession();
    return {};
}

bool CSimSerialPort::Write(const std::uint8_t* bytes, std::size_t count) {
    if (!m_bOpen || m_bHungUp) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        CSimReply reply;
        m_radio.Receive(bytes[i], reply);
        if (reply.m_hangUp) {
            m_bHungUp = true;
            return false;
        }
        auto& queue = reply.m_afterOneCharacter ? m_late : m_rx;
        queue.insert(queue.end(), reply.m_bytes.begin(), reply.m_bytes.end());
    }
    return true;
}

CReadResult CSimSerialPort::Read(std::uint8_t* buffer, std::size_t count) {
    CReadResult result;
    if (m_bHungUp) {
        result.m_status = EReadStatus::HangUp;
        return result;
    }
    m_rx.insert(m_rx.end(), m_late.begin(), m_late.end());
    m_late.clear();
    while (result.m_count < count && !m_rx.empty()) {
        buffer[result.m_count++] = m_rx.front();
        m_rx.pop_front();
    }
    return result;
}
