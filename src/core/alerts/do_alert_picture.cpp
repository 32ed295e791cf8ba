#include "core/alerts/do_alert_picture.h"

#include "core/alerts/do_alert_preview.h"

namespace kovra {

namespace {

constexpr int T = kSlotTop;
constexpr int B = kSlotBottom;
constexpr DoAlertBand kNoBand {};
// Low >= High: the marks cross and nothing lies between them.
constexpr DoAlertBand kEmptyBand { 5, 3 };
constexpr bool kOn = true;
constexpr bool kOff = false;

constexpr uint8_t label(int n)
{
    return uint8_t(1u << (n - 1));
}

// The switches are the lower edge of the band {g, k} and the upper edge {e, f} of the
// preview's switching points, where they fall on slots; a switch whose two points both sit
// at one end of the range never shows and is left out. Where two cases share a picture,
// it shows the one whose switching points are all labelled; the other is a case whose
// hysteresis loops overlap (a width more than half the band).
const std::array<DoAlertPicture, kDoAlertPictureCount> kPictures { {
    // Family 1: both edges of the band inside the range, LED lit inside the band (c = 0).
    { 143, kOff, 2, { { { 6, 6 }, { 2, 2 } } }, { 2, 6 }, kNoBand, label(2) | label(6) }, // no width
    // Hysteresis outside the band (c != d): switch-on at High and Low, switch-off beyond.
    { 144, kOff, 2, { { { 6, 7 }, { 1, 2 } } }, { 2, 6 }, kNoBand,
        label(1) | label(2) | label(6) | label(7) },
    { 145, kOff, 2, { { { 6, 7 }, { T, 2 } } }, { 2, 6 }, kNoBand, label(2) | label(6) | label(7) }, // E
    { 146, kOff, 2, { { { 6, B }, { 1, 2 } } }, { 2, 6 }, kNoBand, label(1) | label(2) | label(6) }, // K
    { 147, kOff, 2, { { { 6, B }, { T, 2 } } }, { 2, 6 }, kNoBand, label(2) | label(6) }, // E and K
    // Hysteresis inside the band (c = d): switch-off at High and Low, switch-on within.
    { 148, kOff, 2, { { { 5, 6 }, { 2, 3 } } }, { 2, 6 }, kNoBand,
        label(2) | label(3) | label(5) | label(6) },
    // Inside, width more than half the band: the switch-on points cross (unlabelled).
    { 149, kOff, 2, { { { 3, 6 }, { 2, 5 } } }, { 2, 6 }, kNoBand, label(2) | label(6) },

    // Family 2: as family 1 with the LED lit outside the band (c = 1).
    { 150, kOn, 2, { { { 6, 6 }, { 2, 2 } } }, kNoBand, { 2, 6 }, label(2) | label(6) },
    { 151, kOn, 2, { { { 6, 7 }, { 1, 2 } } }, kNoBand, { 2, 6 }, label(1) | label(2) | label(6) | label(7) },
    { 152, kOn, 2, { { { 6, 7 }, { T, 2 } } }, kNoBand, { 2, 6 }, label(2) | label(6) | label(7) },
    { 153, kOn, 2, { { { 6, B }, { 1, 2 } } }, kNoBand, { 2, 6 }, label(1) | label(2) | label(6) },
    { 154, kOn, 2, { { { 6, B }, { T, 2 } } }, kNoBand, { 2, 6 }, label(2) | label(6) },
    { 155, kOn, 2, { { { 5, 6 }, { 2, 3 } } }, kNoBand, { 2, 6 }, label(2) | label(3) | label(5) | label(6) },
    { 156, kOn, 2, { { { 3, 6 }, { 2, 5 } } }, kNoBand, { 2, 6 }, label(2) | label(6) },

    // Family 3: lit above one threshold at S4: Low with High at the top end (X, c = 0), or
    // High with Low at the bottom end (Y, c = 1).
    { 157, kOff, 1, { { { 4, 4 } } }, { T, 4 }, { 4, B }, label(4) }, // no width
    { 158, kOff, 1, { { { 3, 4 } } }, kNoBand, { 4, B }, label(3) | label(4) }, // Y, outside
    // Y outside with the switch-on beyond the top end (E); also X inside with overlapping loops.
    { 159, kOff, 1, { { { T, 4 } } }, { T, 4 }, { 4, B }, label(4) },
    // X inside: the LED also goes out at the saturated top end, back on at S1.
    { 160, kOff, 2, { { { 3, 4 }, { T, 1 } } }, { T, 4 }, kNoBand, label(1) | label(3) | label(4) },
    { 161, kOff, 1, { { { 4, 5 } } }, { T, 4 }, kNoBand, label(4) | label(5) }, // X outside
    // X outside with the switch-off beyond the bottom end (K); also Y inside, overlapping.
    { 162, kOff, 1, { { { 4, B } } }, { T, 4 }, { 4, B }, label(4) },
    // Y inside: the LED also lights at the saturated bottom end, out again at S7.
    { 163, kOn, 2, { { { 7, B }, { 4, 5 } } }, kNoBand, { 4, B }, label(4) | label(5) | label(7) },

    // Family 4: lit below one threshold at S4: High with Low at the bottom end (Y, c = 0), or
    // Low with High at the top end (X, c = 1). The mirror of family 3 in the LED.
    { 164, kOn, 1, { { { 4, 4 } } }, { 4, B }, { T, 4 }, label(4) },
    { 165, kOn, 1, { { { 3, 4 } } }, { 4, B }, kNoBand, label(3) | label(4) },
    { 166, kOn, 1, { { { T, 4 } } }, { 4, B }, { T, 4 }, label(4) },
    { 167, kOn, 2, { { { 3, 4 }, { T, 1 } } }, kNoBand, { T, 4 }, label(1) | label(3) | label(4) },
    { 168, kOn, 1, { { { 4, 5 } } }, kNoBand, { T, 4 }, label(4) | label(5) },
    { 169, kOn, 1, { { { 4, B } } }, { 4, B }, { T, 4 }, label(4) },
    { 170, kOff, 2, { { { 7, B }, { 4, 5 } } }, { 4, B }, kNoBand, label(4) | label(5) | label(7) },

    // Family 5: always lit: Low >= High lit outside, or the band over the whole range (X and
    // Y) lit inside; there with hysteresis inside the LED goes out at the saturated ends.
    // 171 shows Low >= High; the whole band with overlapping loops shares it.
    { 171, kOn, 0, {}, kEmptyBand, kEmptyBand, 0 },
    { 172, kOn, 0, {}, { T, B }, kNoBand, 0 },
    { 173, kOff, 2, { { { 7, B }, { T, 1 } } }, { T, B }, kNoBand, label(1) | label(7) },

    // Family 6: never lit: the mirror of family 5.
    { 174, kOff, 0, {}, kEmptyBand, kEmptyBand, 0 },
    { 175, kOff, 0, {}, kNoBand, { T, B }, 0 },
    { 176, kOn, 2, { { { 7, B }, { T, 1 } } }, kNoBand, { T, B }, label(1) | label(7) },
} };

} // namespace

const DoAlertBand& DoAlertPicture::band(int ledCondition) const
{
    return doAlertChoice(ledCondition) == kLedLitInside ? bandLitInside : bandLitOutside;
}

bool DoAlertPicture::reachesTop(int ledCondition) const
{
    for (int i = 0; i < switchCount; ++i) {
        if (switches[size_t(i)].rising == kSlotTop || switches[size_t(i)].falling == kSlotTop)
            return true;
    }
    return band(ledCondition).high == kSlotTop;
}

bool DoAlertPicture::reachesBottom(int ledCondition) const
{
    for (int i = 0; i < switchCount; ++i) {
        if (switches[size_t(i)].rising == kSlotBottom || switches[size_t(i)].falling == kSlotBottom)
            return true;
    }
    return band(ledCondition).low == kSlotBottom;
}

const DoAlertPicture& doAlertPicture(int number)
{
    if (number < kDoAlertFirstPicture || number > kDoAlertLastPicture)
        number = kDoAlertFirstPicture;
    return kPictures[size_t(number - kDoAlertFirstPicture)];
}

} // namespace kovra
