#include "ui/link/SquelchTuningDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "image/ProgramDoc.h"
#include "ui/app/Commands.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/UiGlobals.h"
#include "ui/link/LinkWorker.h"

namespace {

constexpr int kListIds[4] = {1136, 1137, 1138, 1139};
constexpr int kLowest = -55;
constexpr int kHighest = 54;
constexpr int kOffset = 64;

// What the worker owns for one exchange.
struct CSquelchJob {
    CMemoryImage m_image;
    std::array<std::uint8_t, kSquelchLength> m_values{};
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
    QStringList texts;
    char text[16];
    for (int value = kLowest; value <= kHighest; ++value) {
        std::snprintf(text, sizeof text, "%d", value);
        texts << QString::fromLatin1(text);
    }
    for (QComboBox* list : m_pLists) {
        list->clear();
        list->addItems(texts);
    }
    LoadLists(doc->m_image);
    return true;
}

std::uint8_t CSquelchTuningDlg::ShownByte(int list, std::uint8_t imageByte) {
    return imageByte < 9 || imageByte > 119 ? kDefaults[list] : imageByte;
}

std::uint8_t CSquelchTuningDlg::StoredByte(int list, const QString& text) {
    if (text.isEmpty()) {
        return kDefaults[list];
    }
    // The lists hold only -55..54, so the sum is a byte 9..118.
    return static_cast<std::uint8_t>(text.toInt() + kOffset);
}

void CSquelchTuningDlg::LoadLists(const CMemoryImage& image) {
    for (int i = 0; i < 4; ++i) {
        const int value = ShownByte(i, image[kSquelchOffset + i]) - kOffset;
        // 119 shows as 55, which no entry holds: the list then shows nothing.
        m_pLists[i]->setCurrentIndex(
            m_pLists[i]->findText(QString::number(value), Qt::MatchExactly));
    }
}

std::array<std::uint8_t, 4> CSquelchTuningDlg::ListBytes() const {
    std::array<std::uint8_t, 4> bytes{};
    for (int i = 0; i < 4; ++i) {
        bytes[i] = StoredByte(i, m_pLists[i]->currentText());
    }
    return bytes;
}

void CSquelchTuningDlg::OnOK() {
    if (m_bBusy) {
        return;
    }
    if (CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr) {
        const auto bytes = ListBytes();
        std::copy(bytes.begin(), bytes.end(), doc->m_image.m_bytes.begin() + kSquelchOffset);
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
    job->m_values = ListBytes();
    job->m_strPort = g_strComPort.toStdString();
    job->m_pPort = MakeTransferPort(job->m_strPort);
    job->m_pEvents = std::make_shared<CUiLinkEvents>(this);

    SetBusy(true, write ? tr("Writing the radio, please wait...")
                        : tr("Reading the radio, please wait..."));
    CTransferLock::Engage(parentWidget() != nullptr ? parentWidget()->window() : nullptr, nullptr);
    StartWorker(
        this,
        [job, write] {
            if (!write) {
                return ReadSquelch(*job->m_pPort, job->m_strPort, job->m_image, *job->m_pEvents);
            }
            // The lists are stored only once the radio has answered the handshake.
            return WriteSquelch(*job->m_pPort, job->m_strPort, job->m_image, *job->m_pEvents,
                                [job] {
                                    std::copy(job->m_values.begin(), job->m_values.end(),
                                              job->m_image.m_bytes.begin() + kSquelchOffset);
                                    job->m_bStored = true;
                                });
        },
        [this, job, write](const CTransferResult& result) {
            CTransferLock::Release();
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
