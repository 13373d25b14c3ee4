#include "ui/link/ComSetupDlg.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/UserValues.h"
#include "ui/app/Commands.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/UiGlobals.h"
#include "ui/link/LinkWorker.h"

namespace {
constexpr int kPortRole = Qt::UserRole;
}

CComSetupDlg::CComSetupDlg(CUserValues& values, QWidget* parent, CPortLister lister)
    : CHelpDialog(parent), m_values(values), m_lister(std::move(lister)) {
    setWindowTitle(tr("Com Setup"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (!m_lister) {
        m_lister = [] { return ListSerialPorts(); };
    }

    auto* box = new QGroupBox(tr("Com Port"), this);
    m_pList = new QListWidget(box);
    m_pList->setProperty("controlId", ID_SETUP_COM);
    m_pList->setMinimumWidth(420);
    m_pField = new QLineEdit(box);
    m_pField->setProperty("controlId", ID_SETUP_COM);
    m_pField->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(new QLabel(tr("Port:"), box));
    fieldRow->addWidget(m_pField, 1);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_pList);
    boxLayout->addLayout(fieldRow);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setProperty("controlId", 1);
    ok->setDefault(true);
    m_pOk = ok;
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setProperty("controlId", 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CComSetupDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // A click selects only after the current item has changed, so the selection decides.
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CComSetupDlg::OnItemChanged);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if ((item->flags() & Qt::ItemIsEnabled) && (item->flags() & Qt::ItemIsSelectable)) {
            m_pField->setText(item->data(kPortRole).toString());
            OnOK();
        }
    });
    connect(m_pField, &QLineEdit::textEdited, this, &CComSetupDlg::OnFieldEdited);
    connect(m_pField, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_pOk->setEnabled(!text.trimmed().isEmpty()); });
    WatchChildrenForHelp();
}

int CComSetupDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CComSetupDlg::OnInitDialog() {
    m_pList->clear();
    for (const CSerialPortInfo& port : m_lister()) {
        const QString path = QString::fromStdString(port.m_path);
        QString text = path;
        if (!port.m_description.empty()) {
            text += QStringLiteral("  —  ") + QString::fromStdString(port.m_description);
        }
        auto* item = new QListWidgetItem(text, m_pList);
        item->setData(kPortRole, path);
        // Looked at without touching its settings or buffers; a port that a transfer could not
        // open is shown, not offered.
        const auto probed = ProbeSerialPort(port.m_path);
        if (!probed) {
            const std::string& reason = probed.error().Text(g_bChinese);
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            item->setText(text + QStringLiteral("  ") + tr("(not available)"));
            item->setToolTip(QString::fromStdString(reason));
        }
    }
    auto* sim = new QListWidgetItem(tr("Simulated radio"), m_pList);
    sim->setData(kPortRole, kSimulatedPort);
    sim->setToolTip(tr("A radio inside the program, for demonstrations without a cable"));

    // The remembered port is preselected, even when it cannot be opened now.
    const QString remembered = RememberedPort(m_values).value_or(g_strComPort);
    m_pField->setText(remembered);
    OnFieldEdited(remembered);
    m_pList->setFocus();
}

QListWidgetItem* CComSetupDlg::ItemOf(const QString& port) const {
    for (int row = 0; row < m_pList->count(); ++row) {
        QListWidgetItem* item = m_pList->item(row);
        if (item->data(kPortRole).toString() == port) {
            return item;
        }
    }
    return nullptr;
}

QWidget* CComSetupDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

QString CComSetupDlg::Port() const {
    return m_pField->text().trimmed();
}

void CComSetupDlg::OnItemChanged() {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    if (!selected.isEmpty()) {
        m_pField->setText(selected.first()->data(kPortRole).toString());
    }
}

void CComSetupDlg::OnFieldEdited(const QString& text) {
    QListWidgetItem* item = ItemOf(text.trimmed());
    const QSignalBlocker block(m_pList);
    m_pList->clearSelection();
    if (item != nullptr) {
        m_pList->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
        m_pList->scrollToItem(item);
    } else {
        m_pList->setCurrentItem(nullptr);
    }
}

void CComSetupDlg::OnOK() {
    const QString port = Port();
    if (port.isEmpty()) {
        return;
    }
    g_strComPort = port;
    RememberPort(m_values, port);
    accept();
}

int CComSetupDlg::HelpContext() const {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || !isAncestorOf(focus)) {
        return ID_SETUP_COM;
    }
    const int id = focus->property("controlId").toInt();
    return id != 0 ? id : ID_SETUP_COM;
}
