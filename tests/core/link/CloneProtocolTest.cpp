#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "image/ProgramDoc.h"
#include "link/CloneProtocol.h"
#include "settings/Messages.h"

namespace {

using CBytes = std::vector<std::uint8_t>;

// The radio's side, answering whole writes as the protocol sends them.
struct CFakeRadio {
    std::array<std::uint8_t, kRadioSize> m_memory{};
    std::vector<CBytes> m_wakeUpAnswers;  // per wake-up; past the end: ACK
    std::vector<bool> m_confirmAnswers;   // per confirmation; past the end: ACK
    CBytes m_ident = {'V', '4', '7', '4', 0, 0x13, 0x17, 0x64};
    int m_shortBlock = -1;  // radio address / 8
    int m_noAckBlock = -1;
    int m_blockAcks = -1;  // ACKs answered after the handshake (the first follows the password)
    int m_nWakeUps = 0;
    int m_nConfirms = 0;
    std::vector<std::uint16_t> m_writes;  // addresses written, in order
    std::uint16_t m_pendingWrite = 0xFFFF;
    CBytes m_lastWake;

    // No password, as in a new document.
    CFakeRadio() { std::fill_n(m_memory.begin() + 0x0FE2, 6, 0xFF); }

    // The confirmation's answer arrives after the program has cleared its buffers.
    void Respond(const CBytes& w, std::deque<std::uint8_t>& rx, std::deque<std::uint8_t>& late) {
        if (w.size() == 1 && (w[0] == 0x02 || !m_lastWake.empty()) && m_pendingWrite == 0xFFFF) {
            m_lastWake.push_back(w[0]);
            if (m_lastWake.size() < 7) {
                return;
            }
            EXPECT_EQ(m_lastWake, CBytes(std::begin(kWakeUp), std::end(kWakeUp)));
            m_lastWake.clear();
            const auto i = static_cast<std::size_t>(m_nWakeUps++);
            const CBytes answer = i < m_wakeUpAnswers.size() ? m_wakeUpAnswers[i] : CBytes{kAck};
            rx.insert(rx.end(), answer.begin(), answer.end());
        } else if (w == CBytes{'M', 0x02}) {
            rx.insert(rx.end(), m_ident.begin(), m_ident.end());
        } else if (w == CBytes{kAck} && m_nConfirms >= 0) {
            const auto i = static_cast<std::size_t>(m_nConfirms++);
            if (i >= m_confirmAnswers.size() || m_confirmAnswers[i]) {
                late.push_back(kAck);
                m_nConfirms = -1;  // from now on ACKs belong to blocks
            }
        } else if (w == CBytes{kAck}) {
            if (m_blockAcks != 0) {
                rx.push_back(kAck);
                m_blockAcks -= m_blockAcks > 0;
            }
        } else if (w.size() == 4 && w[0] == 'R') {
            const std::uint16_t a = static_cast<std::uint16_t>(w[1] << 8 | w[2]);
            rx.insert(rx.end(), {'W', w[1], w[2], w[3]});
            for (std::size_t i = 0; i < w[3]; ++i) {
                rx.push_back(m_memory[a + i]);
            }
            if (a / 8 == m_shortBlock) {
                rx.pop_back();
            }
        } else if (w.size() == 4 && w[0] == 'W') {
            m_pendingWrite = static_cast<std::uint16_t>(w[1] << 8 | w[2]);
        } else if (m_pendingWrite != 0xFFFF) {
            std::copy(w.begin(), w.end(), m_memory.begin() + m_pendingWrite);
            m_writes.push_back(m_pendingWrite);
            if (m_pendingWrite / 8 != m_noAckBlock) {
                rx.push_back(kAck);
            }
            m_pendingWrite = 0xFFFF;
        }
    }
};

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        char b[4];
        std::snprintf(b, sizeof b, " %02X", bytes[i]);
        text += b;
    }
    return text;
}

// A port whose line is the fake radio; time-outs and pauses take no time. It records every
// operation on the line, and the events record theirs into the same log.
class CScriptedPort : public CSerialPort {
public:
    CFakeRadio m_radio;
    bool m_bFailOpen = false;
    bool m_bHungUp = false;
    bool m_bOpen = false;
    int m_nOpens = 0;
    std::vector<std::string> m_log;

    CResult<> Open(const std::string&) override {
        m_log.push_back("open");
        if (m_bFailOpen) {
            return std::unexpected(CTexts::Same("no such port"));
        }
        ++m_nOpens;
        m_bOpen = true;
        return {};
    }
    void Close() override {
        if (m_bOpen) {
            m_log.push_back("close");
        }
        m_bOpen = false;
    }
    bool IsOpen() const override { return m_bOpen; }
    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        EXPECT_TRUE(m_bOpen);
        m_log.push_back(">" + Hex(bytes, count));
        m_radio.Respond(CBytes(bytes, bytes + count), m_rx, m_late);
        return true;
    }
    CReadResult Read(std::uint8_t* buffer, std::size_t count) override {
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
        m_log.push_back("read " + std::to_string(count) + ":" + std::to_string(r.m_count));
        return r;
    }
    void PurgeAll() override {
        m_log.push_back("purge");
        m_rx.clear();
    }
    void ClearBuffers() override {
        m_log.push_back("clear");
        m_rx.clear();
    }
    void Pause(int ms) override {
        m_log.push_back("pause " + std::to_string(ms));
        m_nPausedMs += ms;
    }

    int m_nPausedMs = 0;

private:
    std::deque<std::uint8_t> m_rx;
    std::deque<std::uint8_t> m_late;
};

class CRecordingEvents : public CLinkEvents {
public:
    std::vector<CPrompt> m_prompts;
    std::vector<EPromptAnswer> m_answers;  // in order; past the end: Cancel (or Ok for OK boxes)
    std::vector<int> m_progress;
    std::vector<std::string> m_status;
    int m_nCancelAfterPolls = -1;
    int m_nPolls = 0;
    std::vector<std::string>* m_log = nullptr;

    void Log(const std::string& entry) {
        if (m_log != nullptr) {
            m_log->push_back(entry);
        }
    }
    void OnStatus(const std::string& text) override {
        Log("status");
        m_status.push_back(text);
    }
    void OnProgress(int position) override {
        Log("step " + std::to_string(position));
        m_progress.push_back(position);
    }
    EPromptAnswer Ask(const CPrompt& prompt) override {
        Log("ask " + (prompt.m_stringId != 0 ? std::to_string(prompt.m_stringId) : prompt.m_text));
        m_prompts.push_back(prompt);
        if (prompt.m_buttons == EPromptButtons::Ok) {
            return EPromptAnswer::Ok;
        }
        const std::size_t i = m_prompts.size() - 1;
        return i < m_answers.size() ? m_answers[i] : EPromptAnswer::Cancel;
    }
    bool CancelRequested() override {
        Log("poll");
        return m_nCancelAfterPolls >= 0 && m_nPolls++ >= m_nCancelAfterPolls;
    }
};

const CBytes kNakTwice = {0x15, 0x15};

struct CRun {
    CTransferResult m_result;
    CMemoryImage m_before;
    CMemoryImage m_after;
};

CRun Transfer(ETransferDirection direction, CScriptedPort& port, CRecordingEvents& events,
              CTransferHooks hooks = {}) {
    CRun run;
    run.m_before = CMemoryImage::NewDocument();
    run.m_after = run.m_before;
    if (events.m_log == nullptr) {
        events.m_log = &port.m_log;
    }
    run.m_result = RunTransfer(direction, port, "/dev/ttyFAKE", run.m_after, events, hooks);
    EXPECT_FALSE(port.IsOpen());
    return run;
}

TEST(Handshake, MissedAnswersCountUpToFifteenThenAskRetryOrCancel) {
    struct CCase {
        int m_misses;
        std::vector<EPromptAnswer> m_answers;
        int m_expectedWakeUps;
        int m_expectedPrompts;
        bool m_done;
    };
    const CCase cases[] = {
        {14, {}, 15, 0, true},                       // the 15th attempt is answered
        {15, {}, 15, 1, false},                      // R reaches 16: 61449, Cancel
        {15, {EPromptAnswer::Retry}, 16, 1, true},   // Retry starts again and succeeds
        {30, {EPromptAnswer::Retry}, 30, 2, false},  // Retry counts fifteen afresh
        {29, {EPromptAnswer::Retry}, 30, 1, true},
    };
    // The full handshake, and the squelch exchange's short one.
    for (bool squelch : {false, true}) {
        for (const auto& c : cases) {
            CScriptedPort port;
            port.m_radio.m_wakeUpAnswers.assign(c.m_misses, kNakTwice);
            CRecordingEvents events;
            events.m_answers = c.m_answers;
            CRun run;
            if (squelch) {
                run.m_before = CMemoryImage::NewDocument();
                run.m_after = run.m_before;
                run.m_result = ReadSquelch(port, "p", run.m_after, events);
            } else {
                run = Transfer(ETransferDirection::Read, port, events);
            }
            EXPECT_EQ(port.m_radio.m_nWakeUps, c.m_expectedWakeUps) << c.m_misses;
            const auto asked = std::count_if(events.m_prompts.begin(), events.m_prompts.end(),
                                             [](const CPrompt& p) {
                                                 return p.m_stringId == IDS_COMMUNICATION_ERROR &&
                                                        p.m_buttons == EPromptButtons::RetryCancel;
                                             });
            EXPECT_EQ(asked, c.m_expectedPrompts) << c.m_misses;
            EXPECT_EQ(run.m_result.Ok(), c.m_done) << c.m_misses;
            if (!c.m_done) {
                EXPECT_EQ(run.m_result.m_outcome, ETransferOutcome::CommunicationError);
                EXPECT_EQ(run.m_result.m_messageId, IDS_COMMUNICATION_ERROR);
                EXPECT_EQ(run.m_after, run.m_before);
                EXPECT_FALSE(run.m_result.m_bImageRead);
            } else if (squelch) {
                ASSERT_EQ(events.m_prompts.back().m_text, "Read Successfully");
                EXPECT_EQ(events.m_prompts.back().m_icon, EPromptIcon::Information);
            }
        }
    }
}

TEST(Handshake, ASecondByteMayCarryTheAck) {
    CScriptedPort port;
    port.m_radio.m_wakeUpAnswers = {{0x00, kAck}, {0x15, 0x15, kAck}, {0x15, 0x15, kAck}};
    CRecordingEvents events;
    const CRun run = Transfer(ETransferDirection::Read, port, events);
    EXPECT_TRUE(run.m_result.Ok());
    // The first wake-up is answered on the second byte; the next ones come too late.
    EXPECT_EQ(port.m_radio.m_nWakeUps, 1);
}

TEST(Handshake, MissingConfirmationDependsOnTheRetryCounter) {
    struct CCase {
        int m_missesBefore;
        std::vector<bool> m_confirms;
        std::vector<EPromptAnswer> m_answers;
        int m_messageId;
        EPromptButtons m_buttons;
        ETransferOutcome m_outcome;
    };
    const CCase cases[] = {
        // R = 1: R becomes 2 and 61449 asks; Cancel ends.
        {0,
         {false},
         {},
         IDS_COMMUNICATION_ERROR,
         EPromptButtons::RetryCancel,
         ETransferOutcome::CommunicationError},
        // R = 5 still asks.
        {4,
         {false},
         {},
         IDS_COMMUNICATION_ERROR,
         EPromptButtons::RetryCancel,
         ETransferOutcome::CommunicationError},
        // R = 6: program interrupt, nothing to retry.
        {5, {false}, {}, IDS_PROGRAM_INTERRUPT, EPromptButtons::Ok, ETransferOutcome::Interrupted},
        // Retry after a missing confirmation, then the radio confirms.
        {0,
         {false, true},
         {EPromptAnswer::Retry},
         IDS_COMMUNICATION_ERROR,
         EPromptButtons::RetryCancel,
         ETransferOutcome::Done},
    };
    // The full handshake and the squelch exchange's short one follow the same rule.
    for (bool squelch : {false, true}) {
        for (const auto& c : cases) {
            CScriptedPort port;
            port.m_radio.m_wakeUpAnswers.assign(c.m_missesBefore, kNakTwice);
            port.m_radio.m_confirmAnswers = c.m_confirms;
            CRecordingEvents events;
            events.m_log = &port.m_log;
            events.m_answers = c.m_answers;
            CMemoryImage image = CMemoryImage::NewDocument();
            const CTransferResult result =
                squelch ? ReadSquelch(port, "p", image, events)
                        : RunTransfer(ETransferDirection::Read, port, "p", image, events, {});
            ASSERT_GE(events.m_prompts.size(), 1u) << c.m_missesBefore;
            EXPECT_EQ(events.m_prompts[0].m_stringId, c.m_messageId) << squelch;
            EXPECT_EQ(events.m_prompts[0].m_buttons, c.m_buttons) << squelch;
            EXPECT_EQ(events.m_prompts[0].m_icon, EPromptIcon::Exclamation);
            EXPECT_EQ(result.m_outcome, c.m_outcome) << squelch << " " << c.m_missesBefore;
            // A message that only informs waits with the port let go; Retry needs it open.
            const auto ask = std::find(port.m_log.begin(), port.m_log.end(),
                                       "ask " + std::to_string(c.m_messageId));
            ASSERT_NE(ask, port.m_log.end());
            if (c.m_buttons == EPromptButtons::Ok) {
                EXPECT_EQ(*(ask - 1), "close");
            } else if (c.m_outcome == ETransferOutcome::CommunicationError) {
                EXPECT_EQ(*(ask + 1), "close");
            }
            EXPECT_EQ(port.m_radio.m_nWakeUps,
                      c.m_missesBefore + static_cast<int>(c.m_confirms.size()));
        }
    }
}

TEST(Handshake, AHangUpEndsAtOnceWithoutOfferingRetry) {
    for (auto direction : {ETransferDirection::Read, ETransferDirection::Write}) {
        CScriptedPort port;
        port.m_bHungUp = true;
        CRecordingEvents events;
        events.m_answers = {EPromptAnswer::Retry};
        const CRun run = Transfer(direction, port, events);
        EXPECT_EQ(run.m_result.m_outcome, ETransferOutcome::CommunicationError);
        EXPECT_NE(run.m_result.m_detail.find("hung up"), std::string::npos);
        ASSERT_EQ(events.m_prompts.size(), 1u);
        EXPECT_EQ(events.m_prompts[0].m_stringId, IDS_COMMUNICATION_ERROR);
        EXPECT_EQ(events.m_prompts[0].m_buttons, EPromptButtons::Ok);
        EXPECT_EQ(events.m_status.size(), 1u);  // one attempt, no retries
    }
}

TEST(Handshake, ModelCheck) {
    struct CCase {
        CBytes m_ident;
        bool m_accepted;
    };
    const CCase cases[] = {
        {{'V', '4', '7', '4', 0xAA, 0xBB, 0xCC, 0xDD}, true},
        {{'U', '4', '7', '4', 0, 0, 0, 0}, true},
        {{'P', '4', '7', '4', 0, 0, 0, 0}, true},
        {{'X', '4', '7', '4', 0, 0, 0, 0}, true},
        {{0x51, '4', '7', '4', 0, 0, 0, 0}, false},
        {{'V', '4', '7', '5', 0, 0, 0, 0}, false},
        {{0x00, '4', '7', '4', 0, 0, 0, 0}, false},
        {{}, false},  // silent: byte 0 still holds the ACK
    };
    for (const auto& c : cases) {
        CScriptedPort port;
        port.m_radio.m_ident = c.m_ident;
        CRecordingEvents events;
        const CRun run = Transfer(ETransferDirection::Read, port, events);
        EXPECT_EQ(run.m_result.Ok(), c.m_accepted);
        if (!c.m_accepted) {
            EXPECT_EQ(run.m_result.m_outcome, ETransferOutcome::WrongModel);
            ASSERT_EQ(events.m_prompts.size(), 1u);
            EXPECT_EQ(events.m_prompts[0].m_caption, "Caution");
            EXPECT_EQ(events.m_prompts[0].m_text,
                      "Becuase the type of radio does not match,\ncommunications is interrupt.");
            EXPECT_EQ(events.m_prompts[0].m_icon, EPromptIcon::Exclamation);
            EXPECT_EQ(run.m_after, run.m_before);
        }
    }
}

TEST(Handshake, CancelIsHonouredWithinOneAttemptAndShowsNothing) {
    for (int polls : {0, 5, 6, 17}) {
        CScriptedPort port;
        port.m_radio.m_wakeUpAnswers.assign(20, kNakTwice);
        CRecordingEvents events;
        events.m_nCancelAfterPolls = polls;
        const CRun run = Transfer(ETransferDirection::Read, port, events);
        EXPECT_EQ(run.m_result.m_outcome, ETransferOutcome::Cancelled);
        EXPECT_TRUE(events.m_prompts.empty());
        EXPECT_EQ(port.m_radio.m_nWakeUps, polls / 6);
    }
}

TEST(Write, RadioBandFromTheIdentification) {
    // Lower: hundreds and tens in byte 5, units in the high nibble of byte 7; upper: byte 6 and
    // the low nibble of byte 7.
    const std::pair<CBytes, std::pair<int, int>> cases[] = {
        {{0x13, 0x17, 0x64}, {136, 174}},
        {{0x12, 0x34, 0x56}, {125, 346}},
        {{0x98, 0x76, 0x5F}, {985, 775}},
    };
    for (const auto& [bytes, mhz] : cases) {
        const std::uint8_t ident[8] = {'V', '4', '7', '4', 0, bytes[0], bytes[1], bytes[2]};
        const CRadioBand band = RadioBand(ident);
        EXPECT_EQ(band.m_low, std::int64_t{mhz.first} * 100000) << mhz.first;
        EXPECT_EQ(band.m_high, std::int64_t{mhz.second} * 100000) << mhz.second;
    }
}

TEST(Write, BandCheckAsksOnlyWhenNeitherBandFitsAndWakesTheRadioTwice) {
    struct CCase {
        CBytes m_band;  // identification bytes 5..7
        CBandsMHz m_doc;
        EPromptAnswer m_answer;
        bool m_asked;
        bool m_written;
    };
    const CBandsMHz newDoc{136, 174, 350, 520};
    const CBandsMHz uhf{136, 174, 400, 480};
    const CCase cases[] = {
        {{0x13, 0x17, 0x64}, newDoc, EPromptAnswer::Cancel, false, true},
        {{0x40, 0x47, 0x00}, uhf, EPromptAnswer::Cancel, true, false},
        {{0x40, 0x47, 0x00}, uhf, EPromptAnswer::Ok, true, true},
        {{0x40, 0x48, 0x00}, uhf, EPromptAnswer::Cancel, false, true},  // band 2 fits exactly
    };
    for (const auto& c : cases) {
        CScriptedPort port;
        std::copy(c.m_band.begin(), c.m_band.end(), port.m_radio.m_ident.begin() + 5);
        CRecordingEvents events;
        events.m_answers = {c.m_answer};
        int stores = 0;
        CTransferHooks hooks;
        hooks.m_storeGrid = [&] {
            EXPECT_TRUE(port.m_log.empty());  // before the port opens
            ++stores;
        };
        hooks.m_bandLimits = [&] {
            EXPECT_EQ(stores, 1);
            return c.m_doc;
        };
        const CRun run = Transfer(ETransferDirection::Write, port, events, hooks);
        EXPECT_EQ(!events.m_prompts.empty(), c.m_asked);
        if (c.m_asked) {
            EXPECT_EQ(events.m_prompts[0].m_stringId, IDS_BAND_OVER_RANGE);
            EXPECT_EQ(events.m_prompts[0].m_caption, "Caution");
            EXPECT_EQ(events.m_prompts[0].m_buttons, EPromptButtons::OkCancel);
            EXPECT_EQ(events.m_prompts[0].m_icon, EPromptIcon::Exclamation);
        }
        EXPECT_EQ(run.m_result.Ok(), c.m_written);
        EXPECT_EQ(port.m_radio.m_nWakeUps, c.m_written ? 2 : 1);
        EXPECT_EQ(port.m_radio.m_writes.size(), c.m_written ? 510u : 0u);
        if (!c.m_written) {
            EXPECT_EQ(run.m_result.m_outcome, ETransferOutcome::BandRefused);
            EXPECT_EQ(run.m_result.m_messageId, IDS_BAND_OVER_RANGE);
            EXPECT_EQ(run.m_result.m_message, events.m_prompts[0].m_text);
        }
    }
}

TEST(Write, SendsTheBlocksInOrderAndStepsTo190) {
    CScriptedPort port;
    CRecordingEvents events;
    CTransferHooks hooks;
    hooks.m_bandLimits = [] { return CBandsMHz{136, 174, 350, 520}; };
    CRun run = Transfer(ETransferDirection::Write, port, events, hooks);
    ASSERT_TRUE(run.m_result.Ok());
    ASSERT_EQ(port.m_radio.m_writes.size(), 510u);
    EXPECT_EQ(port.m_radio.m_writes.front(), 0x0000);
    EXPECT_EQ(port.m_radio.m_writes.back(), 0x0FE8);
    for (std::size_t i = 0; i < 510; ++i) {
        EXPECT_EQ(port.m_radio.m_writes[i], 8 * i);
    }
    EXPECT_TRUE(std::equal(run.m_after.data() + 6104, run.m_after.data() + 6112,
                           port.m_radio.m_memory.begin() + 0x0FE8));
    EXPECT_EQ(events.m_progress.size(), 190u);
    EXPECT_EQ(events.m_progress.back(), 190);
    EXPECT_EQ(run.m_after, run.m_before);
    // Mandated pauses: two handshakes (the first without the confirmation), one per block.
    EXPECT_EQ(port.m_nPausedMs, 22 + 21 + 510);
}

TEST(Write, MissingAckEndsWithProgramInterrupt) {
    CScriptedPort port;
    port.m_radio.m_noAckBlock = 200;
    CRecordingEvents events;
    CTransferHooks hooks;
    hooks.m_bandLimits = [] { return CBandsMHz{136, 174, 350, 520}; };
    const CRun run = Transfer(ETransferDirection::Write, port, events, hooks);
    EXPECT_EQ(run.m_result.m_outcome, ETransferOutcome::Interrupted);
    EXPECT_EQ(run.m_result.m_messageId, IDS_PROGRAM_INTERRUPT);
    EXPECT_EQ(port.m_radio.m_writes.size(), 201u);
}

TEST(Read, ReplacesOnlyRadioHeldBytesAndOnlyWhenComplete) {
    std::array<std::uint8_t, kRadioSize> memory{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    // The document's password (new document: six 0xFF) must match the radio's.
    std::fill_n(memory.begin() + 0x0FE2, 6, 0xFF);

    CScriptedPort port;
    port.m_radio.m_memory = memory;
    CRecordingEvents events;
    int fills = 0;
    CTransferHooks hooks;
    CMemoryImage* image = nullptr;
    hooks.m_fillGrid = [&] {
        ++fills;
        EXPECT_EQ((*image)[0], memory[0]);  // applied before the grid is refilled
    };
    CMemoryImage before = CMemoryImage::NewDocument();
    before[200 * kRowSize + 20] = 0x42;  // not held by the radio
    CMemoryImage after = before;
    image = &after;
    const auto result = RunTransfer(ETransferDirection::Read, port, "p", after, events, hooks);
    ASSERT_TRUE(result.Ok());
    EXPECT_TRUE(result.m_bImageRead);
    EXPECT_EQ(fills, 1);
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        if (auto address = RadioAddressOf(offset)) {
            ASSERT_EQ(after[offset], memory[*address]) << offset;
        } else {
            ASSERT_EQ(after[offset], before[offset]) << offset;
        }
    }
    EXPECT_EQ(events.m_progress.size(), 191u);
    EXPECT_EQ(events.m_progress.back(), 191);
    EXPECT_EQ(events.m_status.front(), "Waiting the response from radio....");
    EXPECT_EQ(port.m_nPausedMs, 672);
}

TEST(Read, FailuresAndCancelLeaveTheDocumentAsItWas) {
    struct CCase {
        const char* m_name;
        int m_shortBlock;
        int m_cancelAfterPolls;
        bool m_password;
        ETransferOutcome m_outcome;
        const char* m_text;
    };
    const CCase cases[] = {
        {"short reply", 300, -1, false, ETransferOutcome::Interrupted,
         "Program Interrupt, Please reset the radio and try again"},
        {"last block short", 511, -1, false, ETransferOutcome::Interrupted,
         "Program Interrupt, Please reset the radio and try again"},
        {"cancel in the blocks", -1, 6 + 5 * 40, false, ETransferOutcome::Cancelled, ""},
        {"password", -1, -1, true, ETransferOutcome::PasswordError, "Password Error!"},
    };
    for (const auto& c : cases) {
        CScriptedPort port;
        port.m_radio.m_memory.fill(0x11);
        std::fill_n(port.m_radio.m_memory.begin() + 0x0FE2, 6, 0xFF);
        if (c.m_password) {
            std::fill_n(port.m_radio.m_memory.begin() + 0x0FE2, 4, '1');
        }
        port.m_radio.m_shortBlock = c.m_shortBlock;
        CRecordingEvents events;
        events.m_nCancelAfterPolls = c.m_cancelAfterPolls;
        int fills = 0;
        CTransferHooks hooks;
        hooks.m_fillGrid = [&] { ++fills; };
        const CRun run = Transfer(ETransferDirection::Read, port, events, hooks);
        EXPECT_EQ(run.m_result.m_outcome, c.m_outcome) << c.m_name;
        EXPECT_EQ(run.m_result.m_message, c.m_text) << c.m_name;
        EXPECT_EQ(run.m_after, run.m_before) << c.m_name;
        EXPECT_FALSE(run.m_result.m_bImageRead) << c.m_name;
        EXPECT_EQ(fills, 0) << c.m_name;
    }
}

TEST(Transfer, PortThatCannotOpenShows61451AfterTheEntryHooks) {
    CScriptedPort port;
    port.m_bFailOpen = true;
    CRecordingEvents events;
    std::vector<std::string> order;
    CTransferHooks hooks;
    hooks.m_commitCellEdit = [&] { order.push_back("commit"); };
    hooks.m_storeGrid = [&] { order.push_back("store"); };
    const CRun run = Transfer(ETransferDirection::Write, port, events, hooks);
    EXPECT_EQ(run.m_result.m_outcome, ETransferOutcome::PortUnavailable);
    EXPECT_EQ(run.m_result.m_messageId, IDS_OPEN_PORT_FAILED);
    EXPECT_EQ(run.m_result.m_detail, "no such port");
    EXPECT_EQ(order, (std::vector<std::string>{"commit", "store"}));
    ASSERT_EQ(events.m_prompts.size(), 1u);
    EXPECT_EQ(events.m_prompts[0].m_stringId, IDS_OPEN_PORT_FAILED);
}

TEST(Squelch, ReadCopiesFourBytesOnlyFromAWholeReply) {
    for (bool shortReply : {false, true}) {
        CScriptedPort port;
        port.m_radio.m_ident = {'Q', 0, 0, 0, 0, 0, 0, 0};  // any model will do
        std::copy_n("\x30\x31\x32\x33", 4, port.m_radio.m_memory.begin() + 0x0FF6);
        port.m_radio.m_shortBlock = shortReply ? 0x0FF6 / 8 : -1;
        CRecordingEvents events;
        CMemoryImage image = CMemoryImage::NewDocument();
        const CMemoryImage before = image;
        const auto result = ReadSquelch(port, "p", image, events);
        EXPECT_FALSE(port.IsOpen());
        ASSERT_EQ(events.m_prompts.size(), 1u);
        if (shortReply) {
            EXPECT_EQ(result.m_messageId, IDS_PROGRAM_INTERRUPT);
            EXPECT_EQ(image, before);
        } else {
            EXPECT_TRUE(result.Ok());
            EXPECT_EQ(events.m_prompts[0].m_text, "Read Successfully");
            EXPECT_EQ(image[6126], 0x30);
            EXPECT_EQ(image[6129], 0x33);
            image[6126] = before[6126];
            image[6127] = before[6127];
            image[6128] = before[6128];
            image[6129] = before[6129];
            EXPECT_EQ(image, before);
        }
    }
}

TEST(Squelch, WriteStoresTheListsAfterTheHandshakeAndSendsFourBytes) {
    for (bool ack : {true, false}) {
        CScriptedPort port;
        port.m_radio.m_noAckBlock = ack ? -1 : 0x0FF6 / 8;
        CRecordingEvents events;
        CMemoryImage image = CMemoryImage::NewDocument();
        const auto result = WriteSquelch(port, "p", image, events, [&] {
            EXPECT_EQ(port.m_radio.m_nWakeUps, 1);
            image[6126] = 0x76;
        });
        ASSERT_EQ(port.m_radio.m_writes, std::vector<std::uint16_t>{0x0FF6});
        EXPECT_EQ(port.m_radio.m_memory[0x0FF6], 0x76);
        EXPECT_EQ(port.m_radio.m_memory[0x0FF9], 0x1E);
        EXPECT_EQ(port.m_radio.m_memory[0x0FFA], 0x00);
        EXPECT_EQ(result.Ok(), ack);
        ASSERT_EQ(events.m_prompts.size(), 1u);
        EXPECT_EQ(
            events.m_prompts[0].m_text,
            ack ? "Write Successfully" : "Program Interrupt, Please reset the radio and try again");
    }
}

// The fixed order of operations on the line, written down step by step from the protocol.
using CSeq = std::vector<std::string>;

CSeq operator+(CSeq a, const CSeq& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
std::string Out(std::initializer_list<int> bytes) {
    std::string text = ">";
    for (int b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", b);
        text += hex;
    }
    return text;
}
CSeq Polls(int n, bool paused) {
    CSeq s;
    for (int i = 0; i < n; ++i) {
        s = s + (paused ? CSeq{"poll", "pause 1"} : CSeq{"poll"});
    }
    return s;
}
// Purge, the seven wake-up bytes each after 2 ms (and a clear in the full handshake), the
// radio's ACK.
CSeq WakeUp(bool clearEach) {
    CSeq s = {"purge"};
    for (int b : {0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41}) {  // 0x02 "PROGRA"
        s = s + (clearEach ? CSeq{"pause 2", "clear", Out({b})} : CSeq{"pause 2", Out({b})});
    }
    return s + CSeq{"read 1:1"};
}
const CSeq kIdentify = {"pause 1", "clear", Out({'M', 0x02}), "read 8:8"};
const CSeq kConfirm = {"clear", Out({kAck}), "clear", "pause 1", "read 1:1"};
const CSeq kShortConfirm = {"clear", Out({kAck}), "pause 1", "read 1:1"};
CSeq Attempt() {
    return Polls(6, true) + CSeq{"status"} + WakeUp(true) + kIdentify;
}
CSeq AfterRow(int step) {
    return CSeq{"step " + std::to_string(step)} + Polls(5, false);
}
// Radio address of byte `b` of image row `r`.
int Address(int r, int b) {
    return r <= 129 ? 24 * r + b : 0x0C30 + 16 * (r - 195) + b;
}
CSeq ReadBlock(int address, bool channelArea, bool firstOfRow) {
    CSeq s = channelArea && !firstOfRow ? CSeq{"pause 1"} : CSeq{};
    s = s + CSeq{"clear", Out({'R', address >> 8, address & 0xFF, 8}), "read 12:12"};
    s = s + (channelArea ? CSeq{"pause 1"} : CSeq{});
    return s + CSeq{"clear", Out({kAck}), "read 1:1"};
}
CSeq WriteBlock(int address, const CMemoryImage& image, std::size_t offset) {
    return {"clear", Out({'W', address >> 8, address & 0xFF, 8}), "pause 1",
            Out({image[offset], image[offset + 1], image[offset + 2], image[offset + 3],
                 image[offset + 4], image[offset + 5], image[offset + 6], image[offset + 7]}),
            "read 1:1"};
}
// The rows the transfer walks: 0..129 whole, then the first 16 bytes of 195..255 (254 for a
// write).
std::vector<std::pair<int, int>> Rows(int lastRow) {
    std::vector<std::pair<int, int>> rows;
    for (int r = 0; r <= 129; ++r) {
        rows.push_back({r, 3});
    }
    for (int r = 195; r <= lastRow; ++r) {
        rows.push_back({r, 2});
    }
    return rows;
}

void ExpectSequence(const CSeq& actual, const CSeq& expected) {
    const std::size_t n = std::min(actual.size(), expected.size());
    std::size_t i = 0;
    while (i < n && actual[i] == expected[i]) {
        ++i;
    }
    if (i == n && actual.size() == expected.size()) {
        return;
    }
    std::string context;
    for (std::size_t j = i >= 3 ? i - 3 : 0; j < i; ++j) {
        context += actual[j] + " | ";
    }
    ADD_FAILURE() << "step " << i << " after " << context << "got \""
                  << (i < actual.size() ? actual[i] : "<end>") << "\", expected \""
                  << (i < expected.size() ? expected[i] : "<end>") << "\"";
}

TEST(WireOrder, FullRead) {
    CScriptedPort port;
    CRecordingEvents events;
    events.m_log = &port.m_log;
    Transfer(ETransferDirection::Read, port, events);
    CSeq expected = CSeq{"open"} + Attempt() + kConfirm;
    expected = expected + CSeq{Out({'R', 0x0F, 0xE0, 8}), "read 12:12", Out({kAck}), "read 1:1"};
    int step = 0;
    for (auto [r, blocks] : Rows(255)) {
        for (int b = 0; b < blocks; ++b) {
            expected = expected + ReadBlock(Address(r, 8 * b), r <= 129, b == 0);
        }
        expected = expected + AfterRow(++step);
    }
    ExpectSequence(port.m_log, expected + CSeq{"close"});
}

TEST(WireOrder, FullWriteWithTheBandQuestionAndACancel) {
    struct CCase {
        std::uint8_t m_bandHigh;  // identification byte 6
        std::vector<EPromptAnswer> m_answers;
        int m_cancelAfterRows;  // -1: none
    };
    const CCase cases[] = {
        {0x17, {}, -1},                       // band 1 fits: no question
        {0x16, {EPromptAnswer::Ok}, -1},      // neither fits: asked, OK goes on
        {0x16, {EPromptAnswer::Cancel}, -1},  // Cancel ends before any block
        {0x17, {}, 4},                        // Cancel in the progress window after row 4
    };
    for (const auto& c : cases) {
        CScriptedPort port;
        port.m_radio.m_ident[6] = c.m_bandHigh;
        CRecordingEvents events;
        events.m_log = &port.m_log;
        events.m_answers = c.m_answers;
        if (c.m_cancelAfterRows >= 0) {
            events.m_nCancelAfterPolls = 12 + 5 * (c.m_cancelAfterRows - 1);
        }
        CTransferHooks hooks;
        hooks.m_bandLimits = [] { return CBandsMHz{136, 174, 350, 520}; };
        const CRun run = Transfer(ETransferDirection::Write, port, events, hooks);
        const bool asked = !c.m_answers.empty();
        CSeq expected = CSeq{"open"} + Attempt() +
                        (asked ? CSeq{"ask " + std::to_string(IDS_BAND_OVER_RANGE)} : CSeq{});
        if (asked && c.m_answers[0] == EPromptAnswer::Cancel) {
            ExpectSequence(port.m_log, expected + CSeq{"close"});
            continue;
        }
        expected = expected + Attempt() + kConfirm;
        int step = 0;
        for (auto [r, blocks] : Rows(254)) {
            for (int b = 0; b < blocks; ++b) {
                expected = expected + WriteBlock(Address(r, 8 * b), run.m_after, 24 * r + 8 * b);
            }
            expected = expected + AfterRow(++step);
            if (step == c.m_cancelAfterRows) {
                expected.resize(expected.size() - 4);  // the first poll after the row cancels
                break;
            }
        }
        ExpectSequence(port.m_log, expected + CSeq{"close"});
    }
}

TEST(WireOrder, SquelchReadAndWrite) {
    const CSeq handshake = CSeq{"open"} + WakeUp(false) + kIdentify + kShortConfirm;
    CScriptedPort port;
    CRecordingEvents events;
    events.m_log = &port.m_log;
    CMemoryImage image = CMemoryImage::NewDocument();
    ASSERT_TRUE(ReadSquelch(port, "p", image, events).Ok());
    ExpectSequence(port.m_log, handshake + CSeq{"clear", Out({'R', 0x0F, 0xF6, 4}), "pause 1",
                                                "read 8:8", "close", "ask Read Successfully"});
    port.m_log.clear();
    ASSERT_TRUE(
        WriteSquelch(port, "p", image, events, [&] { port.m_log.push_back("store"); }).Ok());
    ExpectSequence(port.m_log,
                   handshake + CSeq{"store", "clear", Out({'W', 0x0F, 0xF6, 4}), "pause 1",
                                    Out({image[6126], image[6127], image[6128], image[6129]}),
                                    "read 1:1", "close", "ask Write Successfully"});
}

TEST(Read, PasswordMustMatchInAllSixBytes) {
    for (int differing = -1; differing < 6; ++differing) {
        CScriptedPort port;
        const std::uint8_t password[] = {'1', '2', '3', '4', 0xFF, 0xFF};
        std::copy(std::begin(password), std::end(password), port.m_radio.m_memory.begin() + 0x0FE2);
        if (differing >= 0) {
            port.m_radio.m_memory[0x0FE2 + differing] ^= 0x01;
        }
        CRecordingEvents events;
        CMemoryImage image = CMemoryImage::NewDocument();
        std::copy(std::begin(password), std::end(password), &image[6098]);
        const auto result = RunTransfer(ETransferDirection::Read, port, "p", image, events, {});
        EXPECT_EQ(result.m_outcome,
                  differing < 0 ? ETransferOutcome::Done : ETransferOutcome::PasswordError)
            << differing;
        if (differing >= 0) {
            ASSERT_EQ(events.m_prompts.size(), 1u);
            EXPECT_EQ(events.m_prompts[0].m_text, "Password Error!");
            EXPECT_EQ(events.m_prompts[0].m_icon, EPromptIcon::Exclamation);
        }
    }
}

TEST(Read, TheAckAfterThePasswordBlockIsRequired) {
    // No ACK to the one after the password; then none after the first block of row 1.
    for (int acks : {0, 4}) {
        CScriptedPort port;
        port.m_radio.m_blockAcks = acks;
        CRecordingEvents events;
        const CRun run = Transfer(ETransferDirection::Read, port, events);
        EXPECT_EQ(run.m_result.m_outcome, ETransferOutcome::Interrupted) << acks;
        EXPECT_EQ(run.m_result.m_messageId, IDS_PROGRAM_INTERRUPT);
        EXPECT_EQ(run.m_after, run.m_before);
        EXPECT_EQ(events.m_progress.size(), acks == 0 ? 0u : 1u);
        EXPECT_EQ(CSeq(port.m_log.end() - 3, port.m_log.end()),
                  (CSeq{"read 1:0", "close", "ask " + std::to_string(IDS_PROGRAM_INTERRUPT)}));
    }
}

TEST(WireOrder, AMissedAnswerPausesBeforeTheNextWakeUp) {
    for (bool squelch : {false, true}) {
        CScriptedPort port;
        port.m_radio.m_wakeUpAnswers = {kNakTwice};
        CRecordingEvents events;
        events.m_log = &port.m_log;
        CMemoryImage image = CMemoryImage::NewDocument();
        if (squelch) {
            ReadSquelch(port, "p", image, events);
        } else {
            RunTransfer(ETransferDirection::Read, port, "p", image, events, {});
        }
        // Two bytes without the ACK, 2 ms, then the next attempt from its start.
        CSeq missed = squelch ? WakeUp(false) : Attempt();
        missed.resize(missed.size() - (squelch ? 1 : 5));
        missed = missed + CSeq{"read 1:1", "read 1:1", "pause 2"};
        const CSeq expected = CSeq{"open"} + missed + (squelch ? WakeUp(false) : Attempt());
        ASSERT_GE(port.m_log.size(), expected.size());
        ExpectSequence(CSeq(port.m_log.begin(), port.m_log.begin() + expected.size()), expected);
    }
}

}  // namespace
