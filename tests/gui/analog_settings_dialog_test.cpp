#include "core/app/scripted_user_interface.h"
#include "core/functions/thermo_settings_form.h"
#include "gui/analog_settings_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

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

const QStringList kSamplingRows { "10sps", "16.6sps", "50sps", "60sps", "400sps", "1200sps", "3600sps",
    "14400sps" };

TEST(AnalogSettingsDialog, Model8ShowsSamplingAndRanges)
{
    AnalogSettingsForm form(8);
    form.setSamplingRate(6);
    form.setInputRange(0, 1);
    form.setInputRange(1, 4);
    form.setInputRange(2, 5);
    ScriptedUserInterface ui;
    AnalogSettingsDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("その他の設定"));

    const QStringList ranges { "±100mV", "±1V", "±10V", "±30V", "0-20mA (外付け250Ω)", "0-20mA (外付け50Ω)" };
    struct ComboCase {
        int id;
        QStringList rows;
        int current;
    };
    const ComboCase combos[] = {
        { AnalogSettingsDialog::kIdSamplingRate, kSamplingRows, 6 },
        { AnalogSettingsDialog::kIdRangeAi1, ranges, 1 },
        { AnalogSettingsDialog::kIdRangeAi2, ranges, 4 },
        { AnalogSettingsDialog::kIdRangeAi3, ranges, 5 },
    };
    for (const auto& c : combos) {
        QComboBox* combo = control<QComboBox>(dialog, c.id);
        ASSERT_NE(combo, nullptr) << c.id;
        EXPECT_EQ(items(combo), c.rows) << c.id;
        EXPECT_EQ(combo->currentIndex(), c.current) << c.id;
    }
    EXPECT_TRUE(dialog.findChildren<QGroupBox*>().isEmpty());
    EXPECT_TRUE(dialog.findChildren<QLineEdit*>().isEmpty());

    control<QComboBox>(dialog, AnalogSettingsDialog::kIdRangeAi2)->setCurrentIndex(3);
    control<QComboBox>(dialog, AnalogSettingsDialog::kIdSamplingRate)->setCurrentIndex(0);
    EXPECT_EQ(form.inputRange(1), 3);
    EXPECT_EQ(form.samplingRate(), 0);

    const std::pair<int, QString> buttons[]
        = { { AnalogSettingsDialog::kIdOk, "OK" }, { AnalogSettingsDialog::kIdCancel, "キャンセル" } };
    for (const auto& [id, text] : buttons) {
        QPushButton* button = control<QPushButton>(dialog, id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->text(), text);
    }
}

TEST(AnalogSettingsDialog, OutputModelsShowOneRowPerAO)
{
    for (const int model : { 9, 11 }) {
        AnalogSettingsForm form(model);
        form.loadOutput(1, { kOutputCurrent, 6553 });
        ScriptedUserInterface ui;
        AnalogSettingsDialog dialog(form, ui);
        const auto groups = dialog.findChildren<QGroupBox*>();
        ASSERT_EQ(groups.size(), 1);
        EXPECT_EQ(groups[0]->title(), QString("アナログ出力初期値"));
        EXPECT_EQ(control<QComboBox>(dialog, AnalogSettingsDialog::kIdSamplingRate), nullptr);
        EXPECT_EQ(control<QComboBox>(dialog, AnalogSettingsDialog::kIdRangeAi1), nullptr);

        const int outputs = model == 9 ? 2 : 3;
        for (int output = 1; output <= 3; ++output) {
            const QString name = QString("ao%1").arg(output);
            auto* kind = dialog.findChild<QComboBox*>(name + ".kind");
            auto* value = dialog.findChild<QLineEdit*>(name + ".value");
            if (output > outputs) {
                EXPECT_EQ(kind, nullptr) << model;
                EXPECT_EQ(value, nullptr) << model;
                continue;
            }
            ASSERT_NE(kind, nullptr);
            ASSERT_NE(value, nullptr);
            EXPECT_EQ(items(kind), (QStringList { "電圧(V)", "電流(mA)" }));
            EXPECT_EQ(kind->currentIndex(), output == 2 ? 1 : 0);
            EXPECT_EQ(value->text(), output == 2 ? QString("+3.99976") : QString("+0.00000"));
        }
    }
}

TEST(AnalogSettingsDialog, ValueEditTakesOnlyItsNumericStart)
{
    AnalogSettingsForm form(9);
    ScriptedUserInterface ui;
    AnalogSettingsDialog dialog(form, ui);
    auto* value = dialog.findChild<QLineEdit*>("ao2.value");
    value->selectAll();
    QTest::keyClicks(value, "-1.5V");
    EXPECT_EQ(ui.messages(), (std::vector<std::string> { "数字以外は入力できません" }));
    EXPECT_EQ(value->text(), QString("-1.5"));
    EXPECT_EQ(form.outputText(1), "-1.5");
}

TEST(AnalogSettingsDialog, OkClosesOnlyWhenTheChecksPass)
{
    AnalogSettingsForm form(11);
    ScriptedUserInterface ui;
    AnalogSettingsDialog dialog(form, ui);
    dialog.findChild<QComboBox*>("ao3.kind")->setCurrentIndex(1);
    auto* value = dialog.findChild<QLineEdit*>("ao3.value");
    value->selectAll();
    QTest::keyClicks(value, "20.5");
    QPushButton* ok = control<QPushButton>(dialog, AnalogSettingsDialog::kIdOk);
    ok->click();
    EXPECT_EQ(ui.messages(), (std::vector<std::string> { "値設定エラー" }));
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    value->selectAll();
    QTest::keyClicks(value, "20");
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.output(2).kind, kOutputCurrent);
    EXPECT_EQ(form.output(2).raw, 32767);
}

TEST(AnalogSettingsDialog, OpenerTakesOnlyItsOwnForm)
{
    ThermoSettingsForm other(10);
    ScriptedUserInterface ui;
    EXPECT_FALSE(openAnalogSettingsDialog(nullptr, other, ui));
}

} // namespace
