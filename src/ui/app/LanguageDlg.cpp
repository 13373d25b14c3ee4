#include "ui/app/LanguageDlg.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/IniFile.h"
#include "ui/app/Commands.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/MainFrame.h"
#include "ui/app/UiGlobals.h"

CLanguageDlg::CLanguageDlg(QMainWindow* mainWindow, QWidget* parent)
    : QDialog(parent), m_pMainWindow(mainWindow) {
    setWindowTitle(tr("Language"));
    auto* group = new QGroupBox(this);
    m_pEnglish = new QRadioButton(tr("English"), group);
    m_pChinese = new QRadioButton(tr("Chinese"), group);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_pEnglish);
    groupLayout->addWidget(m_pChinese);

    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setProperty("controlId", 1);
    cancel->setProperty("controlId", 2);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CLanguageDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    (g_bChinese ? m_pChinese : m_pEnglish)->setChecked(true);
}

void CLanguageDlg::OnOK() {
    const bool chinese = m_pChinese->isChecked();
    if (chinese == g_bChinese) {
        accept();
        return;
    }
    // The restart ends this instance: unsaved changes are asked about before anything is
    // written, so Cancel leaves the language as it was.
    if (auto* frame = qobject_cast<CMainFrame*>(m_pMainWindow);
        frame != nullptr && !frame->SaveAllModified()) {
        return;
    }
    g_iniFile.SetString("Setup", "Language", g_bChinese ? "English" : "Chinese");
    // The new instance reads the file at once, so it is written before it starts. When it
    // cannot be written, restarting would come back in the old language: say so and stay.
    if (auto saved = g_iniFile.Save(); !saved) {
        Ask(Tr(saved.error()), EPromptButtons::Ok, EPromptIcon::Stop);
        g_iniFile.SetString("Setup", "Language", g_strLanguage.toStdString());
        return;
    }
    accept();
    if (m_pMainWindow != nullptr && !m_pMainWindow->close()) {
        return;
    }
    LaunchProgram(QCoreApplication::applicationFilePath());
}

bool CLanguageDlg::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        QWidget* focus = focusWidget();
        const bool radio = focus == m_pEnglish || focus == m_pChinese;
        // The radio buttons share the Language command's page; other controls keep their id.
        ShowHelp(radio ? ID_SETUP_LANGUAGE
                       : (focus != nullptr ? focus->property("controlId").toInt() : 0));
        return true;
    }
    return QDialog::event(event);
}
