#include "link/TracePort.h"

#include "util/Number.h"

CResult<> CTraceSerialPort::Open(const std::string& name) {
    m_start = std::chrono::steady_clock::now();
    auto opened = m_port.Open(name);
    Line(("open " + name + (opened ? "" : " failed: " + opened.error().Text(false))).c_str());
    return opened;
}

void CTraceSerialPort::Close() {
    if (m_port.IsOpen()) {
        Line("close");
    }
    m_port.Close();
    std::fflush(m_out);
}

bool CTraceSerialPort::Write(const std::uint8_t* bytes, std::size_t count) {
    const bool ok = m_port.Write(bytes, count);
    Line(ok ? ">" : "> (failed)", bytes, count);
    return ok;
}

CReadResult CTraceSerialPort::Read(std::uint8_t* buffer, std::size_t count) {
    const CReadResult r = m_port.Read(buffer, count);
    Line("<", buffer, r.m_count);
    if (r.m_status == EReadStatus::HangUp) {
        Line("hang-up");
    } else if (r.m_status == EReadStatus::Error) {
        Line("read error");
    }
    return r;
}

void CTraceSerialPort::PurgeAll() {
    m_port.PurgeAll();
    Line("purge");
}

void CTraceSerialPort::ClearBuffers() {
    m_port.ClearBuffers();
    Line("clear");
}

void CTraceSerialPort::Pause(int ms) {
    m_port.Pause(ms);
    char text[24];
    std::snprintf(text, sizeof text, "pause %d", ms);
    Line(text);
}

void CTraceSerialPort::Line(const char* what, const std::uint8_t* bytes, std::size_t count) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    std::fprintf(m_out, "%s %s", FormatFixed(seconds, 10, 6).c_str(), what);
    for (std::size_t i = 0; i < count; ++i) {
        std::fprintf(m_out, " %02X", bytes[i]);
    }
    std::fputc('\n', m_out);
}
