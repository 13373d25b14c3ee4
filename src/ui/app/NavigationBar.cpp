#include "ui/app/NavigationBar.h"

#include <QCursor>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <QTreeWidget>

#include "settings/Language.h"
#include "ui/app/Commands.h"
#include "ui/app/UiGlobals.h"

namespace {

// The tree's items under the root, in order. MSK, 2-Tone and Squelch Tuning stand with the
// other editors; an item shows only while its window exists (see CMainFrame::RefreshTree).
const CText kTreeItems[] = {
    {"Product Information", "机型设置"},
    {"Channel Information", "信道信息"},
    {"Optional Features", "可选功能"},
    {"DTMF", "DTMF"},
    {"2-Tone", "2-Tone"},
    {"MSK", "MSK"},
    {"Key Assignment", "侧键设定"},
    {"Squelch Tuning", "静噪微调"},
};

// The tracking line: two dotted lines two pixels apart, over everything.
class CTrackingLine : public QWidget {
public:
    explicit CTrackingLine(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QPen pen(Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawLine(0, 0, 0, height());
        painter.drawLine(3, 0, 3, height());
    }
};

}  // namespace

CNavigationPanel::CNavigationPanel(CNavigationBar& bar) : QWidget(&bar), m_bar(bar) {
    setMouseTracking(true);
}

QRect CNavigationPanel::FrameRect() const {
    // The outline is the client area less 3, 6, 6 and 49 pixels; the remembered rectangle
    // leaves out its left and top pixel.
    return QRect(QPoint(3 + 1, 6 + 1), QPoint(width() - 6 - 1, height() - 49 - 1));
}

QRect CNavigationPanel::CloseButtonRect() const {
    const QRect frame = FrameRect();
    const int right = frame.right() + 1;  // exclusive, as the outline's
    return QRect(QPoint(right - kCaptionHeight - 5 + 7, frame.top() + 4),
                 QPoint(right - 5 + 1 - 1, frame.top() + kCaptionHeight - 3 - 1));
}

QRect CNavigationPanel::HandleRect() const {
    const int x = FrameRect().right() + 1;
    return QRect(x, 0, kHandleWidth, height());
}

QRect CNavigationPanel::TreeRect() const {
    const int top = 8 + kCaptionHeight + 1;
    return QRect(5, top, std::max(0, width() - 8 - 5), std::max(0, height() - 51 - top));
}

int CNavigationPanel::HalfFrameWidth() const {
    return m_bar.HalfFrameWidth();
}

void CNavigationPanel::resizeEvent(QResizeEvent*) {
    m_bar.Tree()->setGeometry(TreeRect());
}

void CNavigationPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor grey = palette().color(QPalette::Disabled, QPalette::WindowText);
    const QRect outline(QPoint(3, 6), QPoint(width() - 6 - 1, height() - 49 - 1));
    painter.setPen(grey);
    painter.drawRect(outline.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawLine(outline.left() + 1, outline.top() + 1, outline.left() + 1,
                     outline.bottom() - 1);
    painter.drawLine(outline.left() + 1, outline.top() + 1, outline.right() - 1, outline.top() + 1);
    painter.drawLine(outline.left(), outline.bottom(), outline.right(), outline.bottom());
    painter.drawLine(outline.right(), outline.top(), outline.right(), outline.bottom());

    // Caption, then the rule under it.
    const QRect frame = FrameRect();
    painter.setFont(m_bar.BarFont());
    painter.setPen(palette().color(QPalette::WindowText));
    const int textWidth = painter.fontMetrics().horizontalAdvance(m_bar.Caption());
    painter.drawText(QRect(frame.left() + 5, frame.top(), textWidth, kCaptionHeight),
                     Qt::AlignCenter | Qt::TextSingleLine, m_bar.Caption());
    painter.setPen(grey);
    const int ruleY = frame.top() + kCaptionHeight;
    painter.drawLine(frame.left(), ruleY, frame.right(), ruleY);

    // Close button: raised while hot, sunken while pressed.
    const QRect button = CloseButtonRect();
    if (m_bClosePressed || m_bCloseHot) {
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        const QColor topLeft = m_bClosePressed ? dark : light;
        const QColor bottomRight = m_bClosePressed ? light : dark;
        painter.setPen(topLeft);
        painter.drawLine(button.topLeft(), button.topRight());
        painter.drawLine(button.topLeft(), button.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(button.bottomLeft(), button.bottomRight());
        painter.drawLine(button.topRight(), button.bottomRight());
    }
    const int offset = m_bClosePressed ? 1 : 0;
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1.5));
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF cross(button.left() + 4 + offset, button.top() + 4 + offset, 7, 7);
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
}

void CNavigationPanel::MoveTrackingLine(int x) {
    QWidget* frame = window();
    if (m_pTrackingLine == nullptr) {
        m_pTrackingLine = new CTrackingLine(frame);
    }
    m_nTrackingX = x;
    const QPoint top = mapTo(frame, QPoint(x, 0));
    m_pTrackingLine->setGeometry(top.x(), top.y(), 4, height());
    m_pTrackingLine->show();
    m_pTrackingLine->raise();
}

void CNavigationPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (CloseButtonRect().contains(pos)) {
        m_bClosePressed = true;
        update(CloseButtonRect());
        return;
    }
    if (HandleRect().contains(pos)) {
        m_bDragging = true;
        MoveTrackingLine(std::clamp(pos.x(), 80, std::max(80, HalfFrameWidth())));
    }
}

void CNavigationPanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_bDragging) {
        MoveTrackingLine(std::clamp(pos.x(), 80, std::max(80, HalfFrameWidth())));
        return;
    }
    setCursor(HandleRect().contains(pos) ? Qt::SplitHCursor : Qt::ArrowCursor);
    const bool hot = CloseButtonRect().contains(pos);
    if (hot != m_bCloseHot) {
        m_bCloseHot = hot;
        if (!hot && !(event->buttons() & Qt::LeftButton)) {
            m_bClosePressed = false;
        }
        update(CloseButtonRect());
    }
}

void CNavigationPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (m_bDragging) {
        m_bDragging = false;
        m_nTrackingX = -1;
        if (m_pTrackingLine != nullptr) {
            m_pTrackingLine->hide();
        }
        m_bar.SetBarWidth(pos.x());
        return;
    }
    if (m_bClosePressed) {
        m_bClosePressed = false;
        m_bCloseHot = false;
        update(CloseButtonRect());
        if (CloseButtonRect().contains(pos)) {
            emit m_bar.CloseClicked();
        }
    }
}

void CNavigationPanel::mouseDoubleClickEvent(QMouseEvent*) {
    // Nothing: the bar neither floats nor docks elsewhere.
}

void CNavigationPanel::leaveEvent(QEvent*) {
    if (m_bCloseHot && !m_bClosePressed) {
        m_bCloseHot = false;
        update(CloseButtonRect());
    }
}

bool CNavigationPanel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (CloseButtonRect().contains(help->pos())) {
            QToolTip::showText(help->globalPos(), tr("Close"), this, CloseButtonRect());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

CNavigationBar::CNavigationBar(QWidget* frame) : QDockWidget(frame), m_pFrame(frame) {
    setObjectName(QStringLiteral("NavigationBar"));
    setWindowTitle(QStringLiteral("IE Control Bar"));
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    // No title of the dock's own: the bar draws its caption and close button itself.
    auto* noTitle = new QWidget(this);
    noTitle->setFixedHeight(0);
    setTitleBarWidget(noTitle);

    m_font = QFont(QStringLiteral("Time New Roman"));
    m_font.setPixelSize(12);
    m_font.setWeight(QFont::Normal);

    m_pPanel = new CNavigationPanel(*this);
    m_pPanel->setFont(m_font);
    m_pTree = new QTreeWidget(m_pPanel);
    m_pTree->setProperty("controlId", IDC_NAVIGATION_TREE);
    m_pTree->setHeaderHidden(true);
    m_pTree->setRootIsDecorated(true);
    m_pTree->setColumnCount(1);
    m_pTree->setFont(m_font);
    setWidget(m_pPanel);
    m_pPanel->setFixedWidth(m_nWidth);

    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &CNavigationBar::OnSelectionChanged);
}

void CNavigationBar::FillTree(const QString& company,
                              const std::function<bool(const QString&)>& shown) {
    m_strCaption = company;
    m_bReselecting = true;
    m_pTree->clear();
    auto* root = new QTreeWidgetItem(m_pTree, {company});
    for (const auto& text : kTreeItems) {
        if (!shown || shown(QString::fromUtf8(text.m_en))) {
            new QTreeWidgetItem(root, {Tr(text)});
        }
    }
    root->setExpanded(true);
    m_pTree->setCurrentItem(root);
    m_bReselecting = false;
    m_pPanel->update();
}

QTreeWidgetItem* CNavigationBar::Root() const {
    return m_pTree->topLevelItem(0);
}

void CNavigationBar::OnSelectionChanged() {
    if (m_bReselecting) {
        return;
    }
    // The item under the mouse decides, not the one the selection moved to.
    const QPoint pos = m_pTree->viewport()->mapFromGlobal(QCursor::pos());
    const QTreeWidgetItem* item = m_pTree->itemAt(pos);
    if (item != nullptr && item != Root()) {
        emit ItemChosen(item->text(0));
    }
    // The root is selected again, so the next click on any item is a new selection change.
    m_bReselecting = true;
    m_pTree->setCurrentItem(Root());
    m_bReselecting = false;
}

int CNavigationBar::HalfFrameWidth() const {
    const auto* frame = qobject_cast<const QMainWindow*>(m_pFrame);
    return (frame != nullptr ? frame->width() : m_pFrame->width()) / 2;
}

void CNavigationBar::SetBarWidth(int width) {
    if (width <= 10) {
        width = 11;
    } else if (width > HalfFrameWidth()) {
        width = HalfFrameWidth();
    }
    m_nWidth = width;
    m_pPanel->setFixedWidth(width);
    m_pPanel->update();
}
