#include "gui/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace kovra {

QIcon programIcon()
{
    QIcon icon;
    for (int size : { 16, 32, 48 }) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(0x1F, 0x5F, 0x9F));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
        // Three terminal dots: an I/O box.
        painter.setBrush(QColor(0xF2, 0xC1, 0x2E));
        const double r = size / 10.0;
        for (int i = 0; i < 3; ++i)
            painter.drawEllipse(QPointF(size * (0.25 + 0.25 * i), size * 0.78), r, r);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(int(size * 0.55));
        painter.setFont(font);
        painter.drawText(QRectF(0, 0, size, size * 0.7), Qt::AlignCenter, "K");
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kovra
