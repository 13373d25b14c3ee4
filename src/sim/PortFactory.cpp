#include "sim/PortFactory.h"

#include "sim/SimServer.h"

namespace {

// Owns the radio its port talks to.
class CInProcessSimPort : public CSerialPort {
public:
    CResult<> Open(const std::string& name) override { return m_port.Open(name); }
    void Close() override { m_port.Close(); }
    bool IsOpen() const override { return m_port.IsOpen(); }
    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        return m_port.Write(bytes, count);
    }
    CReadResult Read(std::uint8_t* buffer, std::size_t count) override {
        return m_port.Read(buffer, count);
    }
    void PurgeAll() override { m_port.PurgeAll(); }
    void ClearBuffers() override { m_port.ClearBuffers(); }

private:
    CSimRadio m_radio;
    CSimSerialPort m_port{m_radio};
};

}  // namespace

std::unique_ptr<CSerialPort> MakeSerialPort(const std::string& name) {
    if (name == "sim") {
        return std::make_unique<CInProcessSimPort>();
    }
    return std::make_unique<CPosixSerialPort>();
}
