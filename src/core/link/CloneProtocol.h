#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "image/DocumentState.h"
#include "link/SerialPort.h"
#include "util/Prompt.h"

// Bytes of the clone protocol.
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kWakeUp[] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
inline constexpr std::uint8_t kIdentRequest[] = {'M', 0x02};
inline constexpr std::uint8_t kReadCommand = 'R';
inline constexpr std::uint8_t kWriteCommand = 'W';
inline constexpr char kModelLetters[] = "UPXV";
inline constexpr char kModelDigits[] = "474";

// Where the radio keeps its password and the squelch tuning bytes.
// (the image offsets are in image/ImageMap.h).
inline constexpr std::uint16_t kPasswordBlockAddress = 0x0FE0;
inline constexpr std::uint16_t kSquelchAddress = 0x0FF6;

inline constexpr int kHandshakeMaxMisses = 15;  // R > 15 is a communication error
inline constexpr int kProgressMax = 191;

enum class ETransferDirection { Read, Write };

enum class ETransferOutcome {
    Done,
    PortUnavailable,     // 61451
    CommunicationError,  // 61449 answered Cancel, or the line hung up during the handshake
    Interrupted,         // 61452
    WrongModel,
    PasswordError,
    BandRefused,  // 61453 answered Cancel
    Cancelled,    // Cancel in the progress window
};

struct CTransferResult {
    ETransferOutcome m_outcome = ETransferOutcome::Done;
    int m_messageId = 0;    // string id of the message shown; 0 for none or a text built in code
    std::string m_message;  // the text shown, empty when none was
    std::string m_detail;   // what the system said (port error, hang-up), for logs and the CLI
    // A read completed: the image holds the radio's bytes. The caller applies them to its
    // document on its own thread, clearing the document's new-document flag.
    bool m_bImageRead = false;

    bool Ok() const { return m_outcome == ETransferOutcome::Done; }
};

// What a transfer reports while it runs. The desktop program shows a progress window; the
// command line prints to stderr; tests record.
class CLinkEvents {
public:
    virtual ~CLinkEvents() = default;
    // The language of the status texts and prompts the transfer hands over.
    bool m_bChinese = false;

    virtual void OnStatus(const std::string& text) = 0;
    // The bar has stepped to `position` (1..191); the status text shows it in decimal.
    virtual void OnProgress(int position) = 0;
    virtual EPromptAnswer Ask(const CPrompt& prompt) = 0;
    // Checked at the polls: six per handshake attempt, five after each row of blocks.
    virtual bool CancelRequested() = 0;
};

// The channel view's part in a transfer. Any hook may be empty.
struct CTransferHooks {
    std::function<void()> m_commitCellEdit;   // both directions, first of all
    std::function<void()> m_storeGrid;        // write only, before the port opens
    std::function<CBandsMHz()> m_bandLimits;  // write only, after m_storeGrid
    std::function<void()> m_fillGrid;         // after a completed read was applied
};

// A full read or write of the radio through `port`, opened as `portName` and closed on every
// way out. A read changes `image` (its radio-held bytes) only when every block has arrived, and
// says so in the result; a write sends `image` after the hooks have stored the grid into it.
CTransferResult RunTransfer(ETransferDirection direction, CSerialPort& port,
                            const std::string& portName, CMemoryImage& image, CLinkEvents& events,
                            const CTransferHooks& hooks);

// The squelch tuning exchange: the kSquelchLength bytes with a short handshake, no cancel
// points and no progress. A read changes the image only when the whole reply arrived.
CTransferResult ReadSquelch(CSerialPort& port, const std::string& portName, CMemoryImage& image,
                            CLinkEvents& events);
// `storeLists` moves the dialog's values into the image after the handshake.
CTransferResult WriteSquelch(CSerialPort& port, const std::string& portName, CMemoryImage& image,
                             CLinkEvents& events, const std::function<void()>& storeLists);

// The band of an identification reply (bytes 5..7), in frequency counts.
struct CRadioBand {
    std::int64_t m_low = 0;
    std::int64_t m_high = 0;
};
CRadioBand RadioBand(const std::uint8_t* ident);
// True when band 1 or band 2 of the document lies inside the radio's band.
bool BandFits(const CBandsMHz& document, const CRadioBand& radio);
