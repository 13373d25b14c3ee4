#pragma once

#include <QDockWidget>
#include <QFont>
#include <QPointer>
#include <functional>

class QTreeWidget;
class QTreeWidgetItem;
class CNavigationBar;

// The bar's face: the etched frame, the caption, the close button, the tree, and the resize
// handle along the frame's right edge.
class CNavigationPanel : public QWidget {
    Q_OBJECT
public:
    explicit CNavigationPanel(CNavigationBar& bar);

    static constexpr int kCaptionHeight = 22;
    static constexpr int kInitialWidth = 185;
    static constexpr int kHandleWidth = 6;

    // The frame rectangle (without its outline's left and top pixel) and the close button.
    QRect FrameRect() const;
    QRect CloseButtonRect() const;
    QRect HandleRect() const;
    QRect TreeRect() const;

    bool IsDragging() const { return m_bDragging; }
    bool IsCloseHot() const { return m_bCloseHot; }
    bool IsClosePressed() const { return m_bClosePressed; }
    // Where the tracking line stands, in bar coordinates; -1 when none is drawn.
    int TrackingX() const { return m_nTrackingX; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    int HalfFrameWidth() const;
    void MoveTrackingLine(int x);

    CNavigationBar& m_bar;
    bool m_bDragging = false;
    bool m_bCloseHot = false;
    bool m_bClosePressed = false;
    int m_nTrackingX = -1;
    QPointer<QWidget> m_pTrackingLine;
};

// The navigation bar on the left of the main window: it cannot float or move; its right edge
// resizes it and its close button hides it.
class CNavigationBar : public QDockWidget {
    Q_OBJECT
public:
    explicit CNavigationBar(QWidget* frame);

    QTreeWidget* Tree() const { return m_pTree; }
    CNavigationPanel* Panel() const { return m_pPanel; }
    const QString& Caption() const { return m_strCaption; }
    const QFont& BarFont() const { return m_font; }
    int BarWidth() const { return m_nWidth; }
    // Sets the width as a finished drag does: 10 or less gives 11, beyond half the frame's
    // width gives that half.
    void SetBarWidth(int width);
    // Half the width of the main window's client area.
    int HalfFrameWidth() const;

    // Fills the tree: the company line as root, under it the editors that `shown` accepts
    // (given the item's English text; all when empty), in their fixed order.
    void FillTree(const QString& company, const std::function<bool(const QString&)>& shown = {});
    QTreeWidgetItem* Root() const;

signals:
    // The user picked a tree item; the text is the item's (the root's does nothing).
    void ItemChosen(const QString& text);
    void CloseClicked();

private:
    void OnSelectionChanged();

    QWidget* m_pFrame;
    CNavigationPanel* m_pPanel;
    QTreeWidget* m_pTree;
    QFont m_font;
    QString m_strCaption;
    int m_nWidth = CNavigationPanel::kInitialWidth;
    bool m_bReselecting = false;
};
