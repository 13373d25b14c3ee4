#include "ui/app/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kInk(0x1f, 0x3a, 0x5f);
const QColor kPaper(0xfa, 0xfa, 0xf5);
const QColor kBlue(0x1f, 0x5f, 0xa8);
const QColor kFolder(0xe8, 0xb8, 0x4a);

void DrawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(4, 2);
    page.lineTo(11, 2);
    page.lineTo(15, 6);
    page.lineTo(15, 17);
    page.lineTo(4, 17);
    page.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(QPointF(11, 2), QPointF(11, 6));
    p.drawLine(QPointF(11, 6), QPointF(15, 6));
}

void DrawRadio(QPainter& p, qreal x) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(x, 5, 7, 12), 1.5, 1.5);
    p.drawLine(QPointF(x + 5, 5), QPointF(x + 5, 1));
    p.setBrush(kBlue);
    p.drawRect(QRectF(x + 1.5, 7, 4, 3));
}

void DrawArrow(QPainter& p, qreal x, bool right) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    QPainterPath arrow;
    if (right) {
        arrow.moveTo(x, 9);
        arrow.lineTo(x + 4, 9);
        arrow.lineTo(x + 4, 6);
        arrow.lineTo(x + 8, 11);
        arrow.lineTo(x + 4, 16);
        arrow.lineTo(x + 4, 13);
        arrow.lineTo(x, 13);
    } else {
        arrow.moveTo(x + 8, 9);
        arrow.lineTo(x + 4, 9);
        arrow.lineTo(x + 4, 6);
        arrow.lineTo(x, 11);
        arrow.lineTo(x + 4, 16);
        arrow.lineTo(x + 4, 13);
        arrow.lineTo(x + 8, 13);
    }
    arrow.closeSubpath();
    p.drawPath(arrow);
}

QPixmap Draw(EToolIcon which, int scale) {
    QPixmap pixmap(18 * scale, 19 * scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    switch (which) {
        case EToolIcon::New:
            DrawPage(p);
            p.setPen(QPen(kFolder, 1.5));
            p.drawLine(QPointF(14, 11), QPointF(14, 17));
            p.drawLine(QPointF(11, 14), QPointF(17, 14));
            break;
        case EToolIcon::Open:
            p.setPen(QPen(kInk, 1));
            p.setBrush(kFolder.darker(115));
            p.drawRect(QRectF(1.5, 5.5, 13, 10));
            p.setBrush(kFolder);
            p.drawPolygon(QPolygonF(
                {QPointF(3.5, 8.5), QPointF(17, 8.5), QPointF(14.5, 15.5), QPointF(1.5, 15.5)}));
            break;
        case EToolIcon::Save:
            p.setPen(QPen(kInk, 1));
            p.setBrush(kBlue);
            p.drawRect(QRectF(2.5, 2.5, 13, 14));
            p.setBrush(kPaper);
            p.drawRect(QRectF(5, 2.5, 8, 5));
            p.drawRect(QRectF(5, 10.5, 8, 6));
            break;
        case EToolIcon::Read:
            DrawRadio(p, 1.5);
            DrawArrow(p, 9.5, true);
            break;
        case EToolIcon::Write:
            DrawRadio(p, 9.5);
            DrawArrow(p, 0.5, true);
            break;
        case EToolIcon::Print:
            p.setPen(QPen(kInk, 1));
            p.setBrush(kPaper);
            p.drawRect(QRectF(5, 1.5, 8, 6));
            p.setBrush(QColor(0xb8, 0xc0, 0xcc));
            p.drawRoundedRect(QRectF(1.5, 7.5, 15, 7), 1.5, 1.5);
            p.setBrush(kPaper);
            p.drawRect(QRectF(5, 12.5, 8, 5));
            break;
        case EToolIcon::About: {
            p.setPen(Qt::NoPen);
            p.setBrush(kBlue);
            p.drawEllipse(QRectF(1.5, 2, 15, 15));
            QFont font = p.font();
            font.setPixelSize(12);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRectF(1.5, 2, 15, 15), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
    }
    return pixmap;
}

}  // namespace

QIcon ToolIcon(EToolIcon which) {
    QIcon icon;
    icon.addPixmap(Draw(which, 1));
    icon.addPixmap(Draw(which, 2));
    return icon;
}
