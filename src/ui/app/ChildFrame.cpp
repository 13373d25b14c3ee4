#include "ui/app/ChildFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>

#include "image/ProgramDoc.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/ProgramView.h"

namespace {
constexpr CText kChannelInformation{"Channel Information", "信道信息"};
}

CChildFrame::CChildFrame(std::unique_ptr<CProgramDoc> doc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDoc(std::move(doc)) {
    m_pView = new CProgramView(*m_pDoc, this);
    setWidget(m_pView);
    UpdateTitle();
    connect(&CDocumentHistory::Of(*m_pView), &CDocumentHistory::Changed, this,
            &CChildFrame::UpdateTitle);
    const QIcon icon(g_strAppDir + QStringLiteral("title.ico"));
    if (!icon.availableSizes().isEmpty()) {
        setWindowIcon(icon);
    }
    setGeometry(0, 0, CProgramView::kFrameWidth, CProgramView::kFrameHeight);
    // The window menu's own Close key (Ctrl+W) would make the main window's Write key
    // ambiguous while the grid has the focus, and neither would run.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) {
            action->setShortcuts({});
        }
    }
}

CChildFrame::~CChildFrame() {
    // The view goes with the window; the document must not call into it afterwards.
    m_pDoc->m_beforeSave = nullptr;
}

QString CChildFrame::DocumentName() const {
    // A new document's path is the program's name until it is saved; files are absolute.
    const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(m_pDoc->GetPathName())));
    return file.isAbsolute() ? file.fileName() : Tr(kChannelInformation);
}

void CChildFrame::UpdateTitle() {
    const bool modified = CDocumentHistory::Of(*m_pView).IsModified();
    setWindowTitle(DocumentName() + (modified ? QStringLiteral("*") : QString()));
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}
