#include "ui/link/ViewTransfer.h"

#include <QApplication>
#include <QScreen>

#include <ctime>

#include "channels/Bands.h"
#include "editors/WriteCheck.h"
#include "image/Backups.h"
#include "image/ProgramDoc.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CompareCommands.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"
#include "ui/link/LinkWorker.h"
#include "ui/link/ProcessDlg.h"

namespace {

constexpr CText kReadTitle{"Read Data", "读数据"};
constexpr CText kWriteTitle{"Write Data", "写数据"};
constexpr CText kReadStep{"Read", "读频"};
constexpr CText kCompareTitle{"Compare with Radio", "与电台比较"};

// What the worker thread owns for one transfer: its own copy of the image, so the document
// is only ever touched on the UI thread.
struct CTransferJob {
    CMemoryImage m_image;
    CBandsMHz m_bands;
    std::string m_strPort;
    std::unique_ptr<CSerialPort> m_pPort;
    std::shared_ptr<CUiLinkEvents> m_pEvents;
    bool m_bVerify = false;
    std::vector<CWriteDifference> m_differences;
};

// A failed backup is a warning: the transfer it belongs to goes on.
void TakeBackup(EBackupKind kind, const CMemoryImage& image) {
    auto saved =
        SaveBackup(BackupFolder(), kind, image, BackupLimit(g_iniFile), std::time(nullptr));
    if (!saved) {
        Ask(Tr(saved.error()), EPromptButtons::Ok, EPromptIcon::Exclamation);
    }
}

// Program.ini [Setup] VerifyWrite=0 turns the read-back after a write off.
bool VerifyWriteSetting() {
    return g_iniFile.GetString("Setup", "VerifyWrite", "1") != "0";
}

constexpr CText kVerifyFailed{"The radio does not hold what was written:",
                              "电台中的数据与写入的不同："};

constexpr CText kRadioName{"the radio", "电台"};
constexpr CText kRadioSame{"The radio holds the same data as the document.",
                           "电台中的数据与文档相同。"};

}  // namespace

CViewTransfer::CViewTransfer(CProgramView& view) : QObject(&view), m_view(view) {
    setObjectName(QStringLiteral("ViewTransfer"));
}

CViewTransfer::~CViewTransfer() {
    // A window waiting for Start would have no view to run its transfer.
    if (m_pProcessDlg && !m_bRunning) {
        m_pProcessDlg->hide();
        m_pProcessDlg->deleteLater();
    }
}

CViewTransfer& CViewTransfer::Of(CProgramView& view) {
    if (auto* existing = view.findChild<CViewTransfer*>(QStringLiteral("ViewTransfer"),
                                                        Qt::FindDirectChildrenOnly)) {
        return *existing;
    }
    return *new CViewTransfer(view);
}

void CViewTransfer::OnRead() {
    if (m_bRunning) {
        return;
    }
    // A read replaces the data; the changes are asked about again if it does not happen.
    auto* frame = qobject_cast<CMainFrame*>(m_view.window());
    if (frame != nullptr && !frame->SaveModified(frame->ActiveChild(), false)) {
        return;
    }
    OpenProcessDlg(false, false, Tr(kReadTitle));
}

void CViewTransfer::OnCompare() {
    if (m_bRunning) {
        return;
    }
    m_view.CommitCellEdit();
    OpenProcessDlg(false, true, Tr(kCompareTitle));
}

void CViewTransfer::OnWrite() {
    if (m_bRunning) {
        return;
    }
    m_view.CommitCellEdit();
    OpenProcessDlg(true, false, Tr(kWriteTitle));
}

int CViewTransfer::HelpContext() const {
    return m_bCompare ? ID_TOOLS_COMPARE_RADIO : m_bWrite ? ID_PROGRAM_WRITE : ID_PROGRAM_READ;
}

void CViewTransfer::OpenProcessDlg(bool write, bool compare, const QString& title) {
    m_bWrite = write;
    m_bCompare = compare;
    m_strTitle = title;
    if (m_pProcessDlg) {
        // Start will run in the direction just chosen; the title says so.
        m_pProcessDlg->setWindowTitle(m_strTitle);
        m_pProcessDlg->SetHelpContext(HelpContext());
        m_pProcessDlg->raise();
        m_pProcessDlg->activateWindow();
        return;
    }
    m_pProcessDlg = new CProcessDlg(m_strTitle, m_view.window());
    m_pProcessDlg->SetHelpContext(HelpContext());
    connect(m_pProcessDlg, &CProcessDlg::StartRequested, this, &CViewTransfer::OnStartPressed);
    m_pProcessDlg->adjustSize();
    const QWidget* owner = m_view.window();
    const QRect area = owner != nullptr && owner->isVisible()
                           ? owner->geometry()
                           : QApplication::primaryScreen()->availableGeometry();
    m_pProcessDlg->move(area.center() - m_pProcessDlg->rect().center());
    m_pProcessDlg->show();
}

void CViewTransfer::OnStartPressed() {
    if (m_bRunning) {
        return;
    }
    // Taken before anything else runs, so a second window's Start is refused at once.
    m_bRunning = true;
    CTransferLock::Engage(m_view.window(), &m_view);
    QMetaObject::invokeMethod(this, &CViewTransfer::OnTransfer, Qt::QueuedConnection);
}

void CViewTransfer::OnTransfer() {
    if (!m_pProcessDlg) {
        CTransferLock::Release(&m_view);
        m_bRunning = false;
        return;
    }
    const bool write = m_bWrite;
    CProgramDoc& doc = m_view.GetDocument();
    // The entry steps that touch the grid and the document run here, in the protocol's order;
    // the worker gets its own copy of the image.
    m_view.CommitCellEdit();
    if (write || m_bCompare) {
        m_view.StoreGrid();
    }
    if (write) {
        TakeBackup(EBackupKind::BeforeWrite, doc.m_image);
    }
    m_timer.start();
    auto job = std::make_shared<CTransferJob>();
    job->m_image = doc.m_image;
    job->m_bands = doc.m_bands;
    job->m_strPort = g_strComPort.toStdString();
    job->m_pPort = MakeTransferPort(job->m_strPort);
    job->m_pEvents = std::make_shared<CUiLinkEvents>(this);
    job->m_pEvents->m_bChinese = g_bChinese;
    job->m_bVerify = write && VerifyWriteSetting();
    QPointer<CProcessDlg> dlg = m_pProcessDlg;
    job->m_pEvents->m_onStatus = [dlg](const QString& text) {
        if (dlg) {
            dlg->SetStatus(text);
        }
    };
    job->m_pEvents->m_onProgress = [dlg](int position) {
        if (dlg) {
            dlg->Step(position);
        }
    };
    // Cancel pressed before the worker started still counts.
    if (m_pProcessDlg->m_bCancel) {
        job->m_pEvents->m_bCancel = true;
    }
    connect(m_pProcessDlg, &CProcessDlg::CancelPressed, this,
            [events = job->m_pEvents] { events->m_bCancel = true; });

    const ETransferDirection direction =
        write ? ETransferDirection::Write : ETransferDirection::Read;
    StartWorker(
        job->m_pEvents,
        [job, direction] {
            CTransferHooks hooks;
            hooks.m_bandLimits = [job] { return job->m_bands; };
            CTransferResult result = RunTransfer(direction, *job->m_pPort, job->m_strPort,
                                                 job->m_image, *job->m_pEvents, hooks);
            if (!job->m_bVerify || !result.Ok()) {
                return result;
            }
            // Read back from a copy of what was sent, so the password and the bytes the radio
            // does not hold match; the written image stays the job's.
            CMemoryImage readBack = job->m_image;
            CTransferResult verify = RunTransfer(ETransferDirection::Read, *job->m_pPort,
                                                 job->m_strPort, readBack, *job->m_pEvents, {});
            if (!verify.Ok()) {
                verify.m_bImageRead = false;
                return verify;
            }
            job->m_differences = CompareWrittenBytes(job->m_image, readBack);
            return result;
        },
        [this, job](const CTransferResult& result) {
            Finish(result, job->m_image);
            if (!job->m_differences.empty()) {
                QString text = Tr(kVerifyFailed);
                std::size_t shown = 0;
                for (const CWriteDifference& d : job->m_differences) {
                    if (++shown > 10) {
                        text += QStringLiteral("\n...");
                        break;
                    }
                    text += QStringLiteral("\n") + Tr(d.m_place) +
                            QStringLiteral(": %1 -> %2")
                                .arg(d.m_sent, 2, 16, QChar('0'))
                                .arg(d.m_readBack, 2, 16, QChar('0'))
                                .toUpper();
                }
                Ask(text, EPromptButtons::Ok, EPromptIcon::Stop);
            }
        });
}

void CViewTransfer::Finish(const CTransferResult& result, const CMemoryImage& received) {
    CTransferLock::Release(&m_view);
    m_bRunning = false;
    // A comparison's read goes to a copy: the document's own bytes fill what the radio does not
    // hold, so only the radio's differences are listed.
    CMemoryImage fromRadio = m_view.GetDocument().m_image;
    for (const CTransferBlock& block : ReadBlocks()) {
        std::copy_n(received.m_bytes.begin() + block.m_offset, kBlockSize,
                    fromRadio.m_bytes.begin() + block.m_offset);
    }
    if (result.m_bImageRead && !m_bCompare) {
        // Only the bytes the radio holds; the rest of the document stays as it is. The
        // document no longer carries a new document's defaults. One undo step.
        CDocumentHistory::Of(m_view).Record(Tr(kReadStep), [this, &fromRadio] {
            CProgramDoc& doc = m_view.GetDocument();
            doc.m_image = fromRadio;
            doc.m_bNewDocument = false;
            m_view.FillGrid();
        });
    }
    int channels = 0;
    for (int row = 1; row < kFrRow; ++row) {
        channels += m_view.Table().GetText(row, kColRx).empty() ? 0 : 1;
    }
    ShowInStatusBar(&m_view,
                    TransferSummary(m_bWrite ? ETransferKind::kWrite : ETransferKind::kRead, result,
                                    channels, g_strComPort, m_timer.elapsed()));
    // Locking the view moved the keyboard focus away (to the navigation tree); it goes back to
    // the grid's current cell, or to the editor open over it.
    CMSFlexGrid* grid = m_view.Grid();
    grid->scrollTo(grid->currentIndex());
    QWidget* editor = m_view.VisibleEditor();
    (editor != nullptr ? editor : static_cast<QWidget*>(grid))->setFocus(Qt::OtherFocusReason);
    if (m_pProcessDlg) {
        m_pProcessDlg->hide();
        m_pProcessDlg->deleteLater();
        m_pProcessDlg = nullptr;
    }
    if (result.m_bImageRead) {
        TakeBackup(EBackupKind::Read, fromRadio);
    }
    emit TransferEnded(result.m_outcome);
    if (result.m_bImageRead && m_bCompare) {
        ShowComparison(m_view.GetDocument().m_image, fromRadio, Tr(kRadioName), m_view.window(),
                       Tr(kRadioSame));
    }
}
