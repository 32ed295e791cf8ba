#include "gui/do_alert_preview_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <vector>

namespace kovra {

namespace {

// Proportions of the picture, as fractions of its width and height.
constexpr qreal kTopEnd = 0.08; // top end of the range
constexpr qreal kBottomEnd = 0.80; // bottom end of the range
constexpr qreal kEndZone = 0.06; // hatched zone beyond each end
constexpr qreal kIconRow = 0.91; // centre of the LED icons
constexpr qreal kAxisX = 0.24;
constexpr qreal kOffX = 0.48;
constexpr qreal kOnX = 0.82;
constexpr qreal kTraceOffset = 3.0; // rising trace right of the column, falling trace left
constexpr qreal kJumpOffset = 1.5; // and its jumps just above or below the row
constexpr qreal kArrow = 4.5;

const QColor kRisingColor(0xc0, 0x39, 0x2b);
const QColor kFallingColor(0x2e, 0x6f, 0xd8);
const QColor kBandColor(0xdc, 0xe9, 0xf7);
const QColor kBandEdgeColor(0x5b, 0x8d, 0xc9);
const QColor kGuideColor(0x9a, 0x9a, 0x9a);
const QColor kLitColor(0xff, 0xc1, 0x07);

qreal columnX(bool lit, const QRectF& area)
{
    return area.left() + area.width() * (lit ? kOnX : kOffX);
}

void drawArrowHead(QPainter& painter, QPointF tip, QPointF direction, const QColor& color)
{
    const QPointF back(-direction.x() * kArrow, -direction.y() * kArrow);
    const QPointF side(-direction.y() * kArrow * 0.6, direction.x() * kArrow * 0.6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(QPolygonF({ tip, tip + back + side, tip + back - side }));
}

// One trace: the LED state while the value sweeps the whole range in one direction.
// `jumps` are the slots where the LED flips, in the order the sweep meets them.
void drawTrace(QPainter& painter, const QRectF& area, bool startLit, std::vector<int> jumps, bool rising)
{
    const QColor color = rising ? kRisingColor : kFallingColor;
    const qreal dx = rising ? kTraceOffset : -kTraceOffset;
    const qreal dy = rising ? -kJumpOffset : kJumpOffset;
    const qreal step = rising ? -1.0 : 1.0; // upwards on screen while rising
    const qreal startY = doAlertSlotY(rising ? kSlotBottom : kSlotTop, area);
    const qreal endY = doAlertSlotY(rising ? kSlotTop : kSlotBottom, area);

    bool lit = startLit;
    QPointF at(columnX(lit, area) + dx, startY);
    auto run = [&](qreal toY) {
        const QPointF to(at.x(), toY);
        painter.setPen(QPen(color, 2.0, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(at, to);
        // Direction of travel in the middle of every stretch long enough to carry it.
        if (std::abs(toY - at.y()) > 4 * kArrow)
            drawArrowHead(
                painter, QPointF(at.x(), (at.y() + toY) / 2 + step * kArrow / 2), QPointF(0, step), color);
        at = to;
    };
    for (int slot : jumps) {
        const qreal y = doAlertSlotY(slot, area) + (slot == kSlotTop || slot == kSlotBottom ? 0 : dy);
        run(y);
        lit = !lit;
        const QPointF to(columnX(lit, area) + dx, y);
        painter.setPen(QPen(color, 2.0, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(at, to);
        drawArrowHead(painter, to, QPointF(lit ? 1 : -1, 0), color);
        at = to;
    }
    run(endY);
}

void drawEndZone(QPainter& painter, const QRectF& area, bool top)
{
    const qreal edge = doAlertSlotY(top ? kSlotTop : kSlotBottom, area);
    const qreal depth = area.height() * kEndZone;
    const QRectF zone(area.left() + area.width() * kAxisX, top ? edge - depth : edge,
        area.width() * (1 - kAxisX) - 2, depth);
    painter.fillRect(zone, QBrush(kGuideColor, Qt::BDiagPattern));
}

void drawBand(QPainter& painter, const QRectF& area, const DoAlertBand& band, const QFont& font)
{
    if (band.high < 0 || band.low < 0)
        return;
    const qreal left = area.left() + area.width() * kAxisX;
    const qreal right = area.right() - 2;
    const qreal highY = doAlertSlotY(band.high, area);
    const qreal lowY = doAlertSlotY(band.low, area);
    if (highY < lowY)
        painter.fillRect(QRectF(left, highY, right - left, lowY - highY), kBandColor);
    painter.setPen(QPen(kBandEdgeColor, 1.0));
    painter.drawLine(QPointF(left - 3, highY), QPointF(right, highY));
    painter.drawLine(QPointF(left - 3, lowY), QPointF(right, lowY));
    painter.setFont(font);
    const qreal textWidth = left - area.left() - 5;
    const qreal textHeight = font.pixelSize() * 1.3;
    painter.drawText(QRectF(area.left(), highY - textHeight / 2, textWidth, textHeight),
        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("High"));
    painter.drawText(QRectF(area.left(), lowY - textHeight / 2, textWidth, textHeight),
        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Low"));
}

void drawLedIcon(QPainter& painter, QPointF centre, qreal radius, bool lit)
{
    if (lit) {
        QColor glow = kLitColor;
        glow.setAlpha(90);
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(centre, radius * 1.6, radius * 1.6);
    }
    painter.setPen(QPen(Qt::darkGray, 1.0));
    painter.setBrush(lit ? kLitColor : QColor(Qt::white));
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

qreal doAlertSlotY(int slot, const QRectF& area)
{
    const qreal top = area.top() + area.height() * kTopEnd;
    const qreal bottom = area.top() + area.height() * kBottomEnd;
    return top + (bottom - top) * slot / kSlotBottom;
}

void paintDoAlertPicture(
    QPainter& painter, const QRectF& area, const DoAlertPicture& picture, int ledCondition)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);

    QFont font = painter.font();
    font.setPixelSize(std::max(8, int(area.height() * 0.048)));

    if (picture.reachesTop(ledCondition))
        drawEndZone(painter, area, true);
    if (picture.reachesBottom(ledCondition))
        drawEndZone(painter, area, false);
    drawBand(painter, area, picture.band(ledCondition), font);

    const qreal axisX = area.left() + area.width() * kAxisX;
    const qreal right = area.right() - 2;
    // The ends of the range and the rows that carry a label beside the picture.
    painter.setPen(QPen(kGuideColor, 1.0));
    for (int slot : { kSlotTop, kSlotBottom }) {
        const qreal y = doAlertSlotY(slot, area);
        painter.drawLine(QPointF(axisX, y), QPointF(right, y));
    }
    painter.setPen(QPen(kGuideColor, 1.0, Qt::DotLine));
    for (int slot = 1; slot < kSlotBottom; ++slot) {
        if (picture.labelMask & (1u << (slot - 1))) {
            const qreal y = doAlertSlotY(slot, area);
            painter.drawLine(QPointF(axisX, y), QPointF(area.right(), y));
        }
    }
    for (bool lit : { false, true }) {
        const qreal x = columnX(lit, area);
        painter.drawLine(
            QPointF(x, doAlertSlotY(kSlotTop, area)), QPointF(x, doAlertSlotY(kSlotBottom, area)));
    }

    // The value axis, growing upwards.
    const qreal axisBottom = doAlertSlotY(kSlotBottom, area) + area.height() * kEndZone;
    const QPointF axisTip(axisX, area.top() + 1);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.drawLine(QPointF(axisX, axisBottom), axisTip + QPointF(0, kArrow));
    drawArrowHead(painter, axisTip, QPointF(0, -1), Qt::black);

    std::vector<int> rising;
    std::vector<int> falling;
    for (int i = 0; i < picture.switchCount; ++i) {
        rising.push_back(picture.switches[size_t(i)].rising);
        falling.push_back(picture.switches[size_t(i)].falling);
    }
    // A rising sweep meets the lower slots (larger numbers) first; a falling one the higher.
    std::sort(rising.begin(), rising.end(), std::greater<int>());
    std::sort(falling.begin(), falling.end());
    drawTrace(painter, area, picture.litAtTop(), falling, false);
    drawTrace(painter, area, picture.litAtBottom, rising, true);

    const qreal iconY = area.top() + area.height() * kIconRow;
    const qreal radius = area.height() * 0.032;
    drawLedIcon(painter, QPointF(columnX(false, area), iconY), radius, false);
    drawLedIcon(painter, QPointF(columnX(true, area), iconY), radius, true);
    painter.restore();
}

QPixmap renderDoAlertPicture(int number, int ledCondition, const QSize& size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    paintDoAlertPicture(painter, QRectF(QPointF(0, 0), QSizeF(size)), doAlertPicture(number), ledCondition);
    return pixmap;
}

} // namespace kovra
