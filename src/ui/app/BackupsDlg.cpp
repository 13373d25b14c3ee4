#include "ui/app/BackupsDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "image/Backups.h"
#include "ui/app/UiGlobals.h"

CBackupsDlg::CBackupsDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr(CText{"Backups", "备份"}));
    const std::string folder = BackupFolder();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromStdString(folder), this));
    m_pList = new QListWidget(this);
    for (const CBackupEntry& entry : ListBackups(folder)) {
        auto* item = new QListWidgetItem(QStringLiteral("%1    %2    %3")
                                             .arg(QString::fromStdString(entry.m_name))
                                             .arg(entry.m_size)
                                             .arg(Tr(BackupKindText(entry.m_kind))),
                                         m_pList);
        item->setData(Qt::UserRole, QString::fromStdString(entry.m_path));
    }
    m_pList->setMinimumWidth(460);
    layout->addWidget(m_pList);
    auto* buttons = new QDialogButtonBox(this);
    m_pOpen = buttons->addButton(Tr(CText{"Open", "打开"}), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr(CText{"Cancel", "取消"}));
    layout->addWidget(buttons);
    m_pOpen->setEnabled(false);
    connect(m_pList, &QListWidget::currentRowChanged, this,
            [this](int row) { m_pOpen->setEnabled(row >= 0); });
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (m_pList->count() > 0) {
        m_pList->setCurrentRow(0);
    }
}

QString CBackupsDlg::Chosen() const {
    const QListWidgetItem* item = m_pList->currentItem();
    return item != nullptr ? item->data(Qt::UserRole).toString() : QString();
}
