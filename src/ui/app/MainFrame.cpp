#include "ui/app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUndoStack>
#include <cstdlib>
#include <filesystem>

#include "image/ProgramDoc.h"
#include "image/Recovery.h"
#include "ui/app/BackupsDlg.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/LanguageDlg.h"
#include "ui/app/MdiClient.h"
#include "ui/app/NavigationBar.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/ToolIcons.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/ChannelCsvCommands.h"
#include "ui/channels/CompareCommands.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/ProductInfoDlg.h"
#include "ui/channels/ProgramView.h"
#include "ui/channels/RowCommands.h"
#include "ui/editors/DtmfDlg.h"
#include "ui/editors/KeyAssignmentDlg.h"
#include "ui/editors/MskDlg.h"
#include "ui/editors/OptionalFeaturesDlg.h"
#include "ui/editors/TwoToneDlg.h"
#include "ui/link/LinkWorker.h"
#include "ui/link/TransferCommands.h"
#include "ui/report/PrintCommands.h"

namespace {

constexpr CText kMainTitle{"Vornex LH-740 Program Software", "Vornex LH-740 写频软件"};
constexpr int kRecentFileCount = 4;

// Tree texts and the commands they stand for.
struct CTreeCommand {
    CText m_text;
    int m_id;
};
const CTreeCommand kTreeCommands[] = {
    {{"Channel Information", "信道信息"}, ID_EDIT_CHANNEL_INFO},
    {{"Optional Features", "可选功能"}, ID_EDIT_OPTIONAL_FEATURES},
    {{"DTMF", "DTMF"}, ID_EDIT_DTMF},
    {{"MSK", "MSK"}, ID_EDIT_MSK},
    {{"Product Information", "机型设置"}, ID_EDIT_PRODUCT_INFO},
    {{"2-Tone", "2-Tone"}, ID_EDIT_2TONE},
    {{"Key Assignment", "侧键设定"}, ID_EDIT_KEY_ASSIGNMENT},
    {{"Squelch Tuning", "静噪微调"}, ID_EDIT_SQUELCH_TUNING},
};

// A dialog the frame keeps for its life: made on the first command, shown again after.
// TDialog takes (document finder, parent) and has DoModal().
template <class TDialog>
std::function<void()> KeptDialog(CMainFrame* frame) {
    return [frame, dialog = QPointer<TDialog>()]() mutable {
        if (!dialog) {
            dialog = new TDialog(frame->DocumentFinder(), frame);
        }
        dialog->DoModal();
    };
}

// A dialog made anew for each opening.
template <class TDialog>
std::function<void()> FreshDialog(CMainFrame* frame) {
    return [frame] {
        TDialog dialog(frame->DocumentFinder(), frame);
        dialog.DoModal();
    };
}

// The profile that keeps the recent-file list.
QSettings Profile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("lh740"),
                     QStringLiteral("Program"));
}

}  // namespace

namespace {
constexpr int kRecoveryIntervalMs = 30000;
constexpr const char* kRecoveryProperty = "recoveryPath";
}  // namespace

CMainFrame::CMainFrame(CProgramApp& app) : m_app(app) {
    setWindowTitle(Tr(kMainTitle));
    setAcceptDrops(true);
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::MakeAction(int id, const QString& text, const QString& prompt,
                                const QString& tip, const QKeySequence& key) {
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setStatusTip(prompt);
    action->setToolTip(tip);
    if (!key.isEmpty()) {
        action->setShortcut(key);
    }
    m_actions.insert(id, action);
    addAction(action);  // shortcuts work whichever menu set is shown
    connect(action, &QAction::triggered, this, [this, id] {
        const auto handler = m_handlers.find(id);
        if (handler != m_handlers.end() && handler.value()) {
            handler.value()();
        }
    });
    return action;
}

void CMainFrame::SetCommandHandler(int id, std::function<void()> handler) {
    m_handlers.insert(id, std::move(handler));
    if (QAction* action = Action(id)) {
        action->setEnabled(true);
    }
    RefreshTree();
}

void CMainFrame::RegisterEditorDialog(int id, std::function<void()> open) {
    // What the dialog stores is one undo step, named after the command.
    SetCommandHandler(id, [this, id, open = std::move(open)] {
        if (m_pActiveChild != nullptr) {
            RecordChange(Action(id)->toolTip(), open);
        }
    });
}

std::function<CProgramDoc*()> CMainFrame::DocumentFinder() {
    return [this]() -> CProgramDoc* {
        return m_pActiveChild != nullptr ? &m_pActiveChild->GetDocument() : nullptr;
    };
}

// The editor dialogs of the Edit menu and the tree. Each editor joins with one line here; its
// command (and tree item) stays disabled (absent) until it does. KeptDialog<T> for a dialog the
// frame keeps between openings, FreshDialog<T> for one made per opening.
void CMainFrame::RegisterEditorDialogs() {
    RegisterEditorDialog(ID_EDIT_OPTIONAL_FEATURES, KeptDialog<COptionalFeaturesDlg>(this));
    RegisterEditorDialog(ID_EDIT_DTMF, KeptDialog<CDtmfDlg>(this));
    RegisterEditorDialog(ID_EDIT_MSK, KeptDialog<CMskDlg>(this));
    RegisterEditorDialog(ID_EDIT_2TONE, KeptDialog<CTwoToneDlg>(this));
    RegisterEditorDialog(ID_EDIT_KEY_ASSIGNMENT, FreshDialog<CKeyAssignmentDlg>(this));
}

void CMainFrame::RefreshTree() {
    if (m_pNavigationBar == nullptr) {
        return;
    }
    m_pNavigationBar->FillTree(LanguageSetting("Company"), [this](const QString& english) {
        for (const auto& command : kTreeCommands) {
            if (english == QLatin1String(command.m_text.m_en)) {
                return m_handlers.contains(command.m_id);
            }
        }
        return false;
    });
}

bool CMainFrame::OnCommand(int id) {
    QAction* action = Action(id);
    if (action == nullptr || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

void CMainFrame::CreateActions() {
    MakeAction(ID_FILE_NEW, tr("&New"), tr("Create a new document"), tr("New"),
               QKeySequence(Qt::CTRL | Qt::Key_N));
    MakeAction(ID_FILE_OPEN, tr("&Open..."), tr("Open an existing document"), tr("Open"),
               QKeySequence(Qt::CTRL | Qt::Key_O));
    MakeAction(ID_FILE_CLOSE, tr("&Close"), tr("Close the active document"), tr("Close"));
    MakeAction(ID_FILE_SAVE, tr("&Save"), tr("Save the active document"), tr("Save"),
               QKeySequence(Qt::CTRL | Qt::Key_S));
    MakeAction(ID_FILE_SAVE_AS, tr("Save &As..."), tr("Save the active document with a new name"),
               tr("Save As"));
    MakeAction(ID_FILE_PRINT, tr("&Print..."), tr("Print the active document"), tr("Print"),
               QKeySequence(Qt::CTRL | Qt::Key_P));
    MakeAction(ID_FILE_PRINT_DIRECT, tr("Print &Direct"),
               tr("Print the active document on the printer without asking"), tr("Print Direct"));
    MakeAction(ID_FILE_PRINT_PREVIEW, tr("Print Preview"), tr("Display full pages"),
               tr("Print Preview"));
    MakeAction(ID_FILE_PRINT_SETUP, tr("P&rint Setup..."),
               tr("Change the printer and printing options"), tr("Print Setup"));
    MakeAction(ID_FILE_EXPORT_PDF, tr("&Export to PDF..."),
               tr("Write the report of the active document to a PDF file"), tr("Export to PDF"));
    MakeAction(ID_FILE_BACKUPS, tr("&Backups..."),
               tr("Open an automatic backup of a read or a write as a new document"),
               tr("Backups"));
    MakeAction(ID_APP_EXIT, tr("E&xit"), tr("Quit the application"), tr("Exit"));
    MakeAction(ID_FILE_IMPORT_CHANNELS, tr("&Import Channels..."),
               tr("Apply a channel CSV file to the active document"), tr("Import Channels"));
    MakeAction(ID_FILE_EXPORT_CHANNELS, tr("E&xport Channels..."),
               tr("Write the channels of the active document to a CSV file"),
               tr("Export Channels"));
    MakeAction(ID_TOOLS_COMPARE_FILE, tr("Compare with &File..."),
               tr("List the differences between the active document and a .dat file"),
               tr("Compare with File"));
    MakeAction(ID_TOOLS_COMPARE_RADIO, tr("Compare with &Radio"),
               tr("Read the radio into a copy and list its differences from the active document"),
               tr("Compare with Radio"));
    MakeAction(ID_EDIT_UNDO, tr("&Undo"), tr("Undo the last change"), tr("Undo"),
               QKeySequence(Qt::CTRL | Qt::Key_Z));
    MakeAction(ID_EDIT_REDO, tr("&Redo"), tr("Redo the change undone last"), tr("Redo"),
               QKeySequence(Qt::CTRL | Qt::Key_Y));
    MakeAction(ID_EDIT_CUT, tr("Cu&t"), tr("Move the selected rows to the clipboard"), tr("Cut"),
               QKeySequence(Qt::CTRL | Qt::Key_X));
    MakeAction(ID_EDIT_COPY, tr("&Copy"), tr("Copy the selected rows to the clipboard"), tr("Copy"),
               QKeySequence(Qt::CTRL | Qt::Key_C));
    MakeAction(ID_EDIT_PASTE, tr("&Paste"), tr("Paste rows from the clipboard"), tr("Paste"),
               QKeySequence(Qt::CTRL | Qt::Key_V));
    MakeAction(ID_EDIT_INSERT_ROW, tr("&Insert Row"),
               tr("Insert an empty channel, moving the channels below down"), tr("Insert Row"));
    MakeAction(ID_EDIT_DELETE_ROWS, tr("&Delete Rows"),
               tr("Delete the selected channels, moving the channels below up"), tr("Delete Rows"));
    MakeAction(ID_EDIT_MOVE_UP, tr("Move &Up"), tr("Move the selected channels up one row"),
               tr("Move Up"), QKeySequence(Qt::CTRL | Qt::Key_Up));
    MakeAction(ID_EDIT_MOVE_DOWN, tr("Move Do&wn"), tr("Move the selected channels down one row"),
               tr("Move Down"), QKeySequence(Qt::CTRL | Qt::Key_Down));
    MakeAction(ID_EDIT_PRODUCT_INFO, tr("Product Information"),
               tr("Choose the model and its frequency bands"), tr("Product Information"));
    MakeAction(ID_EDIT_CHANNEL_INFO, tr("Channel Information"), tr("Show the channel window"),
               tr("Channel Information"));
    MakeAction(ID_EDIT_OPTIONAL_FEATURES, tr("Optional Features"),
               tr("Edit the radio-wide optional features"), tr("Optional Features"));
    MakeAction(ID_EDIT_DTMF, tr("DTMF"), tr("Edit the DTMF encode, decode and call list"),
               tr("DTMF"));
    MakeAction(ID_EDIT_2TONE, tr("2-Tone"), tr("Edit the 2-Tone encode list and decode codes"),
               tr("2-Tone"));
    MakeAction(ID_EDIT_MSK, tr("MSK"), tr("Edit the MSK identity and call list"), tr("MSK"));
    MakeAction(ID_EDIT_KEY_ASSIGNMENT, tr("Key Assignment"), tr("Assign the side key"),
               tr("Key Assignment"));
    MakeAction(ID_EDIT_SQUELCH_TUNING, tr("Squelch Tuning"),
               tr("Read, tune and write the squelch levels of the radio"), tr("Squelch Tuning"));
    MakeAction(ID_PROGRAM_READ, tr("&Read"), tr("Read Data From Radio"), tr("Read"),
               QKeySequence(Qt::CTRL | Qt::Key_R));
    MakeAction(ID_PROGRAM_WRITE, tr("&Write"), tr("Write Data To Radio"), tr("Write"),
               QKeySequence(Qt::CTRL | Qt::Key_W));
    MakeAction(ID_SETUP_COM, tr("Com Setup"), tr("Choose the serial port"), tr("Com Setup"));
    MakeAction(ID_SETUP_PORT_DOCTOR, tr("Port &Doctor..."),
               tr("Check the serial port and explain what keeps it from working"),
               tr("Port Doctor"));
    MakeAction(ID_SETUP_LANGUAGE, tr("Language"), tr("Choose the language of the program"),
               tr("Language"));
    MakeAction(ID_VIEW_TOOLBAR, tr("&Toolbar"), tr("Show or hide the toolbar"),
               tr("Toggle ToolBar"));
    MakeAction(ID_VIEW_STATUS_BAR, tr("&Status Bar"), tr("Show or hide the status bar"),
               tr("Toggle StatusBar"));
    MakeAction(ID_VIEW_CONTROLBAR, tr("Control &Bar"), tr("Show or hide the navigation bar"),
               tr("Control Bar"), QKeySequence(Qt::CTRL | Qt::Key_B));
    MakeAction(ID_HELP_TOPICS, tr("&Help Topics"), tr("List Help topics"), tr("Help Topics"));
    MakeAction(ID_APP_ABOUT, tr("&About ..."),
               tr("Display program information, version number and copyright"), tr("About"));
    MakeAction(ID_HELP, tr("Help"), tr("Display help for current task or command"), tr("Help"),
               QKeySequence(Qt::Key_F1));
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* action =
            MakeAction(ID_FILE_MRU_FILE1 + i, QString(), tr("Open this document"), QString());
        m_recentActions.append(action);
        m_handlers.insert(ID_FILE_MRU_FILE1 + i, [this, i] { m_app.OnOpenRecentFile(i); });
    }

    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_CONTROLBAR}) {
        Action(id)->setCheckable(true);
        Action(id)->setChecked(true);
    }

    m_handlers.insert(ID_FILE_NEW, [this] { m_app.OnFileNew(); });
    m_handlers.insert(ID_FILE_OPEN, [this] { m_app.OnFileOpen(); });
    m_handlers.insert(ID_FILE_CLOSE, [this] { OnFileClose(); });
    m_handlers.insert(ID_FILE_SAVE, [this] { OnFileSave(); });
    m_handlers.insert(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    m_handlers.insert(ID_FILE_BACKUPS, [this] {
        CBackupsDlg dialog(this);
        if (dialog.exec() == QDialog::Accepted && !dialog.Chosen().isEmpty()) {
            m_app.DocManager().OpenBackup(dialog.Chosen());
        }
    });
    m_handlers.insert(ID_APP_EXIT, [this] { close(); });
    m_handlers.insert(ID_EDIT_CHANNEL_INFO, [this] { ShowChannelInformation(); });
    m_handlers.insert(ID_SETUP_LANGUAGE, [this] { OnLanguage(); });
    m_handlers.insert(ID_EDIT_PRODUCT_INFO, [this] { OnProductInfo(); });
    m_handlers.insert(ID_EDIT_UNDO, [this] {
        if (m_pActiveChild != nullptr) {
            CDocumentHistory::Of(*m_pActiveChild->View()).Stack().undo();
        }
    });
    m_handlers.insert(ID_EDIT_REDO, [this] {
        if (m_pActiveChild != nullptr) {
            CDocumentHistory::Of(*m_pActiveChild->View()).Stack().redo();
        }
    });
    // The check marks follow the bars (see eventFilter), whoever shows or hides them.
    m_handlers.insert(ID_VIEW_TOOLBAR, [this] { m_pToolBar->setVisible(m_pToolBar->isHidden()); });
    m_handlers.insert(ID_VIEW_STATUS_BAR,
                      [this] { statusBar()->setVisible(statusBar()->isHidden()); });
    m_handlers.insert(ID_VIEW_CONTROLBAR, [this] { OnControlBar(); });
    m_handlers.insert(ID_HELP_TOPICS, [] { ShowHelp(0); });
    m_handlers.insert(ID_HELP, [this] { ShowHelp(HelpContext()); });
    m_handlers.insert(ID_APP_ABOUT, [this] { m_app.OnAppAbout(); });

    // Commands whose windows come with later work stay disabled until they are wired.
    for (int id : {ID_FILE_PRINT,
                   ID_FILE_PRINT_DIRECT,
                   ID_FILE_PRINT_PREVIEW,
                   ID_FILE_PRINT_SETUP,
                   ID_FILE_EXPORT_PDF,
                   ID_FILE_IMPORT_CHANNELS,
                   ID_FILE_EXPORT_CHANNELS,
                   ID_TOOLS_COMPARE_FILE,
                   ID_TOOLS_COMPARE_RADIO,
                   ID_EDIT_UNDO,
                   ID_EDIT_REDO,
                   ID_EDIT_CUT,
                   ID_EDIT_COPY,
                   ID_EDIT_PASTE,
                   ID_EDIT_INSERT_ROW,
                   ID_EDIT_DELETE_ROWS,
                   ID_EDIT_MOVE_UP,
                   ID_EDIT_MOVE_DOWN,
                   ID_PROGRAM_READ,
                   ID_PROGRAM_WRITE,
                   ID_SETUP_COM,
                   ID_SETUP_PORT_DOCTOR,
                   ID_EDIT_PRODUCT_INFO,
                   ID_EDIT_OPTIONAL_FEATURES,
                   ID_EDIT_DTMF,
                   ID_EDIT_2TONE,
                   ID_EDIT_MSK,
                   ID_EDIT_KEY_ASSIGNMENT,
                   ID_EDIT_SQUELCH_TUNING}) {
        if (!m_handlers.contains(id)) {
            Action(id)->setEnabled(false);
        }
    }
}

void CMainFrame::CreateMenus() {
    auto addRecent = [this](QMenu* file) {
        for (QAction* action : m_recentActions) {
            file->addAction(action);
        }
    };
    // Shown while no document is open.
    {
        auto* file = new QMenu(tr("&File"), this);
        file->addAction(Action(ID_FILE_NEW));
        file->addAction(Action(ID_FILE_OPEN));
        file->addAction(Action(ID_FILE_BACKUPS));
        file->addSeparator();
        file->addAction(Action(ID_FILE_PRINT_SETUP));
        file->addSeparator();
        addRecent(file);
        file->addSeparator();
        file->addAction(Action(ID_APP_EXIT));
        auto* view = new QMenu(tr("&View"), this);
        view->addAction(Action(ID_VIEW_TOOLBAR));
        view->addAction(Action(ID_VIEW_STATUS_BAR));
        auto* help = new QMenu(tr("&Help"), this);
        help->addAction(Action(ID_APP_ABOUT));
        m_noDocumentMenus = {file, view, help};
    }
    // Shown with a document.
    {
        auto* file = new QMenu(tr("&File"), this);
        file->addAction(Action(ID_FILE_NEW));
        file->addAction(Action(ID_FILE_OPEN));
        file->addAction(Action(ID_FILE_CLOSE));
        file->addAction(Action(ID_FILE_SAVE));
        file->addAction(Action(ID_FILE_SAVE_AS));
        file->addAction(Action(ID_FILE_BACKUPS));
        file->addSeparator();
        file->addAction(Action(ID_FILE_IMPORT_CHANNELS));
        file->addAction(Action(ID_FILE_EXPORT_CHANNELS));
        file->addSeparator();
        file->addAction(Action(ID_FILE_PRINT));
        file->addAction(Action(ID_FILE_PRINT_DIRECT));
        file->addAction(Action(ID_FILE_PRINT_PREVIEW));
        file->addAction(Action(ID_FILE_PRINT_SETUP));
        file->addAction(Action(ID_FILE_EXPORT_PDF));
        file->addSeparator();
        addRecent(file);
        file->addSeparator();
        file->addAction(Action(ID_APP_EXIT));
        auto* edit = new QMenu(tr("&Edit"), this);
        edit->addAction(Action(ID_EDIT_UNDO));
        edit->addAction(Action(ID_EDIT_REDO));
        edit->addSeparator();
        edit->addAction(Action(ID_EDIT_CUT));
        edit->addAction(Action(ID_EDIT_COPY));
        edit->addAction(Action(ID_EDIT_PASTE));
        edit->addSeparator();
        edit->addAction(Action(ID_EDIT_INSERT_ROW));
        edit->addAction(Action(ID_EDIT_DELETE_ROWS));
        edit->addAction(Action(ID_EDIT_MOVE_UP));
        edit->addAction(Action(ID_EDIT_MOVE_DOWN));
        edit->addSeparator();
        edit->addAction(Action(ID_EDIT_PRODUCT_INFO));
        edit->addAction(Action(ID_EDIT_CHANNEL_INFO));
        edit->addSeparator();
        edit->addAction(Action(ID_EDIT_OPTIONAL_FEATURES));
        edit->addSeparator();
        edit->addAction(Action(ID_EDIT_DTMF));
        edit->addAction(Action(ID_EDIT_2TONE));
        edit->addAction(Action(ID_EDIT_MSK));
        edit->addAction(Action(ID_EDIT_KEY_ASSIGNMENT));
        edit->addSeparator();
        edit->addAction(Action(ID_EDIT_SQUELCH_TUNING));
        auto* program = new QMenu(tr("&Program"), this);
        program->addAction(Action(ID_PROGRAM_READ));
        program->addAction(Action(ID_PROGRAM_WRITE));
        auto* setup = new QMenu(tr("Setup"), this);
        setup->addAction(Action(ID_SETUP_COM));
        setup->addAction(Action(ID_SETUP_PORT_DOCTOR));
        setup->addAction(Action(ID_SETUP_LANGUAGE));
        auto* tools = new QMenu(tr("&Tools"), this);
        tools->addAction(Action(ID_TOOLS_COMPARE_FILE));
        tools->addAction(Action(ID_TOOLS_COMPARE_RADIO));
        auto* view = new QMenu(tr("&View"), this);
        view->addAction(Action(ID_VIEW_TOOLBAR));
        view->addAction(Action(ID_VIEW_STATUS_BAR));
        view->addSeparator();
        view->addAction(Action(ID_VIEW_CONTROLBAR));
        auto* help = new QMenu(tr("&Help"), this);
        help->addAction(Action(ID_HELP_TOPICS));
        help->addSeparator();
        help->addAction(Action(ID_APP_ABOUT));
        m_documentMenus = {file, edit, program, setup, tools, view, help};
    }
    m_bDocumentMenus = true;  // forces the first switch
    UpdateMenuSet();
}

void CMainFrame::UpdateMenuSet() {
    const bool withDocument = !Children().isEmpty();
    if (withDocument == m_bDocumentMenus && !menuBar()->actions().isEmpty()) {
        return;
    }
    m_bDocumentMenus = withDocument;
    menuBar()->clear();
    for (QMenu* menu : withDocument ? m_documentMenus : m_noDocumentMenus) {
        menuBar()->addMenu(menu);
    }
}

QList<QMenu*> CMainFrame::VisibleMenus() const {
    return m_bDocumentMenus ? m_documentMenus : m_noDocumentMenus;
}

bool CMainFrame::Create() {
    CreateActions();

    m_pToolBar = addToolBar(tr("Standard"));
    m_pToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_pToolBar->setIconSize(QSize(18, 19));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const std::pair<int, EToolIcon> buttons[] = {
        {ID_FILE_NEW, EToolIcon::New},        {ID_FILE_OPEN, EToolIcon::Open},
        {ID_FILE_SAVE, EToolIcon::Save},      {0, EToolIcon::New},
        {ID_PROGRAM_READ, EToolIcon::Read},   {0, EToolIcon::New},
        {ID_PROGRAM_WRITE, EToolIcon::Write}, {0, EToolIcon::New},
        {ID_FILE_PRINT, EToolIcon::Print},    {ID_APP_ABOUT, EToolIcon::About},
    };
    for (const auto& [id, icon] : buttons) {
        if (id == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        Action(id)->setIcon(ToolIcon(icon));
        m_pToolBar->addAction(Action(id));
    }

    m_panes[0] = new QLabel(tr("Ready"), this);
    statusBar()->addWidget(m_panes[0], 1);
    const QString lockNames[] = {tr("CAP"), tr("NUM"), tr("SCRL")};
    for (int i = 1; i < 4; ++i) {
        m_panes[i] = new QLabel(this);
        m_panes[i]->setAlignment(Qt::AlignCenter);
        m_panes[i]->setMinimumWidth(fontMetrics().horizontalAdvance(lockNames[i - 1]) + 12);
        m_panes[i]->setProperty("lockName", lockNames[i - 1]);
        statusBar()->addPermanentWidget(m_panes[i]);
    }

    m_pNavigationBar = new CNavigationBar(this);
    addDockWidget(Qt::LeftDockWidgetArea, m_pNavigationBar);
    RegisterEditorDialogs();
    RefreshTree();
    connect(m_pNavigationBar, &CNavigationBar::ItemChosen, this, &CMainFrame::OnTreeItem);
    connect(m_pNavigationBar, &CNavigationBar::CloseClicked, this,
            [this] { m_pNavigationBar->hide(); });
    // The bars can also be hidden from the frame's own context menu; the View menu's check
    // marks are read from the bars whenever one of them is shown or hidden.
    for (QWidget* bar : {static_cast<QWidget*>(m_pToolBar), static_cast<QWidget*>(statusBar()),
                         static_cast<QWidget*>(m_pNavigationBar)}) {
        bar->installEventFilter(this);
    }
    UpdateBarChecks();

    m_pMdiClient = new CMdiClientWnd(this);
    setCentralWidget(m_pMdiClient);
    connect(m_pMdiClient, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (auto* child = qobject_cast<CChildFrame*>(window)) {
            m_pActiveChild = child;
            UpdateUndoActions();
        }
    });
    connect(&CTransferLock::Notifier(), &CTransferLockNotifier::Changed, this,
            &CMainFrame::UpdateUndoActions);

    // A read replaces the document only after the lock is released: the copy is taken once
    // that has run.
    connect(
        &CTransferLock::Notifier(), &CTransferLockNotifier::Changed, this,
        [this](bool active) {
            if (!active) {
                SaveRecoveryCopies();
            }
        },
        Qt::QueuedConnection);
    m_pRecoveryTimer = new QTimer(this);
    connect(m_pRecoveryTimer, &QTimer::timeout, this, &CMainFrame::SaveRecoveryCopies);
    int interval = kRecoveryIntervalMs;
    if (const char* text = std::getenv("LH740_RECOVERY_INTERVAL_MS")) {
        bool ok = false;
        const int ms = QByteArray(text).toInt(&ok);
        if (ok && ms > 0) {
            interval = ms;
        }
    }
    SetRecoveryInterval(interval);

    LoadRecentFiles();
    CreateMenus();
    UpdateRecentMenu();
    InstallTransferCommands(*this);
    InstallPrintCommands(*this);
    InstallRowCommands(*this);
    InstallChannelCsvCommands(*this);
    InstallCompareCommands(*this);
    return true;
}

QLabel* CMainFrame::StatusPane(int index) const {
    return index >= 0 && index < 4 ? m_panes[index] : nullptr;
}

void CMainFrame::SetLockIndicators(bool caps, bool num, bool scroll) {
    const bool on[] = {caps, num, scroll};
    for (int i = 1; i < 4; ++i) {
        m_panes[i]->setText(on[i - 1] ? m_panes[i]->property("lockName").toString() : QString());
    }
}

QList<CChildFrame*> CMainFrame::Children() const {
    QList<CChildFrame*> children;
    if (m_pMdiClient == nullptr) {
        return children;
    }
    for (QMdiSubWindow* window : m_pMdiClient->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(window)) {
            children.append(child);
        }
    }
    return children;
}

CChildFrame* CMainFrame::AddDocumentWindow(std::unique_ptr<CProgramDoc> doc) {
    auto* child = new CChildFrame(std::move(doc));
    m_pMdiClient->addSubWindow(child);
    child->View()->OnInitialUpdate();
    // What the grid fill made of the file (or the defaults) is the unmodified state.
    CDocumentHistory::Of(*child->View()).SetSaved();
    WatchHistory(child);
    // The copy belongs to this window: it goes when the window does (a normal exit), so only
    // a program that ended without closing leaves one behind.
    const std::string folder = RecoveryFolder();
    const QString recovery =
        folder.empty() ? QString()
                       : QString::fromStdString(folder + "/" + NewRecoveryName() + ".dat");
    child->setProperty(kRecoveryProperty, recovery);
    connect(child, &QObject::destroyed, [recovery] { RemoveRecovery(recovery.toStdString()); });
    m_pActiveChild = child;
    UpdateMenuSet();
    // The grid gets all the room there is; the window's system menu restores its own size.
    child->showMaximized();
    m_pMdiClient->setActiveSubWindow(child);
    UpdateUndoActions();
    return child;
}

void CMainFrame::DestroyActiveChild() {
    CChildFrame* child = m_pActiveChild;
    if (child == nullptr) {
        return;
    }
    m_pActiveChild = nullptr;
    m_pMdiClient->removeSubWindow(child);
    delete child;
    // The window that the area activates next, if any, becomes the active one.
    if (auto* next = qobject_cast<CChildFrame*>(m_pMdiClient->activeSubWindow())) {
        m_pActiveChild = next;
    }
    UpdateMenuSet();
    UpdateUndoActions();
}

void CMainFrame::ShowChannelInformation() {
    if (m_pActiveChild == nullptr) {
        return;
    }
    // As the user left it: filling the area, or at its own size.
    if (m_pActiveChild->windowState() & Qt::WindowMaximized) {
        m_pActiveChild->showMaximized();
    } else {
        m_pActiveChild->showNormal();
    }
    m_pMdiClient->setActiveSubWindow(m_pActiveChild);
}

void CMainFrame::OnFileClose() {
    if (m_pActiveChild != nullptr) {
        m_pActiveChild->close();
    }
}

bool CMainFrame::SaveDocument(CChildFrame* child, bool askName) {
    CProgramDoc& doc = child->GetDocument();
    // An existing, writable file is written at once; otherwise the user names one.
    const QFileInfo target(QString::fromStdString(doc.GetPathName()));
    const bool named =
        askName || target.filePath().isEmpty() || !target.isFile() || !target.isWritable();
    QString path = target.absoluteFilePath();
    if (named) {
        const QString name = ChooseSaveFile(this, QString::fromStdString(doc.GetPathName()));
        if (name.isEmpty()) {
            return false;
        }
        path = QFileInfo(name).absoluteFilePath();
    }
    const auto saved = doc.OnSaveDocument(path.toStdString());
    if (!saved) {
        Ask(Tr(saved.error()));
        return false;
    }
    CDocumentHistory::Of(*child->View()).SetSaved();
    RemoveRecovery(RecoveryPath(child).toStdString());
    if (named) {
        AddRecentFile(path);
    }
    return true;
}

void CMainFrame::OnFileSave() {
    if (m_pActiveChild != nullptr) {
        SaveDocument(m_pActiveChild, false);
    }
}

void CMainFrame::OnFileSaveAs() {
    if (m_pActiveChild != nullptr) {
        SaveDocument(m_pActiveChild, true);
    }
}

bool CMainFrame::SaveModified(CChildFrame* child, bool rememberDiscard) {
    if (child == nullptr) {
        return true;
    }
    // Text still being typed into a cell is a change too; a cell that refuses it keeps the
    // user here to mend it.
    if (!child->View()->CommitCellEdit()) {
        return false;
    }
    CDocumentHistory& history = CDocumentHistory::Of(*child->View());
    if (!history.NeedsSaving()) {
        return true;
    }
    const QString text = tr("Save changes?") + QLatin1Char('\n') + child->DocumentName();
    switch (Ask(text, EPromptButtons::SaveDiscardCancel, EPromptIcon::Question)) {
        case EPromptAnswer::Save:
            return SaveDocument(child, false);
        case EPromptAnswer::Discard:
            if (rememberDiscard) {
                history.SetDiscarded();
            }
            return true;
        default:
            return false;
    }
}

bool CMainFrame::SaveAllModified() {
    QList<CChildFrame*> children = Children();
    if (m_pActiveChild != nullptr) {
        children.removeAll(m_pActiveChild);
        children.prepend(m_pActiveChild);
    }
    for (CChildFrame* child : children) {
        if (!SaveModified(child)) {
            return false;
        }
    }
    return true;
}

void CMainFrame::RecordChange(const QString& name, const std::function<void()>& change) {
    if (m_pActiveChild == nullptr) {
        change();
        return;
    }
    CDocumentHistory::Of(*m_pActiveChild->View()).Record(name, change);
}

QString CMainFrame::RecoveryPath(const CChildFrame* child) {
    return child->property(kRecoveryProperty).toString();
}

void CMainFrame::SetRecoveryInterval(int ms) {
    if (ms > 0) {
        m_pRecoveryTimer->start(ms);
    } else {
        m_pRecoveryTimer->stop();
    }
}

void CMainFrame::SaveRecoveryCopies() {
    if (CTransferLock::Active()) {
        return;
    }
    for (CChildFrame* child : Children()) {
        const std::string path = RecoveryPath(child).toStdString();
        if (path.empty()) {
            continue;  // no home folder to keep copies in
        }
        const std::filesystem::path file(path);
        // Changes saved, undone or discarded need no copy.
        if (!CDocumentHistory::Of(*child->View()).NeedsSaving()) {
            RemoveRecovery(path);
            continue;
        }
        // What the grid shows, taken on a copy so the document itself is not touched.
        const CProgramDoc& doc = child->GetDocument();
        CDocumentState state = doc;
        child->View()->Table().StoreGrid(state);
        const std::string& name = doc.GetPathName();
        const auto saved =
            SaveRecovery(file.parent_path().string(), file.stem().string(),
                         name.starts_with('/') ? name : std::string(), state.m_image);
        // A failed copy must not interrupt the user's work every 30 seconds; the next may
        // succeed.
        if (!saved) {
            qWarning("%s", saved.error().Text(false).c_str());
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!SaveAllModified()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::WatchHistory(CChildFrame* child) {
    QUndoStack& stack = CDocumentHistory::Of(*child->View()).Stack();
    connect(&stack, &QUndoStack::indexChanged, this, &CMainFrame::UpdateUndoActions);
    connect(&stack, &QUndoStack::cleanChanged, this, &CMainFrame::UpdateUndoActions);
}

void CMainFrame::UpdateUndoActions() {
    const QUndoStack* stack = m_pActiveChild != nullptr
                                  ? &CDocumentHistory::Of(*m_pActiveChild->View()).Stack()
                                  : nullptr;
    // Nothing may change the document while a transfer has a copy of it.
    const bool free = !CTransferLock::Active();
    QAction* undo = Action(ID_EDIT_UNDO);
    QAction* redo = Action(ID_EDIT_REDO);
    const bool canUndo = stack != nullptr && stack->canUndo();
    const bool canRedo = stack != nullptr && stack->canRedo();
    undo->setEnabled(free && canUndo);
    redo->setEnabled(free && canRedo);
    undo->setText(canUndo ? tr("&Undo %1").arg(stack->undoText()) : tr("&Undo"));
    redo->setText(canRedo ? tr("&Redo %1").arg(stack->redoText()) : tr("&Redo"));
}

void CMainFrame::OnLanguage() {
    CLanguageDlg dialog(this, this);
    dialog.exec();
}

void CMainFrame::OnProductInfo() {
    if (m_pActiveChild == nullptr) {
        return;
    }
    if (m_pProductInfoDlg == nullptr) {
        m_pProductInfoDlg = new CProductInfoDlg(
            [this]() -> CProgramDoc* {
                return m_pActiveChild != nullptr ? &m_pActiveChild->GetDocument() : nullptr;
            },
            this);
    }
    RecordChange(tr("Product Information"), [this] { m_pProductInfoDlg->DoModal(); });
}

void CMainFrame::OnTreeItem(const QString& text) {
    for (const auto& command : kTreeCommands) {
        if (text == Tr(command.m_text)) {
            OnCommand(command.m_id);
            return;
        }
    }
}

void CMainFrame::OnControlBar() {
    m_pNavigationBar->setVisible(m_pNavigationBar->isHidden());
}

void CMainFrame::UpdateBarChecks() {
    // isHidden, not isVisible: a bar stays checked while the whole window is hidden.
    Action(ID_VIEW_TOOLBAR)->setChecked(!m_pToolBar->isHidden());
    Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
    Action(ID_VIEW_CONTROLBAR)->setChecked(!m_pNavigationBar->isHidden());
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // Sent whenever the bar itself is shown or hidden, whether or not the frame is on screen.
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        UpdateBarChecks();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::LoadRecentFiles() {
    QSettings profile = Profile();
    m_recentFiles.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file =
            profile.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!file.isEmpty()) {
            m_recentFiles.append(file);
        }
    }
}

void CMainFrame::SaveRecentFiles() const {
    QSettings profile = Profile();
    profile.remove(QStringLiteral("Recent File List"));
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        profile.setValue(QStringLiteral("Recent File List/File%1").arg(i + 1), m_recentFiles[i]);
    }
}

void CMainFrame::AddRecentFile(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount) {
        m_recentFiles.removeLast();
    }
    SaveRecentFiles();
    UpdateRecentMenu();
}

void CMainFrame::RemoveRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles.size()) {
        return;
    }
    m_recentFiles.removeAt(index);
    SaveRecentFiles();
    UpdateRecentMenu();
}

void CMainFrame::UpdateRecentMenu() {
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i < m_recentFiles.size()) {
            QString name = m_recentFiles[i];
            name.replace(QLatin1Char('&'), QLatin1String("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

int CMainFrame::HelpContext() const {
    QWidget* focus = QApplication::focusWidget();
    if (m_pActiveChild != nullptr && focus != nullptr && m_pActiveChild->isAncestorOf(focus)) {
        return m_pActiveChild->View()->HelpContext();
    }
    if (focus != nullptr && focus->property("controlId").isValid()) {
        return focus->property("controlId").toInt();
    }
    return kMainFrameHelpContext;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            m_app.DocManager().OpenDocumentFile(url.toLocalFile());
        }
    }
    event->acceptProposedAction();
}
