#include "core/alerts/do_alert_preview.h"

#include "core/alerts/analog_scaling.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr int kFamilyVariants = 7;
constexpr int kFamily5Picture = 171;
constexpr int kFamily6Picture = 174;

// Label index of S1..S7.
enum Label { S1, S2, S3, S4, S5, S6, S7 };

} // namespace

DoAlertSwitchPoints doAlertSwitchPoints(int high, int low, int width, int ledCondition, int direction)
{
    if (doAlertChoice(ledCondition) == doAlertChoice(direction))
        return { high, std::max(high - width, low), std::min(low + width, high), low };
    return { std::min(high + width, kCountMax), high, low, std::max(low - width, kCountMin) };
}

DoAlertPreview computeDoAlertPreview(
    int high, int low, int width, int ledCondition, int direction, AnalogRangeType type)
{
    const int c = doAlertChoice(ledCondition);
    const int d = doAlertChoice(direction);
    DoAlertPreview preview;
    preview.points = doAlertSwitchPoints(high, low, width, c, d);
    const DoAlertSwitchPoints& p = preview.points;
    const double ve = rawToValue(p.e, type, false);
    const double vf = rawToValue(p.f, type, false);
    const double vg = rawToValue(p.g, type, false);
    const double vk = rawToValue(p.k, type, false);
    auto& s = preview.labels;

    const bool highAtTop = high == kCountMax; // X
    const bool lowAtBottom = low == kCountMin; // Y
    const bool loopsApart = p.f >= p.g; // P: the two hysteresis loops do not overlap
    const bool eAtTop = p.e == kCountMax; // E
    const bool kAtBottom = p.k == kCountMin; // K
    const bool inside = c == d;
    int& family = preview.family;
    int& v = preview.variant;

    if (low >= high) {
        family = c == kLedLitInside ? 6 : 5;
        v = 0;
    } else if (highAtTop && lowAtBottom) {
        family = c == kLedLitInside ? 5 : 6;
        if (width == 0 || !inside) {
            v = 1;
        } else if (loopsApart) {
            v = 2;
            s[S1] = vf;
            s[S7] = vg;
        } else {
            v = 0;
        }
    } else if (!highAtTop && !lowAtBottom) {
        family = c == kLedLitInside ? 1 : 2;
        if (inside) {
            s[S2] = ve;
            s[S6] = vk;
            if (width == 0) {
                v = 1;
            } else if (loopsApart) {
                v = 6;
                s[S3] = vf;
                s[S5] = vg;
            } else {
                v = 7;
            }
        } else {
            s[S2] = vf;
            s[S6] = vg;
            if (width == 0) {
                v = 1;
            } else if (!eAtTop && !kAtBottom) {
                v = 2;
                s[S1] = ve;
                s[S7] = vk;
            } else if (eAtTop && !kAtBottom) {
                v = 3;
                s[S7] = vk;
            } else if (!eAtTop && kAtBottom) {
                v = 4;
                s[S1] = ve;
            } else {
                v = 5;
            }
        }
    } else if (lowAtBottom) {
        family = c == kLedLitInside ? 4 : 3;
        if (inside) {
            s[S4] = ve;
            if (width == 0) {
                v = 1;
            } else if (loopsApart) {
                v = 7;
                s[S5] = vf;
                s[S7] = vg;
            } else {
                v = 6;
            }
        } else {
            s[S4] = vf;
            if (width == 0) {
                v = 1;
            } else if (!eAtTop) {
                v = 2;
                s[S3] = ve;
            } else {
                v = 3;
            }
        }
    } else {
        family = c == kLedLitInside ? 3 : 4;
        if (inside) {
            s[S4] = vk;
            if (width == 0) {
                v = 1;
            } else if (loopsApart) {
                v = 4;
                s[S1] = vf;
                s[S3] = vg;
            } else {
                v = 3;
            }
        } else {
            s[S4] = vg;
            if (width == 0) {
                v = 1;
            } else if (kAtBottom) {
                v = 6;
            } else {
                v = 5;
                s[S5] = vk;
            }
        }
    }
    preview.picture = doAlertPictureNumber(family, v);
    return preview;
}

int doAlertPictureNumber(int family, int variant)
{
    if (family >= 1 && family <= 4 && variant >= 1 && variant <= kFamilyVariants)
        return kDoAlertFirstPicture + kFamilyVariants * (family - 1) + (variant - 1);
    if (family == 5 && variant >= 0 && variant <= 2)
        return kFamily5Picture + variant;
    if (family == 6 && variant >= 0 && variant <= 2)
        return kFamily6Picture + variant;
    return kDoAlertFirstPicture;
}

std::array<std::string, kDoAlertLabelCount> doAlertLabelTexts(
    const DoAlertPreview& preview, AnalogRangeType type)
{
    std::array<std::string, kDoAlertLabelCount> texts;
    for (int i = 0; i < kDoAlertLabelCount; ++i) {
        const double value = preview.labels[size_t(i)];
        if (value != kDoAlertEmptyLabel)
            texts[size_t(i)] = formatValue(value, type, true);
    }
    return texts;
}

} // namespace kovra
