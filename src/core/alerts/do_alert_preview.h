#pragma once

#include "core/alerts/analog_range_type.h"

#include <array>
#include <string>

namespace kovra {

// The DO alert preview: where the output switches for a band Low..High with a
// hysteresis, which of the pictures 143..176 shows that behaviour and which of the seven
// values beside the picture (S1 at the top .. S7 at the bottom) are shown.

constexpr int kDoAlertLabelCount = 7;
constexpr int kDoAlertFirstPicture = 143;
constexpr int kDoAlertLastPicture = 176;
constexpr int kDoAlertPictureCount = kDoAlertLastPicture - kDoAlertFirstPicture + 1;
// A label holding this value is shown empty.
constexpr double kDoAlertEmptyLabel = -9999.99;

// LED condition c: 0 lit inside the band, 1 lit outside. Direction d: 0 the switch-off
// threshold takes priority, 1 the switch-on threshold does. Any other stored value is
// read as 0, the first entry of its list.
constexpr int kLedLitInside = 0;
constexpr int kLedLitOutside = 1;
constexpr int kDirectionOffPriority = 0;
constexpr int kDirectionOnPriority = 1;
inline int doAlertChoice(int value)
{
    return value == 1 ? 1 : 0;
}

// The switching points as signed counts. The lower edge of the band switches at g while
// the value rises and at k while it falls; the upper edge at e rising and f falling.
// With c equal to d the hysteresis lies inside the band, otherwise outside it.
struct DoAlertSwitchPoints {
    int e = 0;
    int f = 0;
    int g = 0;
    int k = 0;
};

struct DoAlertPreview {
    DoAlertSwitchPoints points;
    int family = 1; // 1..6
    int variant = 1; // 0..7
    int picture = kDoAlertFirstPicture;
    // S1..S7, kDoAlertEmptyLabel when empty.
    std::array<double, kDoAlertLabelCount> labels { kDoAlertEmptyLabel, kDoAlertEmptyLabel,
        kDoAlertEmptyLabel, kDoAlertEmptyLabel, kDoAlertEmptyLabel, kDoAlertEmptyLabel, kDoAlertEmptyLabel };
};

// high and low are signed counts, width an unsigned count, ledCondition and direction 0/1.
DoAlertSwitchPoints doAlertSwitchPoints(int high, int low, int width, int ledCondition, int direction);
DoAlertPreview computeDoAlertPreview(
    int high, int low, int width, int ledCondition, int direction, AnalogRangeType type);

// 143 + 7 x (family - 1) + (variant - 1) for families 1..4 and variants 1..7, 171..173 for
// family 5 and 174..176 for family 6 (variants 0..2); 143 for anything else.
int doAlertPictureNumber(int family, int variant);

// The label texts: the with-unit format of the type, empty for kDoAlertEmptyLabel.
std::array<std::string, kDoAlertLabelCount> doAlertLabelTexts(
    const DoAlertPreview& preview, AnalogRangeType type);

} // namespace kovra
