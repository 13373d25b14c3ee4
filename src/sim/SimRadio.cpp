#include "sim/SimRadio.h"

#include <algorithm>
#include <cstdlib>

#include "channels/Codecs.h"

namespace {

constexpr std::uint8_t kAckByte = 0x06;
constexpr std::uint8_t kNakByte = 0x15;
constexpr std::uint8_t kWake[] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
const std::uint16_t kPasswordAddress = *RadioAddressOf(kPasswordOffset);

bool ParseNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 6 ||
        !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    value = std::atoi(text.c_str());
    return true;
}

struct CDemoChannel {
    const char* m_rx;
    const char* m_tx;
    const char* m_rxTone;
    const char* m_txTone;
    std::uint8_t m_mode;  // power, bandwidth, scan add
    const char* m_name;
};

// A few channels a dealer might program: simplex, a repeater pair, UHF business channels.
const CDemoChannel kDemoChannels[] = {
    {"146.52000", "146.52000", "None", "None", 0x38, "CALL"},
    {"145.29000", "144.69000", "100.0", "100.0", 0x38, "RPT1"},
    {"151.82000", "151.82000", "D023N", "D023N", 0x28, "MURS1"},
    {"446.00625", "446.00625", "67.0", "67.0", 0x08, "PMR1"},
    {"462.56250", "467.56250", "D754I", "D754I", 0x38, "SITE A"},
    {"440.00000", "440.00000", "None", "None", 0x30, "UHF"},
};

}  // namespace

bool ParseSimFault(const std::string& text, CSimFaults& faults, std::string& error) {
    const auto eq = text.find('=');
    const std::string name = text.substr(0, eq);
    const std::string arg = eq == std::string::npos ? "" : text.substr(eq + 1);
    int n = 0;
    const bool hasNumber = eq != std::string::npos && ParseNumber(arg, n);
    if (eq == std::string::npos && name == "silent") {
        faults.m_silent = true;
    } else if (eq == std::string::npos && name == "wrong-model") {
        faults.m_wrongModel = true;
    } else if (eq == std::string::npos && name == "no-confirm") {
        faults.m_noConfirm = true;
    } else if (hasNumber && name == "nak-wakeup") {
        faults.m_nakWakeups = n;
    } else if (hasNumber && n < 512 && name == "drop-ack") {
        faults.m_dropAckBlock = n;
    } else if (hasNumber && n < 512 && name == "short-reply") {
        faults.m_shortReplyBlock = n;
    } else if (hasNumber && n < 512 && name == "hangup") {
        faults.m_hangupBlock = n;
    } else if (hasNumber && n >= 0 && n < static_cast<int>(kRadioSize) && name == "corrupt-write") {
        faults.m_corruptWriteAddress = n;
    } else {
        error = "unknown fault \"" + text +
                "\"; use silent, wrong-model, no-confirm, nak-wakeup=N, drop-ack=BLOCK, "
                "short-reply=BLOCK, hangup=BLOCK (BLOCK 0..511) or corrupt-write=ADDRESS "
                "(ADDRESS 0..4095).";
        return false;
    }
    return true;
}

CSimRadio::CSimRadio() : m_memory(ImageToRadio(SimDefaultImage())) {}

std::array<std::uint8_t, 8> CSimRadio::Identification() const {
    auto digits = [](int mhz) {
        return std::array<int, 3>{mhz / 100 % 10, mhz / 10 % 10, mhz % 10};
    };
    const auto low = digits(m_bandLowMHz);
    const auto high = digits(m_bandHighMHz);
    return {static_cast<std::uint8_t>(m_faults.m_wrongModel ? 'Q' : m_modelLetter),
            '4',
            '7',
            '4',
            0x00,
            static_cast<std::uint8_t>(low[0] << 4 | low[1]),
            static_cast<std::uint8_t>(high[0] << 4 | high[1]),
            static_cast<std::uint8_t>(low[2] << 4 | high[2])};
}

bool CSimRadio::SetPassword(const std::string& digits) {
    if (digits.size() > kPasswordLength) {
        return false;
    }
    for (std::size_t i = 0; i < kPasswordLength; ++i) {
        m_memory[kPasswordAddress + i] =
            i < digits.size() ? static_cast<std::uint8_t>(digits[i]) : 0xFF;
    }
    return true;
}

void CSimRadio::Receive(std::uint8_t byte, CSimReply& reply) {
    if (m_faults.m_silent) {
        return;
    }
    // A wake-up can start wherever the radio is not inside a frame.
    if (m_state != EState::Command && m_state != EState::WakeUp && m_state != EState::Ident &&
        byte == kWake[0]) {
        m_state = EState::WakeUp;
        m_frame.assign(1, byte);
        return;
    }
    switch (m_state) {
        case EState::WakeUp:
            if (byte != kWake[m_frame.size()]) {
                m_state = EState::Idle;
                m_frame.clear();
                if (byte == kWake[0]) {
                    Receive(byte, reply);
                }
                return;
            }
            m_frame.push_back(byte);
            if (m_frame.size() == sizeof kWake) {
                m_frame.clear();
                ++m_nWakeUps;
                if (m_nWakeUps <= m_faults.m_nakWakeups) {
                    m_state = EState::Idle;
                    reply.m_bytes.push_back(kNakByte);
                } else {
                    m_state = EState::Woken;
                    reply.m_bytes.push_back(kAckByte);
                }
            }
            return;
        case EState::Woken:
            m_state = byte == 'M' ? EState::Ident : EState::Idle;
            return;
        case EState::Ident:
            if (byte == 0x02) {
                const auto ident = Identification();
                reply.m_bytes.assign(ident.begin(), ident.end());
                m_state = EState::Identified;
            } else {
                m_state = EState::Idle;
            }
            return;
        case EState::Identified:
            if (byte == kAckByte) {
                m_state = EState::Ready;
                if (!m_faults.m_noConfirm) {
                    reply.m_bytes.push_back(kAckByte);
                    reply.m_afterOneCharacter = true;
                }
            } else {
                m_state = EState::Idle;
            }
            return;
        case EState::Ready:
            if (byte == kAckByte) {
                if (!m_bDropNextAck) {
                    reply.m_bytes.push_back(kAckByte);
                }
                m_bDropNextAck = false;
            } else if (byte == 'R' || byte == 'W') {
                m_state = EState::Command;
                m_frame.assign(1, byte);
            }
            return;
        case EState::Command:
            m_frame.push_back(byte);
            Command(reply);
            return;
        case EState::Idle:
            return;
    }
}

void CSimRadio::EndSession() {
    m_state = EState::Idle;
    m_frame.clear();
    m_bDropNextAck = false;
}

void CSimRadio::Command(CSimReply& reply) {
    if (m_frame.size() < 4) {
        return;
    }
    const std::size_t address = std::size_t{m_frame[1]} << 8 | m_frame[2];
    const std::size_t length = m_frame[3];
    const int block = static_cast<int>(address / 8);
    const bool write = m_frame[0] == 'W';
    if (write && m_frame.size() < 4 + length) {
        return;  // data still to come
    }
    m_state = EState::Ready;
    if (block == m_faults.m_hangupBlock) {
        reply.m_hangUp = true;
        return;
    }
    const bool inside = address + length <= kRadioSize;
    if (write) {
        if (inside) {
            std::copy_n(m_frame.begin() + 4, length, m_memory.begin() + address);
            const auto corrupt = static_cast<std::size_t>(m_faults.m_corruptWriteAddress);
            if (m_faults.m_corruptWriteAddress >= 0 && corrupt >= address &&
                corrupt < address + length) {
                m_memory[corrupt] ^= 0xFF;
            }
            ++m_nBlocksWritten;
        }
        if (block != m_faults.m_dropAckBlock) {
            reply.m_bytes.push_back(kAckByte);
        }
        return;
    }
    reply.m_bytes = {'W', m_frame[1], m_frame[2], m_frame[3]};
    for (std::size_t i = 0; i < length; ++i) {
        reply.m_bytes.push_back(inside ? m_memory[address + i] : 0xFF);
    }
    ++m_nBlocksRead;
    if (block == m_faults.m_shortReplyBlock) {
        reply.m_bytes.pop_back();
    }
    m_bDropNextAck = block == m_faults.m_dropAckBlock;
}

void RadioToImage(const std::array<std::uint8_t, kRadioSize>& radio, CMemoryImage& image) {
    for (const CTransferBlock& block : ReadBlocks()) {
        std::copy_n(radio.begin() + block.m_address, kBlockSize,
                    image.m_bytes.begin() + block.m_offset);
    }
}

std::array<std::uint8_t, kRadioSize> ImageToRadio(const CMemoryImage& image) {
    std::array<std::uint8_t, kRadioSize> radio{};
    for (const CTransferBlock& block : ReadBlocks()) {
        std::copy_n(image.m_bytes.begin() + block.m_offset, kBlockSize,
                    radio.begin() + block.m_address);
    }
    return radio;
}

CMemoryImage SimDefaultImage() {
    CMemoryImage image = CMemoryImage::NewDocument();
    int k = 0;
    for (const CDemoChannel& c : kDemoChannels) {
        auto record = image.Row(k++);
        const CFreqBytes rx = EncodeFrequency(ParseFrequency(c.m_rx));
        const CFreqBytes tx = EncodeFrequency(ParseFrequency(c.m_tx));
        std::ranges::copy(rx, record.begin() + kRxOffset);
        std::ranges::copy(tx, record.begin() + kTxOffset);
        const CToneBytes rxTone = ParseTone(c.m_rxTone);
        const CToneBytes txTone = ParseTone(c.m_txTone);
        record[kRxToneOffset] = rxTone.m_low;
        record[kRxToneOffset + 1] = rxTone.m_high;
        record[kTxToneOffset] = txTone.m_low;
        record[kTxToneOffset + 1] = txTone.m_high;
        record[kSignalByte] = 0x00;
        record[kModeByte] = c.m_mode;
        ApplyShiftBits(record[kModeByte], c.m_rx, c.m_tx);
        record[kEncodeByte] = 0xFF;
        record[kDecodeByte] = 0xFF;
        std::ranges::copy(EncodeName(c.m_name), record.begin() + kNameOffset);
    }
    return image;
}
