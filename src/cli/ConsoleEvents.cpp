#include "ConsoleEvents.h"

#include "CliCommon.h"

#include "link/TracePort.h"
#include "util/File.h"

#include <unistd.h>

#include <csignal>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// The message without the leading blank lines some string-table texts carry.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        } else {
            line += c;
        }
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

CConsoleLinkEvents* g_pSignalTarget = nullptr;

void OnInterrupt(int) {
    if (g_pSignalTarget != nullptr) {
        g_pSignalTarget->m_bCancel = true;
    }
}

}  // namespace

CConsoleLinkEvents::CConsoleLinkEvents(std::FILE* in, std::FILE* err, COptions options)
    : m_in(in), m_err(err), m_options(options), m_bTerminal(::isatty(::fileno(err)) != 0) {}

void CConsoleLinkEvents::OnStatus(const std::string& text) {
    if (m_options.m_bQuiet || text == m_strStatus) {
        return;
    }
    m_strStatus = text;
    if (m_bTerminal) {
        std::fprintf(m_err, "\r\033[K%s", text.c_str());
        m_bLineOpen = true;
    } else {
        std::fprintf(m_err, "%s\n", text.c_str());
    }
    std::fflush(m_err);
}

void CConsoleLinkEvents::OnProgress(int position) {
    if (m_options.m_bQuiet) {
        return;
    }
    constexpr int kWidth = 40;
    if (m_bTerminal) {
        const int filled = position * kWidth / kProgressMax;
        std::fprintf(m_err, "\r\033[K[%.*s%*s] %d", filled,
                     "########################################", kWidth - filled, "", position);
        m_bLineOpen = true;
    } else if (position % 10 == 0) {
        // A log file gets a line now and then, not 191 of them.
        std::fprintf(m_err, "%d\n", position);
    }
    std::fflush(m_err);
}

void CConsoleLinkEvents::Finish() {
    if (m_bLineOpen) {
        std::fputc('\n', m_err);
        std::fflush(m_err);
        m_bLineOpen = false;
    }
}

EPromptAnswer CConsoleLinkEvents::Ask(const CPrompt& prompt) {
    switch (prompt.m_buttons) {
        case EPromptButtons::Ok:
            // Messages are reported by the command when the transfer has ended.
            return EPromptAnswer::Ok;
        case EPromptButtons::OkCancel:
            if (m_options.m_bYes) {
                return EPromptAnswer::Ok;
            }
            return m_options.m_bInteractive ? AskTerminal(prompt) : EPromptAnswer::Cancel;
        case EPromptButtons::RetryCancel:
            if (m_options.m_bInteractive) {
                return AskTerminal(prompt);
            }
            if (m_nRetriesUsed < m_options.m_nRetries) {
                ++m_nRetriesUsed;
                Finish();
                if (!m_options.m_bQuiet) {
                    std::fprintf(m_err, "%s; retrying (%d of %d).\n",
                                 OneLine(prompt.m_text).c_str(), m_nRetriesUsed,
                                 m_options.m_nRetries);
                }
                return EPromptAnswer::Retry;
            }
            return EPromptAnswer::Cancel;
        case EPromptButtons::YesNo:
            return m_options.m_bInteractive ? AskTerminal(prompt) : EPromptAnswer::No;
        case EPromptButtons::SaveDiscardCancel:
        case EPromptButtons::RestoreDiscard:
            // The command line keeps no unsaved document to ask about.
            return EPromptAnswer::Cancel;
    }
    return EPromptAnswer::Cancel;
}

EPromptAnswer CConsoleLinkEvents::AskTerminal(const CPrompt& prompt) {
    Finish();
    const char* choices = "";
    EPromptAnswer yes = EPromptAnswer::Ok;
    EPromptAnswer no = EPromptAnswer::Cancel;
    char yesKey = 'o';
    switch (prompt.m_buttons) {
        case EPromptButtons::RetryCancel:
            choices = "[r]etry or [c]ancel";
            yes = EPromptAnswer::Retry;
            yesKey = 'r';
            break;
        case EPromptButtons::YesNo:
            choices = "[y]es or [n]o";
            yes = EPromptAnswer::Yes;
            no = EPromptAnswer::No;
            yesKey = 'y';
            break;
        default:
            choices = "[o]k or [c]ancel";
            break;
    }
    for (;;) {
        std::fprintf(m_err, "%s\n%s? ", OneLine(prompt.m_text).c_str(), choices);
        std::fflush(m_err);
        char line[64];
        if (std::fgets(line, sizeof line, m_in) == nullptr) {
            std::fputc('\n', m_err);
            return no;  // end of input: the safe answer
        }
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
        if (c == yesKey) {
            return yes;
        }
        if (c == (yesKey == 'y' ? 'n' : 'c')) {
            return no;
        }
    }
}

CConsoleLink::~CConsoleLink() {
    if (m_pEvents && g_pSignalTarget == m_pEvents.get()) {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGHUP, SIG_DFL);
        g_pSignalTarget = nullptr;
    }
    if (m_pTrace) {
        m_pTrace->Close();
    }
    if (m_pTraceFile == nullptr || m_pTraceFile == stdout) {
        return;
    }
    // The trace is kept in memory and written like every other file, once, at the end.
    std::fclose(m_pTraceFile);
    auto written = WriteFileSafely(
        m_strTracePath,
        std::span(reinterpret_cast<const std::uint8_t*>(m_pTraceBuffer), m_nTraceSize));
    std::free(m_pTraceBuffer);
    if (!written) {
        std::fprintf(stderr, "lh740ctl: the trace was not written: %s\n",
                     written.error().Text(false).c_str());
    }
}

bool CConsoleLink::Prepare(const CConsoleLinkOptions& options,
                           const std::optional<std::string>& remembered,
                           const CPortFactory& makePort, std::string& error) {
    m_strPort = options.m_strPort;
    if (m_strPort.empty() && remembered) {
        m_strPort = *remembered;
    }
    if (m_strPort.empty()) {
        error = "no port given and none remembered; use --port PORT (see lh740ctl ports).";
        return false;
    }
    m_pPort = makePort(m_strPort);
    if (!options.m_strTrace.empty()) {
        if (options.m_strTrace == "-") {
            m_pTraceFile = stdout;
        } else {
            // A trace written over the document would destroy what the transfer is about.
            for (const std::string& document : options.m_keep) {
                if (!document.empty() && IsSameFile(options.m_strTrace, document)) {
                    error = "the trace file \"" + options.m_strTrace +
                            "\" is the command's own .dat file; choose another file for --trace.";
                    return false;
                }
            }
            // Refused now rather than after the transfer: a device, a pipe, a protected file.
            if (auto writable = CheckWritableTarget(options.m_strTrace); !writable) {
                error = "cannot write the trace file: " + writable.error().Text(false);
                return false;
            }
            m_strTracePath = options.m_strTrace;
            m_pTraceFile = ::open_memstream(&m_pTraceBuffer, &m_nTraceSize);
            if (m_pTraceFile == nullptr) {
                error = "cannot keep the trace: " + SystemReason(errno).m_en + ".";
                return false;
            }
        }
        m_pTrace = std::make_unique<CTraceSerialPort>(*m_pPort, m_pTraceFile);
    }
    CConsoleLinkEvents::COptions eventOptions;
    eventOptions.m_bQuiet = options.m_bQuiet;
    eventOptions.m_bYes = options.m_bYes;
    eventOptions.m_nRetries = options.m_nRetries;
    eventOptions.m_bInteractive = ::isatty(STDIN_FILENO) != 0 && ::isatty(STDERR_FILENO) != 0;
    m_pEvents = std::make_unique<CConsoleLinkEvents>(stdin, stderr, eventOptions);
    m_pEvents->m_bChinese = CliChinese();
    g_pSignalTarget = m_pEvents.get();
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    // A closed terminal or ssh session: the port must still be released.
    std::signal(SIGHUP, OnInterrupt);
    return true;
}

std::string CConsoleLink::Describe(const CTransferResult& result) {
    // A message that shows the detail on a line of its own keeps it there.
    const std::string& detail = result.m_detail;
    std::string message = result.m_message;
    const bool ownLine = !detail.empty() && message.ends_with("\n" + detail);
    if (ownLine) {
        message.resize(message.size() - detail.size() - 1);
    }
    std::string text = OneLine(message);
    if (!detail.empty()) {
        text += text.empty() ? detail : ownLine ? "\n" + detail : " (" + detail + ")";
    }
    if (text.empty() && result.m_outcome == ETransferOutcome::Cancelled) {
        text = "cancelled.";
    }
    return text;
}
