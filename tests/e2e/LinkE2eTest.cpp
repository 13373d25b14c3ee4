#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

#include "image/ProgramDoc.h"
#include "link/CloneProtocol.h"
#include "settings/Messages.h"
#include "sim/SimServer.h"
#include "support/PortOpen.h"
#include "support/TempDir.h"

namespace {

using CClock = std::chrono::steady_clock;

// The simulated radio served on a pseudo-terminal by a thread of its own. A test looks at the
// radio after Stop(): the join orders the two threads' accesses (the pseudo-terminal between
// them orders them too, but no sanitizer can see that).
class CPtyRadio {
public:
    explicit CPtyRadio(CSimTiming timing = {}) : m_server(m_radio, timing) {
        std::string error;
        EXPECT_TRUE(m_server.Create(error)) << error;
        EXPECT_EQ(::pipe(m_stop), 0);
    }
    ~CPtyRadio() { Stop(); }

    void Start() {
        m_thread = std::thread([this] { m_end = m_server.Serve(m_stop[0], false, {}); });
    }
    void Stop() {
        if (m_thread.joinable()) {
            const char byte = 1;
            EXPECT_EQ(::write(m_stop[1], &byte, 1), 1);
            m_thread.join();
        }
        for (int& fd : m_stop) {
            if (fd >= 0) {
                ::close(fd);
                fd = -1;
            }
        }
    }
    const std::string& Path() const { return m_server.SlavePath(); }
    bool Inject(const std::vector<std::uint8_t>& bytes) { return m_server.Inject(bytes); }

    CSimRadio m_radio;
    CSimPtyServer::EEnd m_end = CSimPtyServer::EEnd::Error;

private:
    CSimPtyServer m_server;
    int m_stop[2] = {-1, -1};
    std::thread m_thread;
};

class CEvents : public CLinkEvents {
public:
    std::vector<CPrompt> m_prompts;
    EPromptAnswer m_answer = EPromptAnswer::Cancel;  // for questions
    int m_nStatus = 0;
    int m_nProgress = 0;
    int m_nCancelAtPoll = -1;
    int m_nPolls = 0;

    void OnStatus(const std::string&) override { ++m_nStatus; }
    void OnProgress(int position) override { m_nProgress = position; }
    EPromptAnswer Ask(const CPrompt& prompt) override {
        m_prompts.push_back(prompt);
        return prompt.m_buttons == EPromptButtons::Ok ? EPromptAnswer::Ok : m_answer;
    }
    bool CancelRequested() override {
        return m_nCancelAtPoll >= 0 && m_nPolls++ >= m_nCancelAtPoll;
    }
};

std::array<std::uint8_t, kRadioSize> Pattern(std::uint8_t seed) {
    std::array<std::uint8_t, kRadioSize> memory{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(i * 13 + seed + (i >> 8));
    }
    std::fill_n(memory.begin() + 0x0FE2, 6, 0xFF);  // no password
    return memory;
}

CMemoryImage BaseDocument() {
    CMemoryImage image = CMemoryImage::NewDocument();
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        if (!RadioAddressOf(offset)) {
            image[offset] = static_cast<std::uint8_t>(offset * 5);
        }
    }
    return image;
}

CBandsMHz NewDocumentBands() {
    return {136, 174, 350, 520};
}

TEST(LinkE2e, ReadReproducesTheRadioAndKeepsTheOtherBytes) {
    CPtyRadio radio;
    radio.m_radio.m_memory = Pattern(7);
    radio.Start();
    CPosixSerialPort port;
    CEvents events;
    CMemoryImage image = BaseDocument();
    const CMemoryImage before = image;
    const auto result =
        RunTransfer(ETransferDirection::Read, port, radio.Path(), image, events, {});
    ASSERT_TRUE(result.Ok()) << result.m_message << result.m_detail;
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(result.m_bImageRead);
    EXPECT_EQ(events.m_nProgress, 191);
    radio.Stop();
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        if (auto address = RadioAddressOf(offset)) {
            ASSERT_EQ(image[offset], radio.m_radio.m_memory[*address]) << offset;
        } else {
            ASSERT_EQ(image[offset], before[offset]) << offset;
        }
    }
}

// Bytes already waiting in the port when the transfer starts, among them what looks like the
// radio's acknowledgement, are cleared before the wake-up: the read succeeds.
TEST(LinkE2e, StaleBytesBeforeTheWakeUpAreCleared) {
    class CNoisyPort : public CPosixSerialPort {
    public:
        std::function<void()> m_afterOpen;
        CResult<> Open(const std::string& name) override {
            auto opened = CPosixSerialPort::Open(name);
            if (opened && m_afterOpen) {
                m_afterOpen();
            }
            return opened;
        }
    };
    CPtyRadio radio;
    radio.m_radio.m_memory = Pattern(3);
    radio.Start();
    CNoisyPort port;
    port.m_afterOpen = [&radio] {
        EXPECT_TRUE(radio.Inject({kAck, kAck, 0x15, 0x00, 'P', 0xFF, kAck}));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // in the port by then
    };
    CEvents events;
    CMemoryImage image = BaseDocument();
    const auto result =
        RunTransfer(ETransferDirection::Read, port, radio.Path(), image, events, {});
    ASSERT_TRUE(result.Ok()) << result.m_message << result.m_detail;
    radio.Stop();
    EXPECT_EQ(radio.m_radio.m_nWakeUps, 1);
    EXPECT_EQ(image[0], radio.m_radio.m_memory[*RadioAddressOf(0)]);
}

TEST(LinkE2e, WriteChangesExactlyTheWrittenBytes) {
    CPtyRadio radio;
    radio.m_radio.m_memory = Pattern(1);
    const auto radioBefore = radio.m_radio.m_memory;
    radio.Start();
    CMemoryImage image = BaseDocument();
    // Every radio-held byte differs from what the radio holds.
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        if (auto address = RadioAddressOf(offset)) {
            image[offset] = static_cast<std::uint8_t>(radioBefore[*address] + 1);
        }
    }
    const CMemoryImage before = image;
    CPosixSerialPort port;
    CEvents events;
    CTransferHooks hooks;
    hooks.m_bandLimits = NewDocumentBands;
    const auto result =
        RunTransfer(ETransferDirection::Write, port, radio.Path(), image, events, hooks);
    ASSERT_TRUE(result.Ok()) << result.m_message << result.m_detail;
    EXPECT_TRUE(events.m_prompts.empty());
    EXPECT_EQ(events.m_nProgress, 190);
    EXPECT_EQ(image, before);
    // The radio now holds the image's bytes, except its own 16 from 0x0FF0.
    auto expected = radioBefore;
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        if (auto address = RadioAddressOf(offset); address && *address < 0x0FF0) {
            expected[*address] = image[offset];
        }
    }
    radio.Stop();
    EXPECT_EQ(radio.m_radio.m_memory, expected);
    int changed = 0;
    for (std::size_t address = 0; address < kRadioSize; ++address) {
        changed += radio.m_radio.m_memory[address] != radioBefore[address];
    }
    EXPECT_EQ(changed, 4080);
}

TEST(LinkE2e, SquelchReadAndWrite) {
    CPtyRadio radio;
    radio.m_radio.m_modelLetter = 'Z';  // any model will do here
    std::copy_n("\x10\x20\x30\x40", 4, radio.m_radio.m_memory.begin() + 0x0FF6);
    radio.Start();
    CPosixSerialPort port;
    CEvents events;
    CMemoryImage image = CMemoryImage::NewDocument();
    auto result = ReadSquelch(port, radio.Path(), image, events);
    ASSERT_TRUE(result.Ok()) << result.m_message;
    EXPECT_EQ(image[6126], 0x10);
    EXPECT_EQ(image[6129], 0x40);

    image[6127] = 0x55;
    result = WriteSquelch(port, radio.Path(), image, events, {});
    ASSERT_TRUE(result.Ok()) << result.m_message;
    radio.Stop();
    EXPECT_EQ(radio.m_radio.m_memory[0x0FF7], 0x55);
    EXPECT_EQ(radio.m_radio.m_memory[0x0FFA], CMemoryImage::NewDocument()[6130]);
    EXPECT_FALSE(port.IsOpen());
}

TEST(LinkE2e, FaultsEndWithTheirMessageAndLeaveTheDocumentAlone) {
    struct CCase {
        const char* m_fault;
        const char* m_password;
        ETransferOutcome m_outcome;
        const char* m_text;
    };
    const char* const kInterrupt = LoadString(IDS_PROGRAM_INTERRUPT, false);
    const CCase cases[] = {
        {"wrong-model", "", ETransferOutcome::WrongModel,
         "Becuase the type of radio does not match,\ncommunications is interrupt."},
        {"", "1234", ETransferOutcome::PasswordError, "Password Error!"},
        {"drop-ack=100", "", ETransferOutcome::Interrupted, kInterrupt},
        {"short-reply=300", "", ETransferOutcome::Interrupted, kInterrupt},
        {"short-reply=511", "", ETransferOutcome::Interrupted, kInterrupt},
        {"hangup=200", "", ETransferOutcome::Interrupted, kInterrupt},
        {"no-confirm", "", ETransferOutcome::CommunicationError,
         LoadString(IDS_COMMUNICATION_ERROR, false)},
        {"nak-wakeup=3", "", ETransferOutcome::Done, ""},
    };
    for (const auto& c : cases) {
        CPtyRadio radio;
        std::string error;
        if (*c.m_fault != 0) {
            ASSERT_TRUE(ParseSimFault(c.m_fault, radio.m_radio.m_faults, error)) << error;
        }
        radio.m_radio.SetPassword(c.m_password);
        radio.Start();
        CPosixSerialPort port;
        CEvents events;
        CMemoryImage image = BaseDocument();
        const CMemoryImage before = image;
        const auto start = CClock::now();
        const auto result =
            RunTransfer(ETransferDirection::Read, port, radio.Path(), image, events, {});
        EXPECT_LT(CClock::now() - start, std::chrono::seconds(5)) << c.m_fault;
        EXPECT_EQ(result.m_outcome, c.m_outcome) << c.m_fault;
        EXPECT_EQ(result.m_message, c.m_text) << c.m_fault;
        EXPECT_FALSE(port.IsOpen());
        if (c.m_outcome != ETransferOutcome::Done) {
            EXPECT_EQ(image, before) << c.m_fault;
            EXPECT_FALSE(result.m_bImageRead) << c.m_fault;
        }
        if (std::string(c.m_fault).starts_with("hangup")) {
            EXPECT_NE(result.m_detail.find("hung up"), std::string::npos);
        } else {
            // The port was let go: another program can have it now.
            CPosixSerialPort again;
            EXPECT_TRUE(OpenPort(again, radio.Path(), error)) << c.m_fault << ": " << error;
        }
    }
}

TEST(LinkE2e, SilentRadioMissesFifteenAnswersThenAsks) {
    CPtyRadio radio;
    radio.m_radio.m_faults.m_silent = true;
    radio.Start();
    CPosixSerialPort port;
    CEvents events;
    CMemoryImage image = BaseDocument();
    const CMemoryImage before = image;
    const auto start = CClock::now();
    const auto result =
        RunTransfer(ETransferDirection::Read, port, radio.Path(), image, events, {});
    const auto elapsed = CClock::now() - start;
    EXPECT_EQ(result.m_outcome, ETransferOutcome::CommunicationError);
    EXPECT_EQ(events.m_nStatus, 15);  // one status text per attempt
    ASSERT_EQ(events.m_prompts.size(), 1u);
    EXPECT_EQ(events.m_prompts[0].m_stringId, IDS_COMMUNICATION_ERROR);
    EXPECT_EQ(events.m_prompts[0].m_buttons, EPromptButtons::RetryCancel);
    EXPECT_EQ(image, before);
    EXPECT_FALSE(port.IsOpen());
    // Each attempt waits out two 1-byte reads of 190 ms.
    EXPECT_GT(elapsed, std::chrono::milliseconds(15 * 380));
    EXPECT_LT(elapsed, std::chrono::milliseconds(15 * 380 + 3000));
}

TEST(LinkE2e, CancelDuringTheBlocksStopsAfterTheRow) {
    CPtyRadio radio;
    radio.Start();
    CPosixSerialPort port;
    CEvents events;
    events.m_nCancelAtPoll = 6 + 5 * 20;  // the poll after row 20
    CMemoryImage image = BaseDocument();
    const CMemoryImage before = image;
    const auto result =
        RunTransfer(ETransferDirection::Read, port, radio.Path(), image, events, {});
    EXPECT_EQ(result.m_outcome, ETransferOutcome::Cancelled);
    EXPECT_TRUE(events.m_prompts.empty());
    EXPECT_EQ(events.m_nProgress, 21);
    radio.Stop();
    EXPECT_EQ(radio.m_radio.m_nBlocksRead, 1 + 21 * 3);  // the password block, then 21 rows
    EXPECT_EQ(image, before);
    EXPECT_FALSE(port.IsOpen());
}

TEST(LinkE2e, PortOpenElsewhereIsRefused) {
    CPtyRadio radio;
    radio.Start();
    CPosixSerialPort holder;
    std::string error;
    ASSERT_TRUE(OpenPort(holder, radio.Path(), error)) << error;
    CPosixSerialPort port;
    CEvents events;
    CMemoryImage image = BaseDocument();
    const auto result =
        RunTransfer(ETransferDirection::Read, port, radio.Path(), image, events, {});
    EXPECT_EQ(result.m_outcome, ETransferOutcome::PortUnavailable);
    EXPECT_EQ(result.m_messageId, IDS_OPEN_PORT_FAILED);
    EXPECT_EQ(result.m_detail,
              radio.Path() + ": busy, held by process " + std::to_string(::getpid()) + ".");
    radio.Stop();
    EXPECT_EQ(radio.m_radio.m_nWakeUps, 0);
}

TEST(PosixSerialPort, ReadTimeOutsAndHangUp) {
    auto radio = std::make_unique<CPtyRadio>();
    radio->m_radio.m_faults.m_silent = true;
    radio->Start();
    CPosixSerialPort port;
    std::string error;
    ASSERT_TRUE(OpenPort(port, radio->Path(), error)) << error;
    std::uint8_t buffer[16] = {};
    for (std::size_t n : {1u, 8u}) {
        const auto start = CClock::now();
        const CReadResult r = port.Read(buffer, n);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(CClock::now() - start).count();
        EXPECT_EQ(r.m_status, EReadStatus::Ok);
        EXPECT_EQ(r.m_count, 0u);
        EXPECT_GE(ms, 90 + 100 * static_cast<long>(n));
        EXPECT_LT(ms, 90 + 100 * static_cast<long>(n) + 100);
    }
    // The other end goes away: the read ends at once and says so, and stays ended.
    radio.reset();
    for (int i = 0; i < 2; ++i) {
        const auto start = CClock::now();
        const CReadResult r = port.Read(buffer, 12);
        EXPECT_EQ(r.m_status, EReadStatus::HangUp);
        EXPECT_LT(CClock::now() - start, std::chrono::milliseconds(100));
    }
    port.Close();
    CTempDir dir;
    const std::string file = dir / "plain-file";
    std::fclose(std::fopen(file.c_str(), "w"));
    EXPECT_FALSE(OpenPort(port, file, error));
    EXPECT_NE(error.find("not a serial port"), std::string::npos) << error;
    EXPECT_FALSE(OpenPort(port, dir / "no-such-tty", error));
    EXPECT_NE(error.find("no such device"), std::string::npos) << error;
}

// A pseudo-terminal with the port open on its far side; the test plays the radio on the master.
struct CBarePty {
    CBarePty() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        m_bOk = m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0 &&
                OpenPort(m_port, ::ptsname(m_master), m_error);
    }
    ~CBarePty() {
        m_port.Close();
        ::close(m_master);
    }
    int m_master = -1;
    CPosixSerialPort m_port;
    std::string m_error;
    bool m_bOk = false;
};

TEST(PosixSerialPort, BytesThatStopArrivingEndTheReadAfterTheGap) {
    CBarePty pty;
    ASSERT_TRUE(pty.m_bOk) << pty.m_error;
    CPosixSerialPort& port = pty.m_port;
    const int master = pty.m_master;
    // Three of twelve bytes arrive, then nothing: the read ends 30 ms after the last one, long
    // before its total time-out of 90 + 12 * 100 ms.
    const std::uint8_t bytes[] = {1, 2, 3};
    ASSERT_EQ(::write(master, bytes, sizeof bytes), 3);
    std::uint8_t buffer[12] = {};
    const auto start = CClock::now();
    const CReadResult r = port.Read(buffer, 12);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(CClock::now() - start).count();
    EXPECT_EQ(r.m_status, EReadStatus::Ok);
    EXPECT_EQ(r.m_count, 3u);
    EXPECT_GE(ms, 29);
    EXPECT_LT(ms, 600);
}

// A reader that wakes up after its deadline (a busy machine) still takes the bytes that came
// in meanwhile, rather than reporting a radio that did not answer.
TEST(PosixSerialPort, BytesThatArrivedWhileTheReaderSleptAreTaken) {
    CBarePty pty;
    ASSERT_TRUE(pty.m_bOk) << pty.m_error;
    CPosixSerialPort& port = pty.m_port;
    const int master = pty.m_master;
    // The signal's handler keeps the reader away for longer than its 90 + 100 ms.
    struct sigaction action {};
    action.sa_handler = [](int) {
        const timespec pause{0, 400'000'000};
        ::nanosleep(&pause, nullptr);
    };
    struct sigaction old {};
    ASSERT_EQ(::sigaction(SIGUSR1, &action, &old), 0);
    const pthread_t reader = ::pthread_self();
    std::thread radio([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ::pthread_kill(reader, SIGUSR1);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const std::uint8_t ack = kAck;
        EXPECT_EQ(::write(master, &ack, 1), 1);
    });
    std::uint8_t buffer[1] = {};
    const CReadResult r = port.Read(buffer, 1);
    radio.join();
    ::sigaction(SIGUSR1, &old, nullptr);
    EXPECT_EQ(r.m_status, EReadStatus::Ok);
    ASSERT_EQ(r.m_count, 1u);
    EXPECT_EQ(buffer[0], kAck);
}

}  // namespace
