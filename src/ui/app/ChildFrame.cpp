#include "ui/app/ChildFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>

#include "image/ProgramDoc.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/ProgramView.h"

namespace {
constexpr CText kChannelInformation{"Channel Information", "信道信息"};
}

CChildFrame::CChildFrame(std::unique_ptr<CProgramDoc> doc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDoc(std::move(doc)) {
    m_pView = new CProgramView(*m_pDoc, this);
    setWidget(m_pView);
    setWindowTitle(Tr(kChannelInformation));
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

void CChildFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}
