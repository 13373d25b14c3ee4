#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "link/SerialPort.h"

// Passes everything to another port and writes each operation, with every byte in and out,
// to a text file, one line each with the seconds since the port was opened:
//   0.012345 > 02           bytes sent
//   0.013400 < 06           bytes received (a read that brought nothing shows "<")
//   0.013401 purge | clear | pause 2 | open NAME | close | hang-up
class CTraceSerialPort : public CSerialPort {
public:
    CTraceSerialPort(CSerialPort& port, std::FILE* out) : m_port(port), m_out(out) {}

    CResult<> Open(const std::string& name) override;
    void Close() override;
    bool IsOpen() const override { return m_port.IsOpen(); }
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    CReadResult Read(std::uint8_t* buffer, std::size_t count) override;
    void PurgeAll() override;
    void ClearBuffers() override;
    void Pause(int ms) override;

private:
    void Line(const char* what, const std::uint8_t* bytes = nullptr, std::size_t count = 0);

    CSerialPort& m_port;
    std::FILE* m_out;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};
