#pragma once

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/CloneProtocol.h"

// Transfer events for a text terminal: a progress bar and the status texts on `err`, questions
// asked on the terminal when there is one, answered by the options when not.
class CConsoleLinkEvents : public CLinkEvents {
public:
    struct COptions {
        bool m_bQuiet = false;
        bool m_bInteractive = false;  // questions are asked on `in`/`err`
        bool m_bYes = false;          // answers OK to the band question
        int m_nRetries = 0;           // automatic retries after a communication error
    };
    CConsoleLinkEvents(std::FILE* in, std::FILE* err, COptions options);

    void OnStatus(const std::string& text) override;
    void OnProgress(int position) override;
    EPromptAnswer Ask(const CPrompt& prompt) override;
    bool CancelRequested() override { return m_bCancel; }

    // Set from a signal handler or another thread: the transfer stops at its next poll.
    std::atomic<bool> m_bCancel{false};
    // Ends the progress line, if one is showing.
    void Finish();

private:
    EPromptAnswer AskTerminal(const CPrompt& prompt);

    std::FILE* m_in;
    std::FILE* m_err;
    COptions m_options;
    bool m_bTerminal = false;  // `err` is a terminal: redraw one line
    bool m_bLineOpen = false;
    std::string m_strStatus;
    int m_nRetriesUsed = 0;
};

// Everything a command-line transfer needs: the port (given or remembered, optionally traced),
// the events, and Ctrl+C turned into Cancel while it runs.
struct CConsoleLinkOptions {
    std::string m_strPort;   // empty: the remembered one
    std::string m_strTrace;  // file for the byte trace ("-": standard output), empty for none
    std::vector<std::string> m_keep;  // the command's documents: never a trace file
    bool m_bQuiet = false;
    bool m_bYes = false;
    int m_nRetries = 0;
};

class CConsoleLink {
public:
    using CPortFactory = std::function<std::unique_ptr<CSerialPort>(const std::string& name)>;

    CConsoleLink() = default;
    CConsoleLink(const CConsoleLink&) = delete;
    CConsoleLink& operator=(const CConsoleLink&) = delete;
    ~CConsoleLink();

    // False with a sentence in `error` when there is no port to use or no trace file.
    bool Prepare(const CConsoleLinkOptions& options, const std::optional<std::string>& remembered,
                 const CPortFactory& makePort, std::string& error);

    CSerialPort& Port() { return m_pTrace ? *m_pTrace : *m_pPort; }
    CConsoleLinkEvents& Events() { return *m_pEvents; }
    const std::string& PortName() const { return m_strPort; }

    // The message of a failed transfer in one line, with what the system said (on a second line
    // when the message shows it there, as "Could not Open the Port" does).
    static std::string Describe(const CTransferResult& result);

private:
    std::string m_strPort;
    std::unique_ptr<CSerialPort> m_pPort;
    std::unique_ptr<CSerialPort> m_pTrace;
    std::FILE* m_pTraceFile = nullptr;  // stdout for "-", else a memory stream
    std::string m_strTracePath;
    char* m_pTraceBuffer = nullptr;
    std::size_t m_nTraceSize = 0;
    std::unique_ptr<CConsoleLinkEvents> m_pEvents;
};
