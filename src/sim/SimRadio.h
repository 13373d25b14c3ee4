#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image/MemoryImage.h"

// Switches that make the simulated radio misbehave. A block is a radio address divided by 8
// (the password read at 0x0FE0 is block 508, the squelch values at 0x0FF6 block 510); block
// faults hit every request for that block.
struct CSimFaults {
    bool m_silent = false;           // never answers anything
    bool m_wrongModel = false;       // identifies as another model
    bool m_noConfirm = false;        // does not acknowledge the confirmation
    int m_nakWakeups = 0;            // answers the first N wake-ups with a wrong byte
    int m_dropAckBlock = -1;         // no ACK for this block
    int m_shortReplyBlock = -1;      // read reply one byte short
    int m_hangupBlock = -1;          // the line drops when this block is requested
    int m_corruptWriteAddress = -1;  // a write stores a wrong byte at this radio address
};

// Parses one --fault value into `faults`; false with `error` for an unknown one.
bool ParseSimFault(const std::string& text, CSimFaults& faults, std::string& error);

// The radio's answer to one received byte.
struct CSimReply {
    std::vector<std::uint8_t> m_bytes;
    // The answer to the confirmation; the program clears its receive buffer right after
    // sending it, which a real radio's answer (a whole character time later) survives.
    bool m_afterOneCharacter = false;
    bool m_hangUp = false;
};

// The radio's side of the clone protocol, byte by byte, independent of any line or clock.
class CSimRadio {
public:
    CSimRadio();

    std::array<std::uint8_t, kRadioSize> m_memory{};
    char m_modelLetter = 'V';
    int m_bandLowMHz = 136;
    int m_bandHighMHz = 174;
    CSimFaults m_faults;

    // Feeds one byte from the program; the answer, if any, goes into `reply`.
    void Receive(std::uint8_t byte, CSimReply& reply);
    // The program closed the line: forget any half-received frame.
    void EndSession();

    // Counters, for tests and --save.
    int m_nWakeUps = 0;
    int m_nBlocksWritten = 0;
    int m_nBlocksRead = 0;

    // The identification reply as the radio sends it.
    std::array<std::uint8_t, 8> Identification() const;
    // Stores "DIGITS" as the password at 0x0FE2..0x0FE7 (0xFF after the text).
    bool SetPassword(const std::string& digits);

private:
    enum class EState { Idle, WakeUp, Woken, Ident, Identified, Ready, Command };
    void Command(CSimReply& reply);

    EState m_state = EState::Idle;
    std::vector<std::uint8_t> m_frame;
    int m_nWakeUpsLeftToRefuse = -1;
    bool m_bDropNextAck = false;
};

// Between the radio's 4096 bytes and the image offsets that hold them.
void RadioToImage(const std::array<std::uint8_t, kRadioSize>& radio, CMemoryImage& image);
std::array<std::uint8_t, kRadioSize> ImageToRadio(const CMemoryImage& image);

// A new document's radio bytes with a handful of plausible channels, so a demo read shows
// something.
CMemoryImage SimDefaultImage();
