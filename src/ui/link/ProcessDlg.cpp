#include "ui/link/ProcessDlg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/CloneProtocol.h"
#include "ui/app/HelpWindow.h"
#include "ui/link/LinkWorker.h"

CProcessDlg::CProcessDlg(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);

    auto* label = new QLabel(tr("Progress："), this);
    m_pBar = new QProgressBar(this);
    m_pBar->setProperty("controlId", 1245);
    m_pBar->setRange(0, kProgressMax);
    m_pBar->setValue(0);
    m_pBar->setTextVisible(false);
    m_pBar->setMinimumWidth(320);
    m_pStatus = new QLabel(tr("Not start yet"), this);
    m_pStatus->setProperty("controlId", 1062);
    m_pStatus->setMinimumWidth(
        m_pStatus->fontMetrics().horizontalAdvance(tr("Waiting the response from radio....")) + 8);

    m_pStart = new QPushButton(tr("Start"), this);
    m_pStart->setProperty("controlId", 1);
    m_pStart->setDefault(true);
    m_pCancel = new QPushButton(tr("Cancel"), this);
    m_pCancel->setProperty("controlId", 2);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_pBar, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pStatus, 1);
    buttons->addWidget(m_pStart);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    // One transfer at a time: a window that waits cannot start while another one runs.
    m_pStart->setEnabled(!CTransferLock::Active());
    connect(&CTransferLock::Notifier(), &CTransferLockNotifier::Changed, this, [this](bool active) {
        if (!m_bRunning) {
            m_pStart->setEnabled(!active);
        }
    });
    connect(m_pStart, &QPushButton::clicked, this, &CProcessDlg::OnStart);
    connect(m_pCancel, &QPushButton::clicked, this, &CProcessDlg::reject);
}

QWidget* CProcessDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

QString CProcessDlg::StatusText() const {
    return m_pStatus->text();
}

void CProcessDlg::OnStart() {
    if (m_bRunning || CTransferLock::Active()) {
        return;
    }
    // Disabled first, so Start cannot be pressed twice.
    m_bRunning = true;
    m_pStart->setEnabled(false);
    m_pCancel->setFocus();
    emit StartRequested();
}

void CProcessDlg::reject() {
    m_bCancel = true;
    emit CancelPressed();
    if (Running()) {
        // The transfer stops at its next cancel point and closes the window itself.
        return;
    }
    hide();
    deleteLater();
}

void CProcessDlg::Step(int position) {
    m_pBar->setValue(position);
    m_pStatus->setText(QString::number(m_pBar->value()));
    emit StatusShown(m_pStatus->text());
}

void CProcessDlg::SetStatus(const QString& text) {
    m_pStatus->setText(text);
    emit StatusShown(text);
}

void CProcessDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(m_nHelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}
