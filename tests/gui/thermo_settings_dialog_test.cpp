#include "core/app/scripted_user_interface.h"
#include "core/functions/analog_settings_form.h"
#include "gui/thermo_settings_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

using Dialog = ThermoSettingsDialog;

template <typename Widget> Widget* control(QWidget& dialog, int id)
{
    for (Widget* widget : dialog.findChildren<Widget*>()) {
        if (widget->property("controlId").toInt() == id)
            return widget;
    }
    return nullptr;
}

QStringList items(QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void loseFocus(QLineEdit* edit)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &event);
}

// AI1 a type-K thermocouple, AI2 the ±10 V range, the others zero.
void fill(ThermoSettingsForm& form)
{
    form.setInput(0, { kThermocoupleRange, { 0, true, true, 0, 2, -1000, 5000 } });
    form.setInput(1, { 2, { 3, true, false, 0, 1, 0, 100 } });
    form.setSamplingRate(4);
}

constexpr int kThermocoupleIds[] = { Dialog::kIdType, Dialog::kIdColdJunctionOn, Dialog::kIdColdJunctionOff,
    Dialog::kIdBurnoutOn, Dialog::kIdBurnoutOff, Dialog::kIdBurnout800000h, Dialog::kIdBurnout7FFFFFh,
    Dialog::kIdScale, Dialog::kIdLower, Dialog::kIdUpper };

std::vector<int> enabledThermocoupleIds(QWidget& dialog)
{
    std::vector<int> enabled;
    for (int id : kThermocoupleIds) {
        QWidget* widget = control<QWidget>(dialog, id);
        if (widget && widget->isEnabled())
            enabled.push_back(id);
    }
    return enabled;
}

TEST(ThermoSettingsDialog, ControlsCarryTheirIdsAndCaptions)
{
    ThermoSettingsForm form(12);
    fill(form);
    ScriptedUserInterface ui;
    Dialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("その他の設定"));

    QTabBar* pages = control<QTabBar>(dialog, Dialog::kIdPages);
    ASSERT_NE(pages, nullptr);
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i)
        tabs << pages->tabText(i);
    EXPECT_EQ(tabs, (QStringList { "AI1", "AI2", "AI3", "AI4", "AI5" }));

    struct ComboCase {
        int id;
        QStringList rows;
        int current;
    };
    const ComboCase combos[] = {
        { Dialog::kIdSamplingRate,
            { "10sps", "16.6sps", "50sps", "60sps", "400sps", "1200sps", "3600sps", "14400sps" }, 4 },
        { Dialog::kIdRange, { "100mV", "1V", "10V", "30V", "0-20mA(250Ω)", "0-20mA(50Ω)", "熱電対" }, 6 },
        { Dialog::kIdType, { "K", "J", "T", "E", "N", "R", "S", "B" }, 0 },
        { Dialog::kIdScale, { "0-10V", "0-5V", "1-5V", "4-20ｍA" }, 2 },
    };
    for (const auto& c : combos) {
        QComboBox* combo = control<QComboBox>(dialog, c.id);
        ASSERT_NE(combo, nullptr) << c.id;
        EXPECT_EQ(items(combo), c.rows) << c.id;
        EXPECT_EQ(combo->currentIndex(), c.current) << c.id;
    }
    struct RadioCase {
        int id;
        const char* text;
        bool checked;
    };
    const RadioCase radios[] = {
        { Dialog::kIdColdJunctionOn, "ON", true },
        { Dialog::kIdColdJunctionOff, "OFF", false },
        { Dialog::kIdBurnoutOn, "ON", true },
        { Dialog::kIdBurnoutOff, "OFF", false },
        { Dialog::kIdBurnout800000h, "800000h", true },
        { Dialog::kIdBurnout7FFFFFh, "7FFFFFh", false },
    };
    for (const auto& r : radios) {
        QRadioButton* radio = control<QRadioButton>(dialog, r.id);
        ASSERT_NE(radio, nullptr) << r.id;
        EXPECT_EQ(radio->text(), QString(r.text)) << r.id;
        EXPECT_EQ(radio->isChecked(), r.checked) << r.id;
    }
    EXPECT_EQ(control<QLineEdit>(dialog, Dialog::kIdLower)->text(), QString("-100.0"));
    EXPECT_EQ(control<QLineEdit>(dialog, Dialog::kIdUpper)->text(), QString("500.0"));
    EXPECT_EQ(control<QPushButton>(dialog, Dialog::kIdOk)->text(), QString("OK"));
    EXPECT_EQ(control<QPushButton>(dialog, Dialog::kIdCancel)->text(), QString("キャンセル"));
}

TEST(ThermoSettingsDialog, ThermocoupleControlsFollowThePagesRange)
{
    ThermoSettingsForm form(10);
    fill(form);
    ScriptedUserInterface ui;
    Dialog dialog(form, ui);
    const std::vector<int> all(std::begin(kThermocoupleIds), std::end(kThermocoupleIds));
    EXPECT_EQ(enabledThermocoupleIds(dialog), all);

    QComboBox* range = control<QComboBox>(dialog, Dialog::kIdRange);
    range->setCurrentIndex(2);
    EXPECT_EQ(form.input(0).range, 2);
    EXPECT_EQ(enabledThermocoupleIds(dialog), std::vector<int> {});
    EXPECT_TRUE(range->isEnabled());

    range->setCurrentIndex(6);
    EXPECT_EQ(enabledThermocoupleIds(dialog), all);
    control<QTabBar>(dialog, Dialog::kIdPages)->setCurrentIndex(1); // AI2: ±10 V
    EXPECT_EQ(enabledThermocoupleIds(dialog), std::vector<int> {});
}

TEST(ThermoSettingsDialog, EachPageKeepsItsAIsValues)
{
    ThermoSettingsForm form(10);
    fill(form);
    ScriptedUserInterface ui;
    Dialog dialog(form, ui);
    QTabBar* pages = control<QTabBar>(dialog, Dialog::kIdPages);
    QComboBox* range = control<QComboBox>(dialog, Dialog::kIdRange);
    QComboBox* type = control<QComboBox>(dialog, Dialog::kIdType);
    QLineEdit* lower = control<QLineEdit>(dialog, Dialog::kIdLower);

    // AI1: type J, cold junction OFF, output 7FFFFFh, lower 12.3 degrees.
    type->setCurrentIndex(1);
    control<QRadioButton>(dialog, Dialog::kIdColdJunctionOff)->click();
    control<QRadioButton>(dialog, Dialog::kIdBurnout7FFFFFh)->click();
    retype(lower, "12.34");

    // AI2 shows its own values; made a type-T thermocouple.
    pages->setCurrentIndex(1);
    EXPECT_EQ(range->currentIndex(), 2);
    EXPECT_EQ(type->currentIndex(), 3);
    EXPECT_TRUE(control<QRadioButton>(dialog, Dialog::kIdColdJunctionOn)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, Dialog::kIdBurnout800000h)->isChecked());
    EXPECT_EQ(lower->text(), QString("0.0"));
    range->setCurrentIndex(6);
    type->setCurrentIndex(2);

    pages->setCurrentIndex(0);
    EXPECT_EQ(type->currentIndex(), 1);
    EXPECT_TRUE(control<QRadioButton>(dialog, Dialog::kIdColdJunctionOff)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, Dialog::kIdBurnout7FFFFFh)->isChecked());
    EXPECT_EQ(lower->text(), QString("12.3"));

    const ThermocoupleSettings& ai1 = form.input(0).thermocouple;
    EXPECT_EQ(ai1.type, 1);
    EXPECT_FALSE(ai1.coldJunction);
    EXPECT_EQ(ai1.burnoutOutput, 1);
    EXPECT_EQ(ai1.lower, 123);
    EXPECT_EQ(form.input(1).range, kThermocoupleRange);
    EXPECT_EQ(form.input(1).thermocouple.type, 2);
    EXPECT_EQ(form.input(2).range, 0);
}

TEST(ThermoSettingsDialog, TemperatureIsStoredAsTypedAndRewrittenOnFocusLoss)
{
    ThermoSettingsForm form(10);
    fill(form);
    ScriptedUserInterface ui;
    Dialog dialog(form, ui);
    QLineEdit* upper = control<QLineEdit>(dialog, Dialog::kIdUpper);
    retype(upper, "4000.19");
    EXPECT_EQ(form.input(0).thermocouple.upper, 32767);
    EXPECT_EQ(upper->text(), QString("4000.19"));
    loseFocus(upper);
    EXPECT_EQ(upper->text(), QString("3276.7"));

    retype(upper, "-2x");
    EXPECT_EQ(ui.messages(), (std::vector<std::string> { "数字以外は入力できません" }));
    EXPECT_EQ(upper->text(), QString("-2"));
    EXPECT_EQ(form.input(0).thermocouple.upper, -20);
}

TEST(ThermoSettingsDialog, OkAcceptsAndTheOpenerTakesOnlyItsOwnForm)
{
    ThermoSettingsForm form(32);
    ScriptedUserInterface ui;
    Dialog dialog(form, ui);
    control<QPushButton>(dialog, Dialog::kIdOk)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(ui.messages().empty());

    AnalogSettingsForm other(8);
    EXPECT_FALSE(openThermoSettingsDialog(nullptr, other, ui));
}

} // namespace
