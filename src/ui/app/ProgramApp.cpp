#include "ui/app/ProgramApp.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include "image/Recovery.h"
#include "settings/AppPaths.h"
#include "settings/IniFile.h"
#include "settings/Messages.h"
#include "ui/app/AboutDlg.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/MainFrame.h"
#include "ui/app/SplashWnd.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/ProgramView.h"

CProgramApp* g_pApp = nullptr;

namespace {
constexpr CText kLoadLanguageFailed{"Load language DLL fail", "加载语言链接库失败"};
}

// The built-in pictures live in the program's library; a static library registers them itself.
static void InitResources() {
    Q_INIT_RESOURCE(ui);
}

CProgramApp::CProgramApp()
    : m_strAppDir(QString::fromStdString(SharedFiles().m_dir)),
      m_bInstalled(SharedFiles().m_bInstalled) {
    InitResources();
    g_pApp = this;
}

CProgramApp::~CProgramApp() {
    qApp->removeEventFilter(this);
    m_pMainFrame.reset();
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

bool CProgramApp::LoadLanguagePack() {
    // The pack is named after the language as written, blanks and all. Program.ini is edited
    // by hand, so a pack whose name differs only in letter case is the one meant.
    const std::string found = FindFileIgnoringCase(
        m_strAppDir.toStdString(), (g_strLanguage + QStringLiteral(".qm")).toStdString());
    const QString pack = m_strAppDir + QString::fromStdString(found);
    if (g_strLanguage.isEmpty() || found.empty() || !m_translator.load(pack)) {
        return false;
    }
    QCoreApplication::installTranslator(&m_translator);
    // Qt's own texts (message box buttons, file dialogs) in the same language.
    if (g_bChinese && m_qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qtTranslator);
    }
    return true;
}

bool CProgramApp::InitInstance(const QStringList& arguments) {
    if (!m_strAppDir.endsWith(QLatin1Char('/'))) {
        m_strAppDir += QLatin1Char('/');
    }
    // A Program.ini that cannot be read leaves the store empty: English, no company texts. An
    // installed one is read, and a change (the language) goes to the user's copy.
    const CProgramIniPlace place = LocateProgramIni(m_strAppDir.toStdString(), m_bInstalled);
    (void)g_iniFile.LoadPath(place.m_read, true, true, place.m_read == place.m_save);
    g_iniFile.SetSavePath(place.m_save);

    const std::string language = g_iniFile.GetString("Setup", "Language", "");
    g_strLanguage = QString::fromStdString(language);
    g_bChinese = language == "Chinese";
    g_strHelpFile = g_bChinese ? QStringLiteral("chHelp") : QStringLiteral("enHelp");

    if (!LoadLanguagePack()) {
        Ask(Tr(kLoadLanguageFailed), EPromptButtons::Ok, EPromptIcon::Exclamation);
        return false;
    }

    // Embedding and automation do not exist here; a splash is always wanted.
    CSplashWnd::EnableSplashScreen(true);
    g_strAppDir = m_strAppDir;
    qApp->installEventFilter(this);

    m_bSplashShown = CSplashWnd::ShowSplashScreen(nullptr);
    if (m_bSplashShown && m_nSplashPauseMs > 0) {
        // The splash stays alone on screen for the pause; a key or click still takes it down.
        QEventLoop pause;
        QTimer::singleShot(m_nSplashPauseMs, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeSocketNotifiers);
    }

    m_pMainFrame = std::make_unique<CMainFrame>(*this);
    if (!m_pMainFrame->Create()) {
        return false;
    }
    m_docManager.SetMainFrame(m_pMainFrame.get());

    // A document named on the command line is opened; otherwise a new one is made.
    QString file;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            file = argument;
            break;
        }
    }
    if (file.isEmpty()) {
        OnFileNew();
    } else if (m_docManager.OpenDocumentFile(file) == nullptr) {
        return false;
    }

    // Without a window manager a maximised window keeps its size; the screen's area is given too.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        m_pMainFrame->setGeometry(screen->availableGeometry());
    }
    m_pMainFrame->showMaximized();
    CSplashWnd::MainWindowShown();
    const QIcon icon(m_strAppDir + QStringLiteral("title.ico"));
    if (!icon.availableSizes().isEmpty()) {
        m_pMainFrame->setWindowIcon(icon);
    }
    g_strAppTitle = LanguageSetting("Company");

    // Work restored replaces the empty new document; a file asked for stays open beside it.
    CChildFrame* first = m_pMainFrame->ActiveChild();
    if (OfferRecovery() > 0 && file.isEmpty() && first != nullptr &&
        !CDocumentHistory::Of(*first->View()).IsModified()) {
        first->close();
    }
    return true;
}

int CProgramApp::OfferRecovery() {
    int restored = 0;
    for (const CRecoveryEntry& entry : ListRecovery(RecoveryFolder())) {
        if (RecoveryOwnerRunning(entry)) {
            continue;
        }
        const QString when = QDateTime::fromSecsSinceEpoch(entry.m_time)
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QString text =
            (entry.m_originalPath.empty()
                 ? QCoreApplication::translate("CMainFrame",
                                               "A new document has changes that were not saved "
                                               "when the program ended (last copied %1).")
                       .arg(when)
                 : QCoreApplication::translate("CMainFrame",
                                               "%1 has changes that were not saved when the "
                                               "program ended (last copied %2).")
                       .arg(QFile::decodeName(QByteArray::fromStdString(entry.m_originalPath)),
                            when)) +
            QLatin1Char('\n') +
            QCoreApplication::translate("CMainFrame", "Restore the changes or discard them?");
        switch (Ask(text, EPromptButtons::RestoreDiscard, EPromptIcon::Question)) {
            case EPromptAnswer::Restore:
                restored += m_docManager.OpenRecovered(entry) != nullptr ? 1 : 0;
                break;
            case EPromptAnswer::Discard:
                RemoveRecovery(entry.m_dataPath);
                break;
            default:
                break;
        }
    }
    return restored;
}

int CProgramApp::ExitInstance() {
    qApp->removeEventFilter(this);
    CSplashWnd::HideSplashScreen();
    QCoreApplication::removeTranslator(&m_translator);
    QCoreApplication::removeTranslator(&m_qtTranslator);
    return 0;
}

void CProgramApp::OnFileNew() {
    if (m_pMainFrame == nullptr) {
        return;
    }
    if (CChildFrame* active = m_pMainFrame->ActiveChild()) {
        // Unsaved changes are asked about (Save, Discard or Cancel) in place of the warning
        // that the data will be cleared; an unchanged document gets the warning.
        if (!active->View()->CommitCellEdit()) {
            return;
        }
        if (CDocumentHistory::Of(*active->View()).NeedsSaving()) {
            if (!m_pMainFrame->SaveModified(active)) {
                return;
            }
        } else if (AskStringId(IDS_DATA_CLEARED, EPromptButtons::OkCancel) != EPromptAnswer::Ok) {
            return;
        }
        m_pMainFrame->DestroyActiveChild();
    }
    m_docManager.OpenNewDocument();
}

void CProgramApp::OnFileOpen() {
    const QString name = ChooseOpenFile(m_pMainFrame.get());
    if (!name.isEmpty()) {
        m_docManager.OpenDocumentFile(name);
    }
}

void CProgramApp::OnOpenRecentFile(int index) {
    const QStringList files = m_pMainFrame->RecentFiles();
    if (index < 0 || index >= files.size()) {
        return;
    }
    // A file that cannot be opened any more leaves the list.
    bool cancelled = false;
    if (m_docManager.OpenDocumentFile(files[index], &cancelled) == nullptr && !cancelled) {
        m_pMainFrame->RemoveRecentFile(index);
    }
}

void CProgramApp::OnAppAbout() {
    CAboutDlg dialog(m_pMainFrame.get());
    dialog.exec();
}

void CProgramApp::TrackLockKeys(QEvent* event) {
    if (m_pMainFrame == nullptr) {
        return;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_ScrollLock) {
        m_bScrollLock = !m_bScrollLock;
    }
    // On X11 the key's state carries Lock (caps) and Mod2 (num lock).
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        const quint32 state = key->nativeModifiers();
        m_pMainFrame->SetLockIndicators((state & 0x02) != 0, (state & 0x10) != 0, m_bScrollLock);
    }
}

bool CProgramApp::eventFilter(QObject* watched, QEvent* event) {
    if (CSplashWnd::PreTranslateEvent(event)) {
        return true;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        // Key events reach the window and then the widget; count them once.
        if (watched->isWidgetType()) {
            TrackLockKeys(event);
        }
        // F1 on an open menu explains the highlighted command.
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_F1) {
            if (auto* menu = qobject_cast<QMenu*>(watched)) {
                if (QAction* action = menu->activeAction(); action != nullptr) {
                    const int id = action->data().toInt();
                    menu->close();
                    ShowHelp(id);
                    return true;
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
