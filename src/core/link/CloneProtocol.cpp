#include "link/CloneProtocol.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "image/ProgramDoc.h"
#include "settings/Messages.h"

namespace {

const CText kWaitingText{"Waiting the response from radio....", "请等待对机讲响应...."};
const CText kWrongModelText{
    "Becuase the type of radio does not match,\ncommunications is interrupt.",
    "对讲机类型不匹配,无法通讯。"};
const CText kWrongModelCaption{"Caution", "警告"};
const char* const kPasswordErrorText = "Password Error!";
const CText kReadDoneText{"Read Successfully", "读数据成功"};
const CText kWriteDoneText{"Write Successfully", "写数据成功"};
const char* const kHangUpDetail = "the serial line hung up (cable disconnected?)";

enum class EStep { Go, Stop };

// One transfer: the open port, the receive buffer that persists between reads as the radio
// protocol expects, and the result once something ended it.
class CCloneSession {
public:
    CCloneSession(CSerialPort& port, CLinkEvents& events) : m_port(port), m_events(events) {}
    ~CCloneSession() { m_port.Close(); }

    bool Chinese() const { return m_events.m_bChinese; }

    bool Open(const std::string& name) {
        auto opened = m_port.Open(name);
        if (!opened) {
            const std::string& error = opened.error().Text(Chinese());
            m_result.m_detail = error;
            CPrompt prompt;
            prompt.m_stringId = IDS_OPEN_PORT_FAILED;
            prompt.m_detail = error;
            prompt.m_text = PromptText(LoadString(IDS_OPEN_PORT_FAILED, Chinese()), error);
            prompt.m_icon = EPromptIcon::Exclamation;
            FailWith(ETransferOutcome::PortUnavailable, prompt);
            return false;
        }
        m_rx.fill(0);
        return true;
    }

    // A message box with OK that ends the transfer.
    EStep Fail(ETransferOutcome outcome, int stringId) {
        CPrompt prompt;
        prompt.m_text = LoadString(stringId, Chinese());
        prompt.m_stringId = stringId;
        prompt.m_icon = EPromptIcon::Exclamation;
        return FailWith(outcome, prompt);
    }
    EStep FailWith(ETransferOutcome outcome, const CPrompt& prompt) {
        m_port.Close();
        m_events.Ask(prompt);
        m_result.m_outcome = outcome;
        m_result.m_messageId = prompt.m_stringId;
        m_result.m_message = prompt.m_text;
        return EStep::Stop;
    }
    EStep Cancelled() {
        m_port.Close();
        m_result.m_outcome = ETransferOutcome::Cancelled;
        return EStep::Stop;
    }
    EStep HungUp() { return Fail(ETransferOutcome::CommunicationError, IDS_COMMUNICATION_ERROR); }

    // Up to `count` polls; true when Cancel was asked for.
    bool Poll(int count, int pauseMs) {
        for (int i = 0; i < count; ++i) {
            if (m_events.CancelRequested()) {
                return true;
            }
            if (pauseMs > 0) {
                m_port.Pause(pauseMs);
            }
        }
        return false;
    }

    void Send(std::initializer_list<std::uint8_t> bytes) {
        m_port.Write(bytes.begin(), bytes.size());
    }
    void Send(const std::uint8_t* bytes, std::size_t count) { m_port.Write(bytes, count); }
    CReadResult Receive(std::size_t count) {
        const CReadResult r = m_port.Read(m_rx.data(), count);
        if (r.m_status == EReadStatus::HangUp) {
            m_result.m_detail = kHangUpDetail;  // whatever message follows, say why
        }
        return r;
    }
    bool ReceiveAck() {
        const CReadResult r = Receive(1);
        return r.m_status == EReadStatus::Ok && r.m_count == 1 && m_rx[0] == kAck;
    }

    // Handshake steps 3..5 (and their squelch twin): purge, wake the radio, wait for its ACK.
    // Returns the read status of a hang-up, or Ok with `acked`.
    EReadStatus WakeUp(bool clearBeforeEachByte, bool& acked) {
        m_port.PurgeAll();
        for (std::uint8_t byte : kWakeUp) {
            m_port.Pause(2);
            if (clearBeforeEachByte) {
                m_port.ClearBuffers();
            }
            Send(&byte, 1);
        }
        acked = false;
        CReadResult r = Receive(1);
        if (r.m_status == EReadStatus::Ok && r.m_count == 1 && m_rx[0] == kAck) {
            acked = true;
        } else if (r.m_status == EReadStatus::Ok) {
            // The radio may echo or send noise first; one more byte is allowed.
            r = Receive(1);
            acked = r.m_status == EReadStatus::Ok && r.m_count == 1 && m_rx[0] == kAck;
        }
        return r.m_status;
    }

    void Identify() {
        m_port.Pause(1);
        m_port.ClearBuffers();
        Send(kIdentRequest, sizeof kIdentRequest);
        Receive(8);
    }

    bool ModelMatches() const {
        return std::strchr(kModelLetters, m_rx[0]) != nullptr && m_rx[0] != 0 &&
               m_rx[1] == kModelDigits[0] && m_rx[2] == kModelDigits[1] &&
               m_rx[3] == kModelDigits[2];
    }

    // 61449 with Retry and Cancel: Go means retry.
    EStep CommunicationError() {
        CPrompt prompt;
        prompt.m_text = LoadString(IDS_COMMUNICATION_ERROR, Chinese());
        prompt.m_stringId = IDS_COMMUNICATION_ERROR;
        prompt.m_icon = EPromptIcon::Exclamation;
        prompt.m_buttons = EPromptButtons::RetryCancel;
        if (m_events.Ask(prompt) == EPromptAnswer::Retry) {
            return EStep::Go;
        }
        m_port.Close();
        m_result.m_outcome = ETransferOutcome::CommunicationError;
        m_result.m_messageId = IDS_COMMUNICATION_ERROR;
        m_result.m_message = prompt.m_text;
        return EStep::Stop;
    }

    EStep Handshake(bool write, const CTransferHooks& hooks);
    EStep ShortHandshake();
    EStep BandCheck(const CTransferHooks& hooks);
    EStep ReadBlocks(CMemoryImage& image, const CTransferHooks& hooks);
    EStep WriteBlocks(const CMemoryImage& image);
    EStep AfterRow(bool always);

    CSerialPort& m_port;
    CLinkEvents& m_events;
    std::array<std::uint8_t, 16> m_rx{};
    CTransferResult m_result;
    int m_nProgress = 0;
};

EStep CCloneSession::Handshake(bool write, const CTransferHooks& hooks) {
    bool bandCheckPending = write;
    int retry = 1;
    for (;;) {
        if (Poll(6, 1)) {
            return Cancelled();
        }
        m_events.OnStatus(kWaitingText.Get(Chinese()));
        bool acked = false;
        if (WakeUp(true, acked) == EReadStatus::HangUp) {
            // Retrying cannot bring a vanished line back; the original would only time out.
            return HungUp();
        }
        bool communicationError = false;
        if (!acked) {
            m_port.Pause(2);
            ++retry;
            if (retry <= kHandshakeMaxMisses) {
                continue;
            }
            communicationError = true;
        } else {
            Identify();
            if (!ModelMatches()) {
                CPrompt prompt;
                prompt.m_text = kWrongModelText.Get(Chinese());
                prompt.m_caption = kWrongModelCaption.Get(Chinese());
                prompt.m_icon = EPromptIcon::Exclamation;
                return FailWith(ETransferOutcome::WrongModel, prompt);
            }
            if (bandCheckPending) {
                if (BandCheck(hooks) == EStep::Stop) {
                    return EStep::Stop;
                }
                // The radio is not acknowledged; it is woken a second time.
                bandCheckPending = false;
                continue;
            }
            m_port.ClearBuffers();
            Send({kAck});
            m_port.ClearBuffers();
            m_port.Pause(1);
            const CReadResult r = Receive(1);
            if (r.m_status == EReadStatus::HangUp) {
                return HungUp();
            }
            if (r.m_count == 1 && m_rx[0] == kAck) {
                return EStep::Go;
            }
            if (retry > 5) {
                return Fail(ETransferOutcome::Interrupted, IDS_PROGRAM_INTERRUPT);
            }
            ++retry;
            communicationError = true;
        }
        if (communicationError) {
            if (CommunicationError() == EStep::Stop) {
                return EStep::Stop;
            }
            retry = 1;
        }
    }
}

EStep CCloneSession::BandCheck(const CTransferHooks& hooks) {
    const CRadioBand radio = RadioBand(m_rx.data());
    const CBandsMHz document = hooks.m_bandLimits ? hooks.m_bandLimits() : CBandsMHz{};
    if (BandFits(document, radio)) {
        return EStep::Go;
    }
    CPrompt prompt;
    prompt.m_text = LoadString(IDS_BAND_OVER_RANGE, Chinese());
    prompt.m_stringId = IDS_BAND_OVER_RANGE;
    prompt.m_caption = "Caution";  // English in both languages
    prompt.m_icon = EPromptIcon::Exclamation;
    prompt.m_buttons = EPromptButtons::OkCancel;
    if (m_events.Ask(prompt) == EPromptAnswer::Ok) {
        return EStep::Go;
    }
    m_port.Close();
    m_result.m_outcome = ETransferOutcome::BandRefused;
    m_result.m_messageId = IDS_BAND_OVER_RANGE;
    m_result.m_message = prompt.m_text;
    return EStep::Stop;
}

EStep CCloneSession::AfterRow(bool always) {
    if (always || m_nProgress < kProgressMax) {
        ++m_nProgress;
        m_events.OnProgress(m_nProgress);
    }
    return Poll(5, 0) ? Cancelled() : EStep::Go;
}

EStep CCloneSession::ReadBlocks(CMemoryImage& image, const CTransferHooks& hooks) {
    // Password: radio 0x0FE2..0x0FE7 are the reply's bytes 6..11.
    Send({kReadCommand, kPasswordBlockAddress >> 8, kPasswordBlockAddress & 0xFF, kBlockSize});
    if (Receive(12).m_status == EReadStatus::HangUp) {
        return Fail(ETransferOutcome::Interrupted, IDS_PROGRAM_INTERRUPT);
    }
    for (std::size_t i = 0; i < kPasswordLength; ++i) {
        if (m_rx[6 + i] != image[kPasswordOffset + i]) {
            CPrompt prompt;
            prompt.m_text = kPasswordErrorText;
            prompt.m_icon = EPromptIcon::Exclamation;
            return FailWith(ETransferOutcome::PasswordError, prompt);
        }
    }
    Send({kAck});
    if (!ReceiveAck()) {
        return Fail(ETransferOutcome::Interrupted, IDS_PROGRAM_INTERRUPT);
    }

    // The blocks go into a copy: a read that stops part way must leave the document (and the
    // grid built from it) as it was, or the next store would mix old rows with new ones.
    CMemoryImage received = image;
    for (const CTransferBlock& block : ::ReadBlocks()) {
        if (block.m_channelArea && !block.m_firstOfRow) {
            m_port.Pause(1);
        }
        m_port.ClearBuffers();
        Send({kReadCommand, static_cast<std::uint8_t>(block.m_address >> 8),
              static_cast<std::uint8_t>(block.m_address & 0xFF), kBlockSize});
        const CReadResult r = Receive(12);
        if (r.m_status != EReadStatus::Ok || r.m_count < 12) {
            return Fail(ETransferOutcome::Interrupted, IDS_PROGRAM_INTERRUPT);
        }
        std::copy_n(m_rx.begin() + 4, kBlockSize, received.m_bytes.begin() + block.m_offset);
        if (block.m_channelArea) {
            m_port.Pause(1);
        }
        m_port.ClearBuffers();
        Send({kAck});
        if (!ReceiveAck()) {
            return Fail(ETransferOutcome::Interrupted, IDS_PROGRAM_INTERRUPT);
        }
        if (block.m_lastOfRow && AfterRow(!block.m_channelArea) == EStep::Stop) {
            return EStep::Stop;
        }
    }
    image = received;
    m_result.m_bImageRead = true;
    if (hooks.m_fillGrid) {
        hooks.m_fillGrid();
    }
    return EStep::Go;
}

EStep CCloneSession::WriteBlocks(const CMemoryImage& image) {
    for (const CTransferBlock& block : ::WriteBlocks()) {
        m_port.ClearBuffers();
        Send({kWriteCommand, static_cast<std::uint8_t>(block.m_address >> 8),
              static_cast<std::uint8_t>(block.m_address & 0xFF), kBlockSize});
        m_port.Pause(1);
        Send(image.data() + block.m_offset, kBlockSize);
        if (!ReceiveAck()) {
            return Fail(ETransferOutcome::Interrupted, IDS_PROGRAM_INTERRUPT);
        }
        if (block.m_lastOfRow && AfterRow(false) == EStep::Stop) {
            return EStep::Stop;
        }
    }
    return EStep::Go;
}

EStep CCloneSession::ShortHandshake() {
    int retry = 1;
    for (;;) {
        bool acked = false;
        if (WakeUp(false, acked) == EReadStatus::HangUp) {
            return HungUp();
        }
        bool communicationError = false;
        if (!acked) {
            m_port.Pause(2);
            ++retry;
            communicationError = retry > kHandshakeMaxMisses;
        } else {
            Identify();  // any model is accepted here
            m_port.ClearBuffers();
            Send({kAck});
            m_port.Pause(1);
            const CReadResult r = Receive(1);
            if (r.m_status == EReadStatus::HangUp) {
                return HungUp();
            }
            if (r.m_count == 1 && m_rx[0] == kAck) {
                return EStep::Go;
            }
            if (retry > 5) {
                return Fail(ETransferOutcome::Interrupted, IDS_PROGRAM_INTERRUPT);
            }
            ++retry;
            communicationError = true;
        }
        if (communicationError) {
            if (CommunicationError() == EStep::Stop) {
                return EStep::Stop;
            }
            retry = 1;
        }
    }
}

CTransferResult Done(CCloneSession& session, const CText* message) {
    session.m_port.Close();
    if (message != nullptr) {
        CPrompt prompt;
        prompt.m_text = message->Get(session.Chinese());
        prompt.m_icon = EPromptIcon::Information;
        session.m_events.Ask(prompt);
        session.m_result.m_message = prompt.m_text;
    }
    session.m_result.m_outcome = ETransferOutcome::Done;
    return session.m_result;
}

}  // namespace

CRadioBand RadioBand(const std::uint8_t* ident) {
    const int low = 100 * (ident[5] >> 4) + 10 * (ident[5] & 0x0F) + (ident[7] >> 4);
    const int high = 100 * (ident[6] >> 4) + 10 * (ident[6] & 0x0F) + (ident[7] & 0x0F);
    return {std::int64_t{low} * kCountsPerMHz, std::int64_t{high} * kCountsPerMHz};
}

bool BandFits(const CBandsMHz& document, const CRadioBand& radio) {
    auto inside = [&radio](int low, int high) {
        return std::int64_t{low} * kCountsPerMHz >= radio.m_low &&
               std::int64_t{high} * kCountsPerMHz <= radio.m_high;
    };
    const bool band1 = inside(document.m_band1Low, document.m_band1High);
    const bool band2 = inside(document.m_band2Low, document.m_band2High);
    return band1 || band2;
}

CTransferResult RunTransfer(ETransferDirection direction, CSerialPort& port,
                            const std::string& portName, CMemoryImage& image, CLinkEvents& events,
                            const CTransferHooks& hooks) {
    const bool write = direction == ETransferDirection::Write;
    if (hooks.m_commitCellEdit) {
        hooks.m_commitCellEdit();
    }
    if (write && hooks.m_storeGrid) {
        hooks.m_storeGrid();
    }
    CCloneSession session(port, events);
    if (!session.Open(portName)) {
        return session.m_result;
    }
    if (session.Handshake(write, hooks) == EStep::Stop) {
        return session.m_result;
    }
    const EStep step = write ? session.WriteBlocks(image) : session.ReadBlocks(image, hooks);
    if (step == EStep::Stop) {
        return session.m_result;
    }
    return Done(session, nullptr);
}

CTransferResult ReadSquelch(CSerialPort& port, const std::string& portName, CMemoryImage& image,
                            CLinkEvents& events) {
    CCloneSession session(port, events);
    if (!session.Open(portName) || session.ShortHandshake() == EStep::Stop) {
        return session.m_result;
    }
    session.m_port.ClearBuffers();
    session.Send({kReadCommand, kSquelchAddress >> 8, kSquelchAddress & 0xFF, kSquelchLength});
    session.m_port.Pause(1);
    const CReadResult r = session.Receive(4 + kSquelchLength);
    // A short reply would leave identification bytes where the values belong.
    if (r.m_status != EReadStatus::Ok || r.m_count < 4 + kSquelchLength) {
        session.Fail(ETransferOutcome::Interrupted, IDS_PROGRAM_INTERRUPT);
        return session.m_result;
    }
    std::copy_n(session.m_rx.begin() + 4, kSquelchLength, image.m_bytes.begin() + kSquelchOffset);
    return Done(session, &kReadDoneText);
}

CTransferResult WriteSquelch(CSerialPort& port, const std::string& portName, CMemoryImage& image,
                             CLinkEvents& events, const std::function<void()>& storeLists) {
    CCloneSession session(port, events);
    if (!session.Open(portName) || session.ShortHandshake() == EStep::Stop) {
        return session.m_result;
    }
    if (storeLists) {
        storeLists();
    }
    session.m_port.ClearBuffers();
    session.Send({kWriteCommand, kSquelchAddress >> 8, kSquelchAddress & 0xFF, kSquelchLength});
    session.m_port.Pause(1);
    session.Send(image.data() + kSquelchOffset, kSquelchLength);
    if (!session.ReceiveAck()) {
        session.Fail(ETransferOutcome::Interrupted, IDS_PROGRAM_INTERRUPT);
        return session.m_result;
    }
    return Done(session, &kWriteDoneText);
}
