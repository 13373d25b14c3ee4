#pragma once

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTimer;
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

    // Asks "Save changes?" about a document with unsaved changes: Save saves it (asking for a
    // name when it has none), Discard goes on without saving. False when the user cancelled or
    // the save failed: the caller stops. `rememberDiscard`: a Discard is not asked again for the
    // same changes (the document is going away).
    bool SaveModified(CChildFrame* child, bool rememberDiscard = true);
    // The same for every document window, the active one first.
    bool SaveAllModified();
    // Runs `change` on the active document as one undo step named `name`.
    void RecordChange(const QString& name, const std::function<void()>& change);

    // Writes a recovery copy of every document with unsaved changes and removes the copies of
    // the others; does nothing while a transfer runs. Run by a timer and after each transfer.
    void SaveRecoveryCopies();
    // Milliseconds between recovery copies (30 s unless LH740_RECOVERY_INTERVAL_MS is set).
    void SetRecoveryInterval(int ms);
    // The .dat of the recovery copy kept for `child`'s document, whether written yet or not.
    static QString RecoveryPath(const CChildFrame* child);

    // The help context of whatever has the focus, for F1.
    int HelpContext() const;
    // Null until Product Information has been opened once.
    CProductInfoDlg* ProductInfoDlg() const { return m_pProductInfoDlg; }

protected:
    void closeEvent(QCloseEvent* event) override;
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
    // Saves the document; `askName` (Save As) or a file that cannot be written asks for a name.
    bool SaveDocument(CChildFrame* child, bool askName);
    void OnFileSave();
    void OnFileSaveAs();
    // Undo and Redo follow the active document's history.
    void WatchHistory(CChildFrame* child);
    void UpdateUndoActions();
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
    QTimer* m_pRecoveryTimer = nullptr;
};
