#pragma once

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class CChildFrame;
class CMdiClientWnd;
class CNavigationBar;
class CProgramApp;
class CProgramDoc;
class CProductInfoDlg;

// The main window: menus, toolbar, status bar, the navigation bar on the left and the MDI area
// with the document window.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CProgramApp& app);
    ~CMainFrame() override;

    // Builds the bars, menus and tree; false when a part could not be made.
    bool Create();

    QAction* Action(int id) const { return m_actions.value(id); }
    // Runs a command as its menu item would; false when it is disabled or unknown.
    bool OnCommand(int id);
    // The commands of editors that join later: the handler is wired and the command enabled;
    // a tree item standing for the command appears.
    void SetCommandHandler(int id, std::function<void()> handler);
    // An editor dialog behind an Edit command and its tree item. `open` runs only while a
    // document is open; it finds the document through DocumentFinder().
    void RegisterEditorDialog(int id, std::function<void()> open);
    // The active document, looked up at each call; for the editor dialogs.
    std::function<CProgramDoc*()> DocumentFinder();

    CNavigationBar* NavigationBar() const { return m_pNavigationBar; }
    CMdiClientWnd* MdiClient() const { return m_pMdiClient; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    QLabel* StatusPane(int index) const;  // 0 message, 1 CAPS, 2 NUM, 3 SCRL
    void SetLockIndicators(bool caps, bool num, bool scroll);

    // The active document window; it may be hidden. Null when there is none.
    CChildFrame* ActiveChild() const { return m_pActiveChild; }
    QList<CChildFrame*> Children() const;
    CChildFrame* AddDocumentWindow(std::unique_ptr<CProgramDoc> doc);
    void DestroyActiveChild();
    // Shows the active document window again, filling the area or at its own size as it was.
    void ShowChannelInformation();
    // True while the menu set of an open document is shown.
    bool HasDocumentMenus() const { return m_bDocumentMenus; }
    QList<QMenu*> VisibleMenus() const;

    QStringList RecentFiles() const { return m_recentFiles; }
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(int index);

    // The help context of whatever has the focus, for F1.
    int HelpContext() const;
    // Null until Product Information has been opened once.
    CProductInfoDlg* ProductInfoDlg() const { return m_pProductInfoDlg; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* MakeAction(int id, const QString& text, const QString& prompt, const QString& tip,
                        const QKeySequence& key = {});
    void CreateActions();
    void CreateMenus();
    void UpdateMenuSet();
    void UpdateRecentMenu();
    void LoadRecentFiles();
    void SaveRecentFiles() const;
    void OnTreeItem(const QString& text);
    void OnControlBar();
    void UpdateBarChecks();
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    void OnLanguage();
    void OnProductInfo();
    void RegisterEditorDialogs();
    void RefreshTree();

    CProgramApp& m_app;
    QHash<int, QAction*> m_actions;
    QHash<int, std::function<void()>> m_handlers;
    QList<QMenu*> m_noDocumentMenus;
    QList<QMenu*> m_documentMenus;
    QList<QAction*> m_recentActions;
    QStringList m_recentFiles;
    bool m_bDocumentMenus = false;
    CNavigationBar* m_pNavigationBar = nullptr;
    CMdiClientWnd* m_pMdiClient = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_panes[4] = {};
    CChildFrame* m_pActiveChild = nullptr;
    CProductInfoDlg* m_pProductInfoDlg = nullptr;  // kept for the frame's life, shown modally
};
