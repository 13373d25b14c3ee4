#pragma once

#include <QObject>
#include <QStringList>
#include <QTranslator>
#include <memory>

#include "ui/app/DocManager.h"

class CMainFrame;

// The application object: start-up in its fixed order, the File New/Open and About commands,
// and the first look at every event for the splash window.
class CProgramApp : public QObject {
    Q_OBJECT
public:
    CProgramApp();
    ~CProgramApp() override;

    // Where the program's files are: Program.ini, the language packs, pictures and help.
    // Defaults to the executable's directory, or the installation's share/lh740/; tests point
    // it elsewhere.
    void SetAppDir(const QString& dir) {
        m_strAppDir = dir;
        m_bInstalled = false;
    }
    // The pause while the splash is up (1000 ms).
    void SetSplashPause(int milliseconds) { m_nSplashPauseMs = milliseconds; }

    // False ends the program (a missing language pack has been reported then).
    bool InitInstance(const QStringList& arguments);
    int ExitInstance();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CMyDocManager& DocManager() { return m_docManager; }
    bool SplashShown() const { return m_bSplashShown; }

    void OnFileNew();
    // Asks about each recovery copy left by a program that ended without closing its
    // documents: Restore opens it, Discard deletes it, closing the box keeps it for the next
    // start. Returns the number restored.
    int OfferRecovery();
    void OnFileOpen();
    void OnOpenRecentFile(int index);
    void OnAppAbout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool LoadLanguagePack();
    void TrackLockKeys(QEvent* event);

    CMyDocManager m_docManager;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    QTranslator m_translator;
    QTranslator m_qtTranslator;
    QString m_strAppDir;
    bool m_bInstalled = false;  // the shared files of an installation, never written
    int m_nSplashPauseMs = 1000;
    bool m_bSplashShown = false;
    bool m_bScrollLock = false;
};

// The one application object while the program runs; null otherwise.
extern CProgramApp* g_pApp;
