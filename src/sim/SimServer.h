#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/SerialPort.h"
#include "sim/SimRadio.h"

// How the simulated radio's line behaves in time.
struct CSimTiming {
    bool m_bPace = false;  // hold both directions to 9600 baud 8N1
    int m_nLatencyMs = 0;  // delay before each answer
};

// Serves a CSimRadio on a pseudo-terminal. The program under test opens SlavePath() like a
// serial port.
class CSimPtyServer {
public:
    CSimPtyServer(CSimRadio& radio, CSimTiming timing) : m_radio(radio), m_timing(timing) {}
    CSimPtyServer(const CSimPtyServer&) = delete;
    CSimPtyServer& operator=(const CSimPtyServer&) = delete;
    ~CSimPtyServer();

    bool Create(std::string& error);
    const std::string& SlavePath() const { return m_strSlave; }
    // Puts bytes on the line at once, outside any answer, as a radio switched on in the middle
    // of a line or a noisy cable leaves them waiting in the port.
    bool Inject(const std::vector<std::uint8_t>& bytes);

    enum class EEnd { Stopped, SessionEnded, HungUp, Error };
    // Serves until `stopFd` becomes readable, until a session ends (a program that sent
    // something closed the port) when `once`, or until a hang-up fault drops the line.
    // `onSessionEnd` runs after every session that wrote to the radio's memory.
    EEnd Serve(int stopFd, bool once, const std::function<void()>& onSessionEnd);

private:
    using CClock = std::chrono::steady_clock;
    struct CTimedByte {
        CClock::time_point m_at;
        std::uint8_t m_byte;
    };
    bool HoldSlave();
    void ReleaseSlave();
    void Schedule(CClock::time_point receivedAt, const CSimReply& reply);

    CSimRadio& m_radio;
    CSimTiming m_timing;
    int m_master = -1;
    int m_hold = -1;  // our own slave descriptor while no program has the port
    std::string m_strSlave;
    std::deque<CTimedByte> m_rx;  // received, processed when the wire would have delivered it
    std::deque<CTimedByte> m_tx;  // answers, written when the wire would have carried them
    CClock::time_point m_rxFree{};
    CClock::time_point m_txFree{};
};

// An in-process radio behind the serial port interface, for demos ("--port sim"): answers
// come at once, nothing waits for a wire.
class CSimSerialPort : public CSerialPort {
public:
    explicit CSimSerialPort(CSimRadio& radio) : m_radio(radio) {}

    CResult<> Open(const std::string& name) override;
    void Close() override { m_bOpen = false; }
    bool IsOpen() const override { return m_bOpen; }
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    CReadResult Read(std::uint8_t* buffer, std::size_t count) override;
    void PurgeAll() override { m_rx.clear(); }
    void ClearBuffers() override { m_rx.clear(); }

private:
    CSimRadio& m_radio;
    bool m_bOpen = false;
    bool m_bHungUp = false;
    std::deque<std::uint8_t> m_rx;
    std::deque<std::uint8_t> m_late;  // arrives at the next read
};
