#pragma once

#include <array>
#include <cstdint>

namespace kovra {

// What each DO alert preview picture (143..176) shows: the LED (the output) against the
// analog value. The value axis runs upwards on slots: the top end of the range (a count
// saturated at +full scale), the rows of the labels S1..S7 beside the picture, the bottom
// end (-full scale). Slots give order, not scale.
constexpr int kSlotTop = 0;
constexpr int kSlotBottom = 8;
constexpr int kSlotCount = 9;

// The LED flips at `rising` while the value goes up and at `falling` while it comes down.
// Apart, the two make a hysteresis loop; at an end slot the flip needs a saturated value.
struct DoAlertSwitch {
    int rising = kSlotTop;
    int falling = kSlotTop;
};

// Slots of High and Low. High above Low (a smaller slot) is a band; High at or below Low
// is drawn as two marks with nothing between (Low >= High); -1 when not drawn.
struct DoAlertBand {
    int high = -1;
    int low = -1;
};

struct DoAlertPicture {
    int number = 0;
    bool litAtBottom = false; // LED state below the lowest switch
    int switchCount = 0;
    std::array<DoAlertSwitch, 2> switches {}; // from the bottom up
    // Where High and Low lie depends on the LED condition: pictures 157..170 each serve a
    // case lit inside the band and a case lit outside it, with the band on either side.
    DoAlertBand bandLitInside;
    DoAlertBand bandLitOutside;
    uint8_t labelMask = 0; // bit n - 1 set when label Sn shows a value

    const DoAlertBand& band(int ledCondition) const;
    bool litAtTop() const { return litAtBottom != (switchCount % 2 == 1); }
    // The picture needs the saturated end drawn: a switch or the band reaches it.
    bool reachesTop(int ledCondition) const;
    bool reachesBottom(int ledCondition) const;
};

// The picture with that number; picture 143 for a number outside 143..176.
const DoAlertPicture& doAlertPicture(int number);

} // namespace kovra
