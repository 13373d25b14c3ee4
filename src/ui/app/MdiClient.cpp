#include "ui/app/MdiClient.h"

#include <QPaintEvent>
#include <QPainter>

#include "ui/app/UiGlobals.h"

CMdiClientWnd::CMdiClientWnd(QWidget* parent) : QMdiArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QPixmap CMdiClientWnd::BackgroundPicture(bool* fromFile) {
    QPixmap picture;
    const bool loaded = picture.load(g_strAppDir + QStringLiteral("background.bmp"));
    if (fromFile != nullptr) {
        *fromFile = loaded;
    }
    if (!loaded) {
        picture.load(QStringLiteral(":/pictures/background.bmp"));
    }
    return picture;
}

void CMdiClientWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPixmap picture = BackgroundPicture();
    if (picture.isNull()) {
        painter.fillRect(event->rect(), palette().color(QPalette::Dark));
        return;
    }
    // Tiles start at the top-left corner; those that cross the edge are cut.
    const QSize size = picture.deviceIndependentSize().toSize();
    const QRect area = viewport()->rect();
    for (int y = area.top(); y <= area.bottom(); y += size.height()) {
        for (int x = area.left(); x <= area.right(); x += size.width()) {
            const QRect tile(QPoint(x, y), size);
            if (tile.intersects(event->rect())) {
                painter.drawPixmap(tile.topLeft(), picture);
            }
        }
    }
}

void CMdiClientWnd::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    viewport()->update();
}
