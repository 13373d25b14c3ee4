#include "ui/link/SquelchTuningDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/SettingsFields.h"
#include "image/ProgramDoc.h"
#include "ui/app/Commands.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/UiGlobals.h"
#include "ui/link/LinkWorker.h"

namespace {

constexpr int kListIds[4] = {1136, 1137, 1138, 1139};

// The four fields behind the lists, in list order.
std::vector<const CField*> SquelchFields() {
    return PageFields(EPage::kSquelch);
}

// What the worker owns for one exchange.
struct CSquelchJob {
    CMemoryImage m_image;
    CMemoryImage m_stored;  // the image with the lists stored, for a write
    std::atomic<bool> m_bStored{false};
    std::string m_strPort;
    std::unique_ptr<CSerialPort> m_pPort;
    std::shared_ptr<CUiLinkEvents> m_pEvents;
};

}  // namespace

CSquelchTuningDlg::CSquelchTuningDlg(CDocumentFinder findDocument, QWidget* parent)
    : CHelpDialog(parent), m_findDocument(std::move(findDocument)) {
    setWindowTitle(tr("Squelch Tuning"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const QString labels[4] = {tr("V Wide Squelch Tuning"), tr("V Narrow Squelch Tuning"),
                               tr("U Wide Squelch Tuning"), tr("U Narrow Squelch Tuning")};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_pLists[i] = new QComboBox(this);
        m_pLists[i]->setProperty("controlId", kListIds[i]);
        m_pLists[i]->setMaxVisibleItems(20);
        m_pLists[i]->setMinimumContentsLength(5);
        grid->addWidget(new QLabel(labels[i], this), i, 0);
        grid->addWidget(m_pLists[i], i, 1);
    }

    m_pRead = new QPushButton(tr("Read"), this);
    m_pRead->setProperty("controlId", 1140);
    m_pWrite = new QPushButton(tr("Write"), this);
    m_pWrite->setProperty("controlId", 1141);
    m_pOk = new QPushButton(tr("OK"), this);
    m_pOk->setProperty("controlId", 1);
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(tr("Cancel"), this);
    m_pCancel->setProperty("controlId", 2);
    m_pBusy = new QLabel(this);
    m_pBusy->setMinimumWidth(
        m_pBusy->fontMetrics().horizontalAdvance(tr("Writing the radio, please wait...")) + 8);

    auto* side = new QVBoxLayout;
    side->addWidget(m_pOk);
    side->addWidget(m_pCancel);
    side->addSpacing(12);
    side->addWidget(m_pRead);
    side->addWidget(m_pWrite);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addSpacing(12);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pBusy);

    connect(m_pOk, &QPushButton::clicked, this, &CSquelchTuningDlg::OnOK);
    connect(m_pCancel, &QPushButton::clicked, this, &CSquelchTuningDlg::reject);
    connect(m_pRead, &QPushButton::clicked, this, &CSquelchTuningDlg::OnRead);
    connect(m_pWrite, &QPushButton::clicked, this, &CSquelchTuningDlg::OnWrite);
}

QWidget* CSquelchTuningDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

int CSquelchTuningDlg::DoModal() {
    if (!OnInitDialog()) {
        return Rejected;
    }
    return exec();
}

bool CSquelchTuningDlg::OnInitDialog() {
    CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr;
    if (doc == nullptr) {
        return false;
    }
    const auto fields = SquelchFields();
    for (std::size_t i = 0; i < std::min(m_pLists.size(), fields.size()); ++i) {
        m_pLists[i]->clear();
        for (const CChoice& entry : fields[i]->m_entries) {
            m_pLists[i]->addItem(QString::fromStdString(entry.Get(g_bChinese)));
        }
    }
    LoadLists(doc->m_image);
    return true;
}

void CSquelchTuningDlg::LoadLists(const CMemoryImage& image) {
    const auto fields = SquelchFields();
    for (std::size_t i = 0; i < std::min(m_pLists.size(), fields.size()); ++i) {
        // A byte no entry stands for loads as an empty text: the list then shows nothing.
        const QString text = QString::fromStdString(LoadField(*fields[i], image, g_bChinese));
        m_pLists[i]->setCurrentIndex(m_pLists[i]->findText(text, Qt::MatchExactly));
    }
}

void CSquelchTuningDlg::StoreLists(CMemoryImage& image) const {
    const auto fields = SquelchFields();
    for (std::size_t i = 0; i < std::min(m_pLists.size(), fields.size()); ++i) {
        StoreField(*fields[i], image, m_pLists[i]->currentText().toStdString());
    }
}

void CSquelchTuningDlg::OnOK() {
    if (m_bBusy) {
        return;
    }
    if (CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr) {
        StoreLists(doc->m_image);
    }
    accept();
}

void CSquelchTuningDlg::reject() {
    // The exchange holds the dialog until it ends; it has no cancel points.
    if (m_bBusy) {
        return;
    }
    QDialog::reject();
}

void CSquelchTuningDlg::OnRead() {
    RunExchange(false);
}

void CSquelchTuningDlg::OnWrite() {
    RunExchange(true);
}

void CSquelchTuningDlg::SetBusy(bool busy, const QString& text) {
    m_bBusy = busy;
    for (QWidget* control : {static_cast<QWidget*>(m_pRead), static_cast<QWidget*>(m_pWrite),
                             static_cast<QWidget*>(m_pOk), static_cast<QWidget*>(m_pCancel)}) {
        control->setEnabled(!busy);
    }
    for (QComboBox* list : m_pLists) {
        list->setEnabled(!busy);
    }
    m_pBusy->setText(text);
    if (busy) {
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
    }
}

void CSquelchTuningDlg::RunExchange(bool write) {
    CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr;
    if (m_bBusy || doc == nullptr) {
        return;
    }
    auto job = std::make_shared<CSquelchJob>();
    job->m_image = doc->m_image;
    job->m_stored = doc->m_image;
    StoreLists(job->m_stored);
    job->m_strPort = g_strComPort.toStdString();
    job->m_pPort = MakeTransferPort(job->m_strPort);
    job->m_pEvents = std::make_shared<CUiLinkEvents>(this);

    QElapsedTimer timer;
    timer.start();
    SetBusy(true, write ? tr("Writing the radio, please wait...")
                        : tr("Reading the radio, please wait..."));
    CTransferLock::Engage(parentWidget() != nullptr ? parentWidget()->window() : nullptr, nullptr);
    StartWorker(
        job->m_pEvents,
        [job, write] {
            if (!write) {
                return ReadSquelch(*job->m_pPort, job->m_strPort, job->m_image, *job->m_pEvents);
            }
            // The lists are stored only once the radio has answered the handshake.
            return WriteSquelch(
                *job->m_pPort, job->m_strPort, job->m_image, *job->m_pEvents, [job] {
                    std::copy_n(job->m_stored.m_bytes.begin() + kSquelchOffset, kSquelchLength,
                                job->m_image.m_bytes.begin() + kSquelchOffset);
                    job->m_bStored = true;
                });
        },
        [this, job, write, timer](const CTransferResult& result) {
            CTransferLock::Release();
            ShowInStatusBar(
                parentWidget(),
                TransferSummary(write ? ETransferKind::kSquelchWrite : ETransferKind::kSquelchRead,
                                result, 0, QString::fromStdString(job->m_strPort),
                                timer.elapsed()));
            SetBusy(false, QString());
            CProgramDoc* target = m_findDocument ? m_findDocument() : nullptr;
            const bool apply = write ? job->m_bStored.load() : result.Ok();
            if (target != nullptr && apply) {
                std::copy_n(job->m_image.m_bytes.begin() + kSquelchOffset, kSquelchLength,
                            target->m_image.m_bytes.begin() + kSquelchOffset);
            }
            if (!write && result.Ok() && target != nullptr) {
                LoadLists(target->m_image);
            }
            emit ExchangeEnded(result.m_outcome);
        });
}

int CSquelchTuningDlg::HelpContext() const {
    // The lists' numbers belong to other windows' help too; the dialog has one page.
    return ID_EDIT_SQUELCH_TUNING;
}
