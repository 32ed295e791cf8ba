// Shows the DO alert dialog for several cases on a real X display and saves a screenshot
// of each: scripts/screenshot-do-alert runs it under Xvfb. Skipped in the test command.
#include "core/alerts/analog_scaling.h"
#include "gui/do_alert_dialog.h"
#include "support/screen_grab.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

struct Shot {
    const char* name;
    kovra::AnalogRangeType type;
    double high;
    double low;
    double width;
    int ledCondition;
    int direction;
};

kovra::DoAlertSetup setupFor(const Shot& shot)
{
    kovra::DoAlertSetup setup;
    for (auto& input : setup.inputs) {
        input.rangeType = shot.type;
        input.ledCondition = shot.ledCondition;
        input.high = kovra::valueToRaw(shot.high, shot.type, false);
        input.low = kovra::valueToRaw(shot.low, shot.type, false);
    }
    setup.hysteresisWidth = kovra::valueToRaw(shot.width, shot.type, true);
    setup.hysteresisDirection = shot.direction;
    return setup;
}

TEST(DoAlertScreenshot, ShowsTheDialogForSeveralCases)
{
    const QString directory = qEnvironmentVariable("KOVRA_SCREENSHOT_DIR");
    if (directory.isEmpty())
        GTEST_SKIP() << "runs from scripts/screenshot-do-alert under Xvfb";
    const Shot shots[] = {
        { "143-band-10V", kovra::kRangeVoltage10V, 2.0, 1.0, 0.0, 0, 0 },
        { "144-outside-hysteresis-10V", kovra::kRangeVoltage10V, 2.0, 1.0, 0.5, 0, 1 },
        { "155-lit-outside-mA", kovra::kRangeCurrent250Ohm, 16.0, 4.0, 1.0, 1, 1 },
        { "160-high-at-top-degrees", kovra::kRangeTemperature, 3276.7, 25.0, 5.0, 0, 0 },
        { "163-low-at-bottom-100mV", kovra::kRangeVoltage100mV, 0.05, -0.1, 0.01, 1, 1 },
        { "171-low-above-high", kovra::kRangeVoltage1V, 0.2, 0.5, 0.0, 1, 0 },
        { "173-whole-range-30V", kovra::kRangeVoltage30V, 30.0, -30.0, 3.0, 0, 0 },
    };
    for (const Shot& shot : shots) {
        DoAlertForm form(setupFor(shot));
        DoAlertDialog dialog(form);
        dialog.move(40, 40);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(500);
        const QString file = QDir(directory).filePath(QString("do-alert-%1.png").arg(shot.name));
        EXPECT_TRUE(test_support::grabWindow(dialog, file)) << file.toStdString();
    }
}

} // namespace
