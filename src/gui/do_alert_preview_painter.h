#pragma once

#include "core/alerts/do_alert_picture.h"

#include <QPixmap>
#include <QRectF>
#include <QSize>

class QPainter;

namespace kovra {

// The DO alert preview pictures, drawn from their data: the analog value upwards, the LED
// off (left column) or lit (right column) across. The red trace is the value rising, the
// blue one the value falling; where they jump at different heights the output has a
// hysteresis. The band from Low to High is shaded; a hatched end is the range's end, where
// a count saturates.

// Height of a slot (top end, S1..S7, bottom end) in a picture drawn into `area`, so that
// the labels beside the picture line up with its rows.
qreal doAlertSlotY(int slot, const QRectF& area);

void paintDoAlertPicture(
    QPainter& painter, const QRectF& area, const DoAlertPicture& picture, int ledCondition);

QPixmap renderDoAlertPicture(int number, int ledCondition, const QSize& size, qreal devicePixelRatio);

} // namespace kovra
