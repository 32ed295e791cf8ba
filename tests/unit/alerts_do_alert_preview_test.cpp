#include "core/alerts/analog_scaling.h"
#include "core/alerts/do_alert_picture.h"
#include "core/alerts/do_alert_preview.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace kovra;

namespace {

struct Case {
    int high;
    int low;
    int width;
    int c;
    int d;
};

std::ostream& operator<<(std::ostream& out, const Case& c)
{
    return out << "H " << c.high << " L " << c.low << " W " << c.width << " c " << c.c << " d " << c.d;
}

DoAlertPreview previewOf(const Case& c, AnalogRangeType type = kRangeVoltage10V)
{
    return computeDoAlertPreview(c.high, c.low, c.width, c.c, c.d, type);
}

uint8_t labelMaskOf(const DoAlertPreview& preview)
{
    uint8_t mask = 0;
    for (int i = 0; i < kDoAlertLabelCount; ++i) {
        if (preview.labels[size_t(i)] != kDoAlertEmptyLabel)
            mask |= uint8_t(1u << i);
    }
    return mask;
}

// Bands at both ends of the range, in the middle, touching one end; widths from none to
// more than the whole range.
std::vector<Case> walkedCases()
{
    const int levels[] = { kCountMin, -20000, -10, 0, 5, 20000, kCountMax };
    const int widths[] = { 0, 1, 100, 20000, 40000, kUnsignedCountMax };
    std::vector<Case> cases;
    for (int high : levels)
        for (int low : levels)
            for (int width : widths)
                for (int c = 0; c <= 1; ++c)
                    for (int d = 0; d <= 1; ++d)
                        cases.push_back({ high, low, width, c, d });
    return cases;
}

struct PreviewCase {
    Case input;
    int family;
    int variant;
    int picture;
    uint8_t labelMask; // bit n - 1 for Sn
};

class AlertsDoAlertPreview : public testing::TestWithParam<PreviewCase> { };

TEST_P(AlertsDoAlertPreview, ChoosesFamilyVariantPictureAndLabels)
{
    const PreviewCase& c = GetParam();
    const DoAlertPreview preview = previewOf(c.input);
    EXPECT_EQ(preview.family, c.family) << c.input;
    EXPECT_EQ(preview.variant, c.variant) << c.input;
    EXPECT_EQ(preview.picture, c.picture) << c.input;
    EXPECT_EQ(labelMaskOf(preview), c.labelMask) << c.input;
}

constexpr uint8_t S(int n)
{
    return uint8_t(1u << (n - 1));
}

INSTANTIATE_TEST_SUITE_P(AlertsCases, AlertsDoAlertPreview,
    testing::Values(
        // Low equal to High: never lit (c = 0) or always lit (c = 1), no values.
        PreviewCase { { 100, 100, 0, 0, 0 }, 6, 0, 174, 0 },
        PreviewCase { { 100, 100, 50, 1, 0 }, 5, 0, 171, 0 },
        PreviewCase { { 6553, 3277, 0, 0, 0 }, 1, 1, 143, S(2) | S(6) },
        PreviewCase { { 6553, 3277, 0, 0, 1 }, 1, 1, 143, S(2) | S(6) },
        PreviewCase { { 6553, 3277, 0, 1, 1 }, 2, 1, 150, S(2) | S(6) },
        PreviewCase { { 6553, 3277, 1000, 0, 0 }, 1, 6, 148, S(2) | S(3) | S(5) | S(6) },
        // The width exceeds the band inside it: f = L and g = H, the loops overlap.
        PreviewCase { { 6553, 3277, 5000, 0, 0 }, 1, 7, 149, S(2) | S(6) },
        PreviewCase { { 6553, 3277, 5000, 1, 1 }, 2, 7, 156, S(2) | S(6) },
        PreviewCase { { 6553, 3277, 1000, 0, 1 }, 1, 2, 144, S(1) | S(2) | S(6) | S(7) },
        PreviewCase { { 30000, 3277, 5000, 0, 1 }, 1, 3, 145, S(2) | S(6) | S(7) },
        PreviewCase { { 6553, -30000, 5000, 0, 1 }, 1, 4, 146, S(1) | S(2) | S(6) },
        PreviewCase { { 30000, -30000, 5000, 1, 0 }, 2, 5, 154, S(2) | S(6) },
        // High at the top end (X) or Low at the bottom end (Y) alone.
        PreviewCase { { kCountMax, 0, 0, 0, 0 }, 3, 1, 157, S(4) },
        PreviewCase { { kCountMax, 0, 1000, 0, 0 }, 3, 4, 160, S(1) | S(3) | S(4) },
        PreviewCase { { kCountMax, 0, 1000, 1, 0 }, 4, 5, 168, S(4) | S(5) },
        PreviewCase { { kCountMax, -32000, 1000, 1, 0 }, 4, 6, 169, S(4) },
        PreviewCase { { 0, kCountMin, 1000, 1, 0 }, 3, 2, 158, S(3) | S(4) },
        PreviewCase { { 32000, kCountMin, 1000, 0, 1 }, 4, 3, 166, S(4) },
        PreviewCase { { 0, kCountMin, 1000, 1, 1 }, 3, 7, 163, S(4) | S(5) | S(7) },
        // The whole range: saturation loops only with the hysteresis inside.
        PreviewCase { { kCountMax, kCountMin, 0, 0, 0 }, 5, 1, 172, 0 },
        PreviewCase { { kCountMax, kCountMin, 1000, 0, 0 }, 5, 2, 173, S(1) | S(7) },
        PreviewCase { { kCountMax, kCountMin, 1000, 0, 1 }, 5, 1, 172, 0 },
        PreviewCase { { kCountMax, kCountMin, 40000, 0, 0 }, 5, 0, 171, 0 },
        PreviewCase { { kCountMax, kCountMin, 1000, 1, 1 }, 6, 2, 176, S(1) | S(7) },
        PreviewCase { { kCountMax, kCountMin, 1000, 1, 0 }, 6, 1, 175, 0 }));

TEST(AlertsDoAlertPreview, LabelValuesComeBackFromTheCounts)
{
    // Low 1 and High 2 typed on a ±10 V input: counts 3277 and 6553.
    const DoAlertPreview preview = computeDoAlertPreview(6553, 3277, 0, 0, 0, kRangeVoltage10V);
    const auto texts = doAlertLabelTexts(preview, kRangeVoltage10V);
    const std::array<std::string, kDoAlertLabelCount> expected { "", " 1.9999 V", "", "", "", " 1.0001 V",
        "" };
    EXPECT_EQ(texts, expected);

    const DoAlertPreview outside = computeDoAlertPreview(6553, 3277, 3277, 0, 1, kRangeVoltage100mV);
    const std::array<std::string, kDoAlertLabelCount> outsideTexts { " 30.000 mV", " 19.999 mV", "", "", "",
        " 10.001 mV", "  0.000 mV" };
    EXPECT_EQ(doAlertLabelTexts(outside, kRangeVoltage100mV), outsideTexts);
}

TEST(AlertsDoAlertPreview, SwitchingPointsStayInTheCountRange)
{
    struct PointsCase {
        Case input;
        DoAlertSwitchPoints points;
    };
    const PointsCase cases[] = {
        { { 1000, -1000, 300, 0, 0 }, { 1000, 700, -700, -1000 } },
        { { 1000, -1000, 5000, 1, 1 }, { 1000, -1000, 1000, -1000 } },
        { { 1000, -1000, 300, 0, 1 }, { 1300, 1000, -1000, -1300 } },
        { { 32000, -32000, kUnsignedCountMax, 1, 0 }, { kCountMax, 32000, -32000, kCountMin } },
        // Direction and condition values other than 1 read as 0.
        { { 1000, -1000, 300, 7, 0 }, { 1000, 700, -700, -1000 } },
    };
    for (const auto& c : cases) {
        const DoAlertSwitchPoints p
            = doAlertSwitchPoints(c.input.high, c.input.low, c.input.width, c.input.c, c.input.d);
        EXPECT_EQ(p.e, c.points.e) << c.input;
        EXPECT_EQ(p.f, c.points.f) << c.input;
        EXPECT_EQ(p.g, c.points.g) << c.input;
        EXPECT_EQ(p.k, c.points.k) << c.input;
    }
}

TEST(AlertsDoAlertPreview, PictureNumbers)
{
    const int cases[][3] = {
        { 1, 1, 143 },
        { 1, 7, 149 },
        { 2, 1, 150 },
        { 4, 7, 170 },
        { 5, 0, 171 },
        { 5, 2, 173 },
        { 6, 0, 174 },
        { 6, 2, 176 },
        // Combinations the cases never give keep the first picture.
        { 1, 0, 143 },
        { 4, 8, 143 },
        { 5, 3, 143 },
        { 7, 1, 143 },
        { 0, 1, 143 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(doAlertPictureNumber(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

TEST(AlertsDoAlertPicture, EveryPictureIsReachable)
{
    std::set<int> pictures;
    for (const Case& c : walkedCases())
        pictures.insert(previewOf(c).picture);
    EXPECT_EQ(pictures.size(), size_t(kDoAlertPictureCount));
    EXPECT_EQ(*pictures.begin(), kDoAlertFirstPicture);
    EXPECT_EQ(*pictures.rbegin(), kDoAlertLastPicture);
}

TEST(AlertsDoAlertPicture, ShowsExactlyTheLabelsOfItsCases)
{
    for (const Case& c : walkedCases()) {
        const DoAlertPreview preview = previewOf(c);
        ASSERT_EQ(labelMaskOf(preview), doAlertPicture(preview.picture).labelMask) << c;
    }
}

// Every case whose hysteresis loops do not overlap is drawn faithfully: its switches and
// band sit on slots in the order of their counts, the ends only for saturated counts, and
// each shown label is the value at its slot.
TEST(AlertsDoAlertPicture, SlotsFollowTheSwitchingPoints)
{
    struct Mark {
        int count;
        int slot;
    };
    for (const Case& c : walkedCases()) {
        const DoAlertPreview preview = previewOf(c);
        const DoAlertSwitchPoints& p = preview.points;
        const bool overlapping = c.c == c.d && c.width > 0 && p.f < p.g;
        if (c.low >= c.high || overlapping)
            continue;
        const DoAlertPicture& picture = doAlertPicture(preview.picture);

        const bool lowerShown = !(p.g == kCountMin && p.k == kCountMin);
        const bool upperShown = !(p.e == kCountMax && p.f == kCountMax);
        std::vector<std::pair<int, int>> switches; // rising, falling counts from the bottom up
        if (lowerShown)
            switches.push_back({ p.g, p.k });
        if (upperShown)
            switches.push_back({ p.e, p.f });
        ASSERT_EQ(int(switches.size()), picture.switchCount) << c;
        EXPECT_EQ(picture.litAtBottom, (c.c == kLedLitOutside) == lowerShown) << c;

        std::vector<Mark> marks;
        for (size_t i = 0; i < switches.size(); ++i) {
            marks.push_back({ switches[i].first, picture.switches[i].rising });
            marks.push_back({ switches[i].second, picture.switches[i].falling });
        }
        const DoAlertBand& band = picture.band(c.c);
        marks.push_back({ c.high, band.high });
        marks.push_back({ c.low, band.low });

        for (const Mark& a : marks) {
            EXPECT_EQ(a.slot == kSlotTop, a.count == kCountMax) << c << " slot " << a.slot;
            EXPECT_EQ(a.slot == kSlotBottom, a.count == kCountMin) << c << " slot " << a.slot;
            for (const Mark& b : marks) {
                if (a.count > b.count) {
                    EXPECT_LT(a.slot, b.slot) << c << " counts " << a.count << " " << b.count;
                }
                if (a.slot == b.slot) {
                    EXPECT_EQ(a.count, b.count) << c << " slot " << a.slot;
                }
            }
        }
        for (int n = 1; n <= kDoAlertLabelCount; ++n) {
            const double label = preview.labels[size_t(n - 1)];
            if (label == kDoAlertEmptyLabel)
                continue;
            bool found = false;
            for (const Mark& m : marks)
                found = found || (m.slot == n && rawToValue(m.count, kRangeVoltage10V, false) == label);
            EXPECT_TRUE(found) << c << " label S" << n;
        }
    }
}

} // namespace
