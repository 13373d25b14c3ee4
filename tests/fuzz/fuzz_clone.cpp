// The clone protocol against a radio whose replies the input bends: dropped, cut, replaced,
// late, or the line hung up. A failed read leaves the document alone, the port is closed on
// every way out, and the progress only rises.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "link/CloneProtocol.h"

namespace {

using CBytes = std::vector<std::uint8_t>;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_clone: %s\n", what);
        std::abort();
    }
}

// A radio that follows the protocol; every reply then goes through the input's choice.
class CFuzzPort : public CSerialPort {
public:
    explicit CFuzzPort(FuzzedDataProvider& input) : m_input(input) {
        std::fill_n(m_memory.begin() + 0x0FE2, 6, 0xFF);  // no password
    }

    bool m_bOpen = false;

    CResult<> Open(const std::string&) override {
        if (m_input.ConsumeIntegral<std::uint8_t>() == 0xFF) {
            return std::unexpected(CTexts::Same("no such port"));
        }
        m_bOpen = true;
        return {};
    }
    void Close() override { m_bOpen = false; }
    bool IsOpen() const override { return m_bOpen; }
    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        Check(m_bOpen, "write on a closed port");
        Reply(Answer(CBytes(bytes, bytes + count)));
        return true;
    }
    CReadResult Read(std::uint8_t* buffer, std::size_t count) override {
        Check(m_bOpen, "read on a closed port");
        CReadResult r;
        if (m_bHungUp) {
            r.m_status = EReadStatus::HangUp;
            return r;
        }
        m_rx.insert(m_rx.end(), m_late.begin(), m_late.end());
        m_late.clear();
        while (r.m_count < count && !m_rx.empty()) {
            buffer[r.m_count++] = m_rx.front();
            m_rx.pop_front();
        }
        return r;
    }
    void PurgeAll() override { m_rx.clear(); }
    void ClearBuffers() override { m_rx.clear(); }
    void Pause(int) override {}

private:
    // What a sound radio answers; the bool: after the program clears its buffers.
    std::pair<CBytes, bool> Answer(const CBytes& w) {
        if (w.size() == 1 && (w[0] == 0x02 || !m_wake.empty()) && m_pendingWrite < 0) {
            m_wake.push_back(w[0]);
            if (m_wake.size() < sizeof kWakeUp) {
                return {};
            }
            m_wake.clear();
            return {{kAck}, false};
        }
        if (w == CBytes(std::begin(kIdentRequest), std::end(kIdentRequest))) {
            return {{'V', '4', '7', '4', 0, 0x13, 0x17, 0x64}, false};
        }
        if (w == CBytes{kAck}) {
            const bool late = !m_bConfirmed;
            m_bConfirmed = true;
            return {{kAck}, late};
        }
        if (w.size() == 4 && w[0] == kReadCommand) {
            const std::size_t a = static_cast<std::size_t>(w[1] << 8 | w[2]);
            CBytes reply(w.begin(), w.end());
            reply[0] = kWriteCommand;
            for (std::size_t i = 0; i < w[3] && a + i < m_memory.size(); ++i) {
                reply.push_back(m_memory[a + i]);
            }
            return {reply, false};
        }
        if (w.size() == 4 && w[0] == kWriteCommand) {
            m_pendingWrite = w[1] << 8 | w[2];
            return {};
        }
        if (m_pendingWrite >= 0) {
            m_pendingWrite = -1;
            return {{kAck}, false};
        }
        return {};
    }

    void Reply(std::pair<CBytes, bool> answer) {
        CBytes& bytes = answer.first;
        const std::uint8_t action = m_input.ConsumeIntegral<std::uint8_t>();
        if (action >= 0xFC) {
            m_bHungUp = true;
            return;
        }
        if (action >= 0xF0) {
            bytes = m_input.ConsumeBytes<std::uint8_t>(bytes.size() + (action & 3));
        } else if (action >= 0xE8) {
            bytes.resize(m_input.ConsumeIntegralInRange<std::size_t>(0, bytes.size()));
        } else if (action >= 0xE0) {
            bytes.clear();
        } else if (action >= 0xD8) {
            answer.second = true;
        }
        auto& queue = answer.second ? m_late : m_rx;
        queue.insert(queue.end(), bytes.begin(), bytes.end());
    }

    FuzzedDataProvider& m_input;
    std::array<std::uint8_t, kRadioSize> m_memory{};
    std::deque<std::uint8_t> m_rx;
    std::deque<std::uint8_t> m_late;
    CBytes m_wake;
    int m_pendingWrite = -1;
    bool m_bConfirmed = false;
    bool m_bHungUp = false;
};

class CFuzzEvents : public CLinkEvents {
public:
    explicit CFuzzEvents(FuzzedDataProvider& input) : m_input(input) {}

    void OnStatus(const std::string&) override {}
    void OnProgress(int position) override {
        Check(position >= m_last && position >= 1 && position <= kProgressMax,
              "progress went back or out of range");
        m_last = position;
    }
    EPromptAnswer Ask(const CPrompt&) override {
        static constexpr EPromptAnswer kAnswers[] = {EPromptAnswer::Cancel, EPromptAnswer::Ok,
                                                     EPromptAnswer::Retry, EPromptAnswer::Yes,
                                                     EPromptAnswer::No};
        return m_input.PickValueInArray(kAnswers);
    }
    bool CancelRequested() override { return m_input.ConsumeIntegral<std::uint8_t>() == 0xFF; }

private:
    FuzzedDataProvider& m_input;
    int m_last = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int mode = input.ConsumeIntegralInRange(0, 3);
    CFuzzPort port(input);
    CFuzzEvents events(input);
    const CMemoryImage before = CMemoryImage::NewDocument();
    CMemoryImage image = before;
    CTransferResult result;
    switch (mode) {
        case 0:
            result = RunTransfer(ETransferDirection::Read, port, "fuzz", image, events, {});
            break;
        case 1:
            result = RunTransfer(ETransferDirection::Write, port, "fuzz", image, events, {});
            break;
        case 2:
            result = ReadSquelch(port, "fuzz", image, events);
            break;
        default:
            result = WriteSquelch(port, "fuzz", image, events, {});
            break;
    }
    Check(!port.IsOpen(), "port left open");
    if (mode == 0 || mode == 2) {
        Check(result.Ok() || image == before, "a failed read changed the image");
        Check(result.m_bImageRead == (mode == 0 && result.Ok()), "image-read flag wrong");
    }
    return 0;
}
