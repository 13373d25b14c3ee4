#include "ui/app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "ui/app/UiGlobals.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Program"));
    m_pIcon = new QLabel(this);
    m_pVersion = new QLabel(tr("Program Version 1.0"), this);
    m_pCopyrights = new QLabel(this);
    m_pOwner = new QLabel(this);
    auto* rights = new QLabel(tr("All Rights Reserved"), this);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(m_pIcon, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(m_pVersion, 0, 1);
    layout->addWidget(m_pCopyrights, 1, 1);
    layout->addWidget(m_pOwner, 2, 1);
    layout->addWidget(rights, 3, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The settings replace the template's texts; a missing key empties its line.
    setWindowTitle(LanguageSetting("About Title"));
    m_pVersion->setText(LanguageSetting("Version"));
    m_pCopyrights->setText(LanguageSetting("Copyrights"));
    m_pOwner->setText(LanguageSetting("Copyrights Owner"));

    const QIcon own(g_strAppDir + QStringLiteral("title.ico"));
    m_bOwnIcon = !own.availableSizes().isEmpty();
    const QIcon icon = m_bOwnIcon ? own : QIcon(QStringLiteral(":/pictures/title.ico"));
    m_pIcon->setPixmap(icon.pixmap(32, 32));
}
