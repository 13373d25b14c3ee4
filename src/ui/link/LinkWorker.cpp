#include "ui/link/LinkWorker.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QWidget>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "settings/UserValues.h"
#include "sim/SimServer.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/UiGlobals.h"

QString g_strComPort = kDefaultPort;

std::optional<QString> RememberedPort(CUserValues& values) {
    if (auto text = values.GetString("com"); text && !text->empty()) {
        return QString::fromStdString(*text);
    }
    if (auto number = values.GetNumber("com"); number && *number >= 1 && *number <= 4) {
        return QStringLiteral("/dev/ttyS%1").arg(*number - 1);
    }
    return std::nullopt;
}

bool RememberPort(CUserValues& values, const QString& port) {
    return values.SetString("com", port.toStdString());
}

CSimRadio& SimulatedRadio() {
    static CSimRadio radio;
    return radio;
}

std::unique_ptr<CSerialPort> MakeTransferPort(const std::string& name) {
    if (QString::fromStdString(name) == kSimulatedPort) {
        return std::make_unique<CSimSerialPort>(SimulatedRadio());
    }
    return std::make_unique<CPosixSerialPort>();
}

struct CUiMailbox::CState {
    std::mutex m_mutex;
    std::condition_variable m_ran;
    CReceiver* m_pReceiver = nullptr;  // null once destroyed
    int m_wakeFd = -1;                 // an eventfd
    std::deque<std::function<void()>> m_calls;
    std::uint64_t m_nPosted = 0;
    std::uint64_t m_nRun = 0;

    // With the mutex held: queues `call` and wakes the receiver's thread. A write to an
    // eventfd, unlike an event posted into Qt, is an order the thread sanitizer sees.
    void Queue(std::function<void()> call);
};

// Lives on the UI thread as a child of the receiver, so it goes when the receiver goes.
class CUiMailbox::CReceiver : public QObject {
public:
    CReceiver(QObject* parent, std::shared_ptr<CState> state)
        : QObject(parent), m_pState(std::move(state)) {
        m_pState->m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        m_pState->m_pReceiver = this;
        if (m_pState->m_wakeFd >= 0) {
            auto* notifier = new QSocketNotifier(m_pState->m_wakeFd, QSocketNotifier::Read, this);
            connect(notifier, &QSocketNotifier::activated, this, &CReceiver::Deliver);
        }
    }
    ~CReceiver() override {
        std::lock_guard lock(m_pState->m_mutex);
        if (m_pState->m_wakeFd >= 0) {
            ::close(m_pState->m_wakeFd);
        }
        m_pState->m_wakeFd = -1;
        m_pState->m_pReceiver = nullptr;
        m_pState->m_calls.clear();
        m_pState->m_nRun = m_pState->m_nPosted;
        m_pState->m_ran.notify_all();
    }

    void Deliver() {
        std::deque<std::function<void()>> calls;
        {
            std::lock_guard lock(m_pState->m_mutex);
            std::uint64_t count = 0;
            if (m_pState->m_wakeFd >= 0) {
                [[maybe_unused]] const ssize_t n = ::read(m_pState->m_wakeFd, &count, sizeof count);
            }
            calls.swap(m_pState->m_calls);
        }
        QPointer<QObject> alive(this);
        for (auto& call : calls) {
            call();  // a call may show a dialog and destroy us meanwhile
            if (!alive) {
                return;
            }
            std::lock_guard lock(m_pState->m_mutex);
            ++m_pState->m_nRun;
            m_pState->m_ran.notify_all();
        }
    }

private:
    std::shared_ptr<CState> m_pState;
};

void CUiMailbox::CState::Queue(std::function<void()> call) {
    m_calls.push_back(std::move(call));
    ++m_nPosted;
    const std::uint64_t one = 1;
    if (m_wakeFd < 0 || ::write(m_wakeFd, &one, sizeof one) != sizeof one) {
        // No eventfd to be had (out of descriptors): Qt's queue wakes it instead, so a result
        // is never stranded.
        QMetaObject::invokeMethod(
            m_pReceiver, [receiver = m_pReceiver] { receiver->Deliver(); }, Qt::QueuedConnection);
    }
}

CUiMailbox::CUiMailbox(QObject* receiver) : m_pState(std::make_shared<CState>()) {
    if (receiver != nullptr) {
        new CReceiver(receiver, m_pState);
    }
}

CUiMailbox::~CUiMailbox() {
    std::lock_guard lock(m_pState->m_mutex);
    if (m_pState->m_pReceiver != nullptr) {
        m_pState->m_pReceiver->deleteLater();  // on its own thread, after what is queued
    }
}

bool CUiMailbox::Post(std::function<void()> call) {
    std::lock_guard lock(m_pState->m_mutex);
    if (m_pState->m_pReceiver == nullptr) {
        return false;
    }
    m_pState->Queue(std::move(call));
    return true;
}

bool CUiMailbox::Call(std::function<void()> call) {
    auto ran = std::make_shared<bool>(false);
    std::unique_lock lock(m_pState->m_mutex);
    if (m_pState->m_pReceiver == nullptr) {
        return false;
    }
    m_pState->Queue([call = std::move(call), ran] {
        call();
        *ran = true;
    });
    const std::uint64_t ticket = m_pState->m_nPosted;
    m_pState->m_ran.wait(lock, [&] { return m_pState->m_nRun >= ticket; });
    return *ran;
}

CUiLinkEvents::CUiLinkEvents(QObject* uiContext)
    : m_mailbox(uiContext), m_uiThread(std::this_thread::get_id()) {}

void CUiLinkEvents::OnStatus(const std::string& text) {
    if (m_onStatus) {
        m_mailbox.Post([f = m_onStatus, text] { f(QString::fromStdString(text)); });
    }
}

void CUiLinkEvents::OnProgress(int position) {
    if (m_onProgress) {
        m_mailbox.Post([f = m_onProgress, position] { f(position); });
    }
}

EPromptAnswer CUiLinkEvents::Ask(const CPrompt& prompt) {
    if (std::this_thread::get_id() == m_uiThread) {
        return AskCorePrompt(prompt);
    }
    // Without a window to ask in, the safe answer: stop.
    EPromptAnswer answer =
        prompt.m_buttons == EPromptButtons::Ok ? EPromptAnswer::Ok : EPromptAnswer::Cancel;
    EPromptAnswer asked = answer;
    if (m_mailbox.Call([&asked, &prompt] { asked = AskCorePrompt(prompt); })) {
        answer = asked;
    }
    return answer;
}

QString TransferSummary(ETransferKind kind, const CTransferResult& result, int channels,
                        const QString& port, qint64 milliseconds) {
    const bool write = kind == ETransferKind::kWrite || kind == ETransferKind::kSquelchWrite;
    if (result.m_outcome == ETransferOutcome::Cancelled) {
        return Tr(write ? CText{"Write cancelled", "写频已取消"}
                        : CText{"Read cancelled", "读频已取消"});
    }
    if (!result.Ok()) {
        return Tr(write ? CText{"Write failed", "写频失败"} : CText{"Read failed", "读频失败"});
    }
    const QString seconds = QString::number(milliseconds / 1000.0, 'f', 1);
    switch (kind) {
        case ETransferKind::kRead:
            return Tr(CText{"Read %1 channels from %2 in %3 s",
                            "从 %2 读取了 %1 个信道，用时 %3 秒"})
                .arg(channels)
                .arg(port, seconds);
        case ETransferKind::kWrite:
            return Tr(CText{"Wrote %1 channels to %2 in %3 s",
                            "向 %2 写入了 %1 个信道，用时 %3 秒"})
                .arg(channels)
                .arg(port, seconds);
        case ETransferKind::kSquelchRead:
            return Tr(CText{"Read the squelch levels from %1 in %2 s",
                            "从 %1 读取了静噪电平，用时 %2 秒"})
                .arg(port, seconds);
        case ETransferKind::kSquelchWrite:
            return Tr(CText{"Wrote the squelch levels to %1 in %2 s",
                            "向 %1 写入了静噪电平，用时 %2 秒"})
                .arg(port, seconds);
    }
    return {};
}

void ShowInStatusBar(QWidget* widget, const QString& text) {
    if (auto* frame = qobject_cast<QMainWindow*>(widget != nullptr ? widget->window() : nullptr)) {
        frame->statusBar()->showMessage(text);
    }
}

void StartWorker(std::shared_ptr<CUiLinkEvents> events, std::function<CTransferResult()> work,
                 std::function<void(const CTransferResult&)> done) {
    // A thread of our own rather than a QThread, so the thread sanitizer follows it (Qt is not
    // built for it). The result comes back through the events' mailbox, behind everything the
    // work posted.
    std::thread([events = std::move(events), work = std::move(work),
                 done = std::move(done)]() mutable {
        CTransferResult result = work();
        events->Mailbox().Post(
            [done = std::move(done), result = std::move(result)] { done(result); });
    }).detach();
}

namespace {

// Refuses the main window's close and dropped files while a transfer runs.
class CCloseGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Close:
                event->ignore();
                // Closing would cut the radio off in the middle of its memory.
                Ask(Tr(CText{"A transfer with the radio is running; the program closes once it "
                             "has ended.\nPress Cancel in the transfer's window to stop it.",
                             "正在与对讲机传输数据；传输结束后才能关闭程序。\n"
                             "要停止传输，请在传输窗口中按\"取消\"。"}),
                    EPromptButtons::Ok, EPromptIcon::Information);
                return true;
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
                event->ignore();
                return true;
            default:
                return QObject::eventFilter(watched, event);
        }
    }
};

struct CLockState {
    int m_nHolders = 0;
    QList<QPointer<QWidget>> m_views;  // one entry per holder that locked a view
    QPointer<CCloseGuard> m_pGuard;
    QList<QPointer<QAction>> m_disabled;  // what we disabled, to enable again
};

CLockState& LockState() {
    static CLockState state;
    return state;
}

}  // namespace

const QList<int>& CTransferLock::LockedCommands() {
    static const QList<int> ids = {
        ID_FILE_NEW,
        ID_FILE_OPEN,
        ID_FILE_CLOSE,
        ID_APP_EXIT,
        ID_SETUP_LANGUAGE,
        ID_PROGRAM_READ,
        ID_PROGRAM_WRITE,
        ID_TOOLS_COMPARE_RADIO,
        ID_SETUP_COM,
        ID_SETUP_PORT_DOCTOR,
        ID_FILE_MRU_FILE1,
        ID_FILE_MRU_FILE1 + 1,
        ID_FILE_MRU_FILE1 + 2,
        ID_FILE_MRU_FILE1 + 3,
        ID_EDIT_PRODUCT_INFO,
        ID_EDIT_OPTIONAL_FEATURES,
        ID_EDIT_DTMF,
        ID_EDIT_2TONE,
        ID_EDIT_MSK,
        ID_EDIT_KEY_ASSIGNMENT,
        ID_EDIT_SQUELCH_TUNING,
        // Commands that change the document's data while the transfer has a copy of it.
        ID_EDIT_CUT,
        ID_EDIT_PASTE,
        ID_EDIT_INSERT_ROW,
        ID_EDIT_DELETE_ROWS,
        ID_EDIT_MOVE_UP,
        ID_EDIT_MOVE_DOWN,
        ID_FILE_IMPORT_CHANNELS,
    };
    return ids;
}

bool CTransferLock::Active() {
    return LockState().m_nHolders > 0;
}

CTransferLockNotifier& CTransferLock::Notifier() {
    static CTransferLockNotifier notifier;
    return notifier;
}

void CTransferLock::Engage(QWidget* frame, QWidget* view) {
    CLockState& state = LockState();
    if (view != nullptr) {
        state.m_views.append(view);
        view->setEnabled(false);
    }
    if (state.m_nHolders++ > 0) {
        return;
    }
    state.m_disabled.clear();
    if (auto* mainFrame = qobject_cast<CMainFrame*>(frame)) {
        for (int id : LockedCommands()) {
            QAction* action = mainFrame->Action(id);
            if (action != nullptr && action->isEnabled()) {
                action->setEnabled(false);
                state.m_disabled.append(action);
            }
        }
    }
    if (frame != nullptr) {
        state.m_pGuard = new CCloseGuard(frame);
        frame->installEventFilter(state.m_pGuard);
    }
    emit Notifier().Changed(true);
}

void CTransferLock::Release(QWidget* view) {
    CLockState& state = LockState();
    if (state.m_nHolders == 0) {
        return;
    }
    if (view != nullptr) {
        state.m_views.removeOne(view);
        // A view that another holder still locks stays locked.
        if (!state.m_views.contains(view)) {
            view->setEnabled(true);
        }
    }
    if (--state.m_nHolders > 0) {
        return;
    }
    for (const QPointer<QAction>& action : state.m_disabled) {
        if (action) {
            action->setEnabled(true);
        }
    }
    state.m_disabled.clear();
    state.m_views.clear();
    delete state.m_pGuard;  // removes its filter
    emit Notifier().Changed(false);
}
