#include "ui/app/HelpWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/app/Commands.h"
#include "ui/app/UiGlobals.h"

namespace {

struct CHelpTopic {
    int m_context;
    const char* m_page;
};

// Command ids, control ids and the grid's cell numbers, each with the page that explains it.
const CHelpTopic kTopics[] = {
    {0, "index.html"},
    {ID_HELP_TOPICS, "index.html"},
    {kMainFrameHelpContext, "mainframe.html"},
    {ID_HELP, "mainframe.html#help"},
    {ID_FILE_NEW, "files.html#new"},
    {ID_FILE_OPEN, "files.html#open"},
    {ID_FILE_CLOSE, "files.html#close"},
    {ID_FILE_SAVE, "files.html#save"},
    {ID_FILE_SAVE_AS, "files.html#save"},
    {ID_FILE_MRU_FILE1, "files.html#recent"},
    {ID_APP_EXIT, "files.html#exit"},
    {ID_FILE_PRINT, "program.html#print"},
    {ID_FILE_PRINT_PREVIEW, "program.html#print"},
    {ID_FILE_PRINT_SETUP, "program.html#print"},
    {ID_FILE_PRINT_DIRECT, "program.html#print"},
    {ID_FILE_EXPORT_PDF, "program.html#pdf"},
    {ID_VIEW_TOOLBAR, "mainframe.html#view"},
    {ID_VIEW_STATUS_BAR, "mainframe.html#view"},
    {ID_VIEW_CONTROLBAR, "mainframe.html#navigation"},
    {IDC_NAVIGATION_TREE, "mainframe.html#navigation"},
    {ID_APP_ABOUT, "mainframe.html#about"},
    {ID_EDIT_CHANNEL_INFO, "channels.html"},
    {IDC_CHANNEL_GRID, "channels.html"},
    {1126, "channels.html#name"},
    {1127, "channels.html#frequency"},
    {2127, "channels.html#rx"},
    {2128, "channels.html#tx"},
    {1132, "channels.html#tone"},
    {2132, "channels.html#tone"},
    {2133, "channels.html#tone"},
    {1128, "channels.html#bandwidth"},
    {1129, "channels.html#power"},
    {1130, "channels.html#busy"},
    {1131, "channels.html#pttid"},
    {1133, "channels.html#signal"},
    {1134, "channels.html#scan"},
    {ID_EDIT_PRODUCT_INFO, "productinfo.html"},
    {135, "productinfo.html"},
    {1013, "productinfo.html#model"},
    {1113, "productinfo.html#bands"},
    {1114, "productinfo.html#bands"},
    {1115, "productinfo.html#bands"},
    {1116, "productinfo.html#bands"},
    {138, "channeledit.html"},
    {1023, "channeledit.html#channel"},
    {1031, "channeledit.html#channel"},
    {1024, "channeledit.html#signal"},
    {1137, "channeledit.html#signal"},
    {1025, "channeledit.html#numbers"},
    {1026, "channeledit.html#numbers"},
    {1032, "channeledit.html#numbers"},
    {1033, "channeledit.html#numbers"},
    {2025, "channeledit.html#msk"},
    {2026, "channeledit.html#twotone"},
    {ID_EDIT_OPTIONAL_FEATURES, "optional.html"},
    {ID_EDIT_DTMF, "editors.html#dtmf"},
    {ID_EDIT_2TONE, "editors.html#twotone"},
    {ID_EDIT_MSK, "editors.html#msk"},
    {ID_EDIT_KEY_ASSIGNMENT, "keyassign.html"},
    {ID_EDIT_SQUELCH_TUNING, "editors.html#squelch"},
    {ID_PROGRAM_READ, "program.html#read"},
    {ID_PROGRAM_WRITE, "program.html#write"},
    {ID_TOOLS_COMPARE_FILE, "program.html#compare"},
    {ID_TOOLS_COMPARE_RADIO, "program.html#compare"},
    {ID_SETUP_COM, "program.html#com"},
    {ID_SETUP_PORT_DOCTOR, "program.html#doctor"},
    {ID_SETUP_LANGUAGE, "language.html"},
    {IDC_LANGUAGE_ENGLISH, "language.html"},
    {IDC_LANGUAGE_CHINESE, "language.html"},
};

struct CScopedTopic {
    int m_scope;  // the dialog's template id
    int m_context;
    const char* m_page;
};

// Dialog controls whose ids other windows use too. A context of the scope not listed here
// opens the scope's first page.
const CScopedTopic kScopedTopics[] = {
    {133, 133, "optional.html"},           {133, 1125, "optional.html#tot"},
    {133, 1126, "optional.html#tot"},      {133, 1123, "optional.html#squelch"},
    {133, 1120, "optional.html#vox"},      {133, 1124, "optional.html#step"},
    {133, 1115, "optional.html#light"},    {133, 1116, "optional.html#light"},
    {133, 1121, "optional.html#poweron"},  {133, 1118, "optional.html#keylock"},
    {133, 1134, "optional.html#keylock"},  {133, 1119, "optional.html#priority"},
    {133, 1117, "optional.html#display"},  {133, 1128, "optional.html#saver"},
    {133, 1127, "optional.html#sounds"},   {133, 1129, "optional.html#sounds"},
    {133, 1131, "optional.html#sounds"},   {133, 1122, "optional.html#scan"},
    {133, 1132, "optional.html#msk"},      {133, 1135, "optional.html#msk"},
    {133, 1133, "optional.html#password"}, {202, ID_EDIT_KEY_ASSIGNMENT, "keyassign.html"},
};

}  // namespace

QString CHelpWindow::PageOf(int context, int scope) {
    const char* first = nullptr;
    for (const auto& topic : kScopedTopics) {
        if (topic.m_scope != scope) {
            continue;
        }
        if (topic.m_context == context) {
            return QString::fromLatin1(topic.m_page);
        }
        if (first == nullptr) {
            first = topic.m_page;
        }
    }
    return first != nullptr ? QString::fromLatin1(first) : PageOf(context);
}

QString CHelpWindow::PageOf(int context) {
    for (const auto& topic : kTopics) {
        if (topic.m_context == context) {
            return QString::fromLatin1(topic.m_page);
        }
    }
    return QStringLiteral("index.html");
}

CHelpWindow* CHelpWindow::Instance() {
    static CHelpWindow* window = new CHelpWindow;
    return window;
}

CHelpWindow::CHelpWindow() : QWidget(nullptr, Qt::Window) {
    setAttribute(Qt::WA_QuitOnClose, false);
    m_pBack = new QPushButton(this);
    m_pBack->setEnabled(false);
    m_pContents = new QPushButton(this);
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setOpenExternalLinks(false);
    connect(m_pBack, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_pBack, &QWidget::setEnabled);
    connect(m_pContents, &QPushButton::clicked, this,
            [this] { Open(QStringLiteral("index.html")); });
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 6, 6, 0);
    buttons->addWidget(m_pBack);
    buttons->addWidget(m_pContents);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_pBrowser);
    resize(760, 620);
}

bool CHelpWindow::Open(const QString& page, const QString& helpFolder) {
    const QString folder = g_strAppDir + (helpFolder.isEmpty() ? g_strHelpFile : helpFolder);
    if (!QFileInfo(folder + QStringLiteral("/index.html")).isFile()) {
        return false;
    }
    // Texts are set at every opening, from the language pack in use.
    setWindowTitle(g_strAppTitle.isEmpty() ? tr("Help") : g_strAppTitle + tr(" Help"));
    m_pBack->setText(tr("Back"));
    m_pContents->setText(tr("Contents"));
    m_pBrowser->setSearchPaths({folder});
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    QUrl url = QUrl::fromLocalFile(folder + QLatin1Char('/') + page.left(hash));
    if (hash >= 0) {
        url.setFragment(page.mid(hash + 1));
    }
    m_pBrowser->setSource(url);
    if (hash >= 0) {
        m_pBrowser->scrollToAnchor(page.mid(hash + 1));
    }
    return true;
}

bool CHelpWindow::ShowContext(int context, int scope, const QString& folder) {
    if (!Open(PageOf(context, scope), folder)) {
        return false;
    }
    // A modal dialog blocks every window but its own; the help it asked for is made its own.
    // Asked for anywhere else, the window stands alone again.
    const QWidget* modal = QApplication::activeModalWidget();
    create();
    windowHandle()->setTransientParent(modal != nullptr && modal != this ? modal->windowHandle()
                                                                         : nullptr);
    show();
    raise();
    activateWindow();
    return true;
}

void CHelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QUrl CHelpWindow::CurrentSource() const {
    return m_pBrowser->source();
}

bool ShowHelp(int context) {
    return CHelpWindow::Instance()->ShowContext(context);
}

bool ShowHelp(int context, int scope, bool english) {
    return CHelpWindow::Instance()->ShowContext(context, scope,
                                                english ? QStringLiteral("enHelp") : QString());
}
