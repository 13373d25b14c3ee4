#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "link/CloneProtocol.h"

class CSimRadio;
class CUserValues;

// The port every transfer uses: a serial device path, or "sim" for the simulated radio.
extern QString g_strComPort;
inline const QString kSimulatedPort = QStringLiteral("sim");
// Where the port name starts when the user has never chosen one (the first serial port).
inline const QString kDefaultPort = QStringLiteral("/dev/ttyS0");

// The remembered port (user value "com"), if any. The old numeric form 1..4 names the
// first four serial ports.
std::optional<QString> RememberedPort(CUserValues& values);
bool RememberPort(CUserValues& values, const QString& port);

// "sim" is one simulated radio for the whole run, so a write can be read back; any other name
// is a serial device.
std::unique_ptr<CSerialPort> MakeTransferPort(const std::string& name);
CSimRadio& SimulatedRadio();

// Calls handed from a worker thread to the thread of a QObject (the UI thread). What crosses
// goes through a mutex of ours and an eventfd rather than Qt's event queue, whose locks the
// thread sanitizer cannot see. Once the object is destroyed, nothing more is run and waiting
// callers are let go.
class CUiMailbox {
public:
    explicit CUiMailbox(QObject* receiver);
    ~CUiMailbox();
    CUiMailbox(const CUiMailbox&) = delete;
    CUiMailbox& operator=(const CUiMailbox&) = delete;
    // Runs `call` on the receiver's thread later; false when the receiver is gone.
    bool Post(std::function<void()> call);
    // Runs `call` on the receiver's thread and waits until it has run; false when it never will.
    bool Call(std::function<void()> call);

private:
    struct CState;
    class CReceiver;
    std::shared_ptr<CState> m_pState;
};

// A transfer's events, raised on the worker thread and handled on the UI thread. Status and
// progress are posted; a question blocks the worker until the user has answered it.
class CUiLinkEvents : public CLinkEvents {
public:
    explicit CUiLinkEvents(QObject* uiContext);

    std::function<void(const QString&)> m_onStatus;
    std::function<void(int)> m_onProgress;
    std::atomic<bool> m_bCancel{false};

    void OnStatus(const std::string& text) override;
    void OnProgress(int position) override;
    EPromptAnswer Ask(const CPrompt& prompt) override;
    bool CancelRequested() override { return m_bCancel.load(); }
    CUiMailbox& Mailbox() { return m_mailbox; }

private:
    CUiMailbox m_mailbox;
    std::thread::id m_uiThread;
};

// What a transfer did, for the status bar: "Read 128 channels from /dev/ttyUSB0 in 10.4 s",
// or that it was cancelled or failed. `channels` counts the defined channels (full transfers);
// `squelch` names the squelch levels instead.
enum class ETransferKind { kRead, kWrite, kSquelchRead, kSquelchWrite };
QString TransferSummary(ETransferKind kind, const CTransferResult& result, int channels,
                        const QString& port, qint64 milliseconds);
// Shows `text` in the status bar of `widget`'s main window.
void ShowInStatusBar(QWidget* widget, const QString& text);

// Runs `work` on a thread of its own; `done` receives its result on the UI thread after every
// event the work posted through `events` (never, when the events' window is gone by then).
void StartWorker(std::shared_ptr<CUiLinkEvents> events, std::function<CTransferResult()> work,
                 std::function<void(const CTransferResult&)> done);

// Tells the windows that wait for a transfer of their own when the lock is taken or released.
class CTransferLockNotifier : public QObject {
    Q_OBJECT
signals:
    void Changed(bool active);
};

// While a transfer or a squelch exchange runs, nothing may replace or destroy the document,
// its view or the progress window, nothing may edit the document, and no other transfer may
// start (the port and the radio serve one at a time): the commands that could are disabled,
// progress windows refuse Start, the main window refuses to close and to take dropped files,
// and the view takes no input. Every Engage has its Release; the lock is held until the last
// holder has released it.
class CTransferLock {
public:
    static bool Active();
    // `frame` is the main window (may be null); `view` is locked too when given.
    static void Engage(QWidget* frame, QWidget* view);
    // `view` as given to Engage.
    static void Release(QWidget* view = nullptr);
    // The commands held disabled while a transfer runs.
    static const QList<int>& LockedCommands();
    static CTransferLockNotifier& Notifier();
};
