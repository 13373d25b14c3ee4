#include "ui/link/PortDoctorDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/app/Commands.h"
#include "ui/app/UiGlobals.h"
#include "ui/link/LinkWorker.h"

CPortDoctorDlg::CPortDoctorDlg(const QString& port, QWidget* parent, CDoctorRoots roots)
    : CHelpDialog(parent),
      m_strPort(port),
      m_roots(std::move(roots)),
      m_pSummary(new QLabel(this)),
      m_pList(new QPlainTextEdit(this)) {
    setWindowTitle(tr("Port Doctor"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* portLabel = new QLabel(tr("Port: %1").arg(port), this);
    portLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pSummary->setWordWrap(true);
    m_pList->setReadOnly(true);
    m_pList->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A command stays on one line, to be copied whole.
    m_pList->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* buttons = new QDialogButtonBox(this);
    m_pCheck = buttons->addButton(tr("&Check Again"), QDialogButtonBox::ActionRole);
    m_pLoopback = buttons->addButton(tr("&Loopback Test..."), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(m_pCheck, &QPushButton::clicked, this, [this] { RunChecks(false); });
    connect(m_pLoopback, &QPushButton::clicked, this, &CPortDoctorDlg::OnLoopback);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(portLabel);
    layout->addWidget(m_pSummary);
    layout->addWidget(m_pList, 1);
    layout->addWidget(buttons);
    resize(880, 420);
    WatchChildrenForHelp();
    RunChecks(false);
}

void CPortDoctorDlg::RunChecks(bool loopback) {
    if (m_strPort == kSimulatedPort) {
        m_findings.clear();
        m_pSummary->setText(
            tr("The simulated radio is not a serial port: there is nothing to check."));
        m_pList->clear();
        m_pCheck->setEnabled(false);
        m_pLoopback->setEnabled(false);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CDoctorOptions options;
    options.m_bLoopback = loopback;
    m_findings = RunPortDoctor(QFile::encodeName(m_strPort).toStdString(), m_roots, options);
    QApplication::restoreOverrideCursor();
    QStringList lines;
    for (const CDoctorFinding& finding : m_findings) {
        lines << QString::fromStdString(DoctorFindingLines(finding, g_bChinese));
    }
    m_pList->setPlainText(lines.join(QLatin1Char('\n')));
    const auto problems =
        std::ranges::count(m_findings, EDoctorStatus::Problem, &CDoctorFinding::m_status);
    m_pSummary->setText(problems == 0
                            ? tr("No problem found.")
                            : tr("Problems found: %1. Each has its fix below it; select the "
                                 "text to copy a command.")
                                  .arg(problems));
}

void CPortDoctorDlg::OnLoopback() {
    if (Ask(tr("Join the cable's TX and RX (at the radio's plug, with the radio unplugged), "
               "then press OK to send a test pattern at 9600 baud."),
            EPromptButtons::OkCancel, EPromptIcon::Information) == EPromptAnswer::Ok) {
        RunChecks(true);
    }
}

int CPortDoctorDlg::HelpContext() const {
    return ID_SETUP_PORT_DOCTOR;
}
