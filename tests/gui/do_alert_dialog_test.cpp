#include "gui/do_alert_dialog.h"
#include "gui/do_alert_preview_painter.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
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

// AI1 ±10 V lit inside 1..2 V, AI2 0-20 mA lit outside 4..16 mA, AI3 ℃ 10..30 degrees.
kovra::DoAlertSetup setup(int monitored)
{
    kovra::DoAlertSetup s;
    s.inputs[0] = { kovra::kLedLitInside, 6553, 3277, kovra::kRangeVoltage10V };
    s.inputs[1] = { kovra::kLedLitOutside, 26214, 6553, kovra::kRangeCurrent250Ohm };
    s.inputs[2] = { kovra::kLedLitInside, 300, 100, kovra::kRangeTemperature };
    s.monitoredInput = monitored;
    return s;
}

// Records the messages the dialog would show.
struct Messages {
    QStringList shown;
    AnalogMessage answer()
    {
        return [this](QWidget*, const QString& text) { shown << text; };
    }
};

QStringList labelTexts(QWidget& dialog)
{
    QStringList texts;
    for (int i = 0; i < kovra::kDoAlertLabelCount; ++i)
        texts << control<QLabel>(dialog, DoAlertDialog::kIdFirstLabel + i)->text();
    return texts;
}

void retype(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
}

TEST(DoAlertDialog, ControlsCarryTheirIdsAndCaptions)
{
    Messages messages;
    DoAlertForm form(setup(0));
    DoAlertDialog dialog(form, nullptr, messages.answer());
    EXPECT_EQ(dialog.windowTitle(), QString("DOアラート設定"));

    struct ComboCase {
        int id;
        QStringList items;
        int current;
    };
    const ComboCase combos[] = {
        { DoAlertDialog::kIdMonitoredInput, { "AI1", "AI2", "AI3" }, 0 },
        { DoAlertDialog::kIdLedCondition, { "範囲内", "範囲外" }, 0 },
        { DoAlertDialog::kIdDirection, { "消灯閾値優先", "点灯閾値優先" }, 0 },
    };
    for (const auto& c : combos) {
        QComboBox* combo = control<QComboBox>(dialog, c.id);
        ASSERT_NE(combo, nullptr) << c.id;
        EXPECT_EQ(items(combo), c.items) << c.id;
        EXPECT_EQ(combo->currentIndex(), c.current) << c.id;
    }
    const std::pair<int, const char*> boxes[] = {
        { DoAlertDialog::kIdHigh, "1.999878" },
        { DoAlertDialog::kIdLow, "1.000092" },
        { DoAlertDialog::kIdWidth, "0.000000" },
    };
    for (const auto& b : boxes) {
        QLineEdit* box = control<QLineEdit>(dialog, b.first);
        ASSERT_NE(box, nullptr) << b.first;
        EXPECT_EQ(box->text(), QString(b.second)) << b.first;
    }
    QGroupBox* caption = control<QGroupBox>(dialog, DoAlertDialog::kIdCaption);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->title(), QString("アナログ閾値 ( 電圧[±10V] )"));
    QLabel* picture = control<QLabel>(dialog, DoAlertDialog::kIdPicture);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_EQ(picture->property("pictureNumber").toInt(), 143);
    for (int id = 1280; id <= 1286; ++id)
        EXPECT_NE(control<QLabel>(dialog, id), nullptr) << id;

    // OK only: the close box is the way to cancel.
    const auto buttons = dialog.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), QString("OK"));
    EXPECT_EQ(buttons[0]->property("controlId").toInt(), DoAlertDialog::kIdOk);
}

TEST(DoAlertDialog, ChangingTheInputReloadsItsValues)
{
    Messages messages;
    DoAlertForm form(setup(0));
    DoAlertDialog dialog(form, nullptr, messages.answer());
    retype(control<QLineEdit>(dialog, DoAlertDialog::kIdHigh), "5");
    control<QComboBox>(dialog, DoAlertDialog::kIdMonitoredInput)->setCurrentIndex(1);

    EXPECT_EQ(control<QGroupBox>(dialog, DoAlertDialog::kIdCaption)->title(),
        QString("アナログ閾値 ( 電流[0-20mA] )"));
    EXPECT_EQ(control<QLineEdit>(dialog, DoAlertDialog::kIdHigh)->text(), QString("16.000244"));
    EXPECT_EQ(control<QLineEdit>(dialog, DoAlertDialog::kIdLow)->text(), QString("3.999756"));
    EXPECT_EQ(control<QComboBox>(dialog, DoAlertDialog::kIdLedCondition)->currentIndex(), 1);
    EXPECT_EQ(control<QLabel>(dialog, DoAlertDialog::kIdPicture)->property("pictureNumber").toInt(), 150);
    EXPECT_EQ(labelTexts(dialog)[1], QString(" 16.000 mA"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(DoAlertDialog, NumericFilterShowsTheMessageAndKeepsTheLeadingRun)
{
    struct Case {
        int box;
        QString typed;
        QStringList messages;
        QString left;
    };
    const QString message = "数字以外は入力できません";
    const Case cases[] = {
        { DoAlertDialog::kIdLow, "1a5", { message }, "1" },
        { DoAlertDialog::kIdHigh, "2.5V", { message }, "2.5" },
        { DoAlertDialog::kIdWidth, "x", { message }, "" },
        { DoAlertDialog::kIdHigh, "-0.5", {}, "-0.5" },
        // Rejected characters and the limit together: the limit has the last word.
        { DoAlertDialog::kIdHigh, "50!", { message }, "10.000000" },
    };
    for (const auto& c : cases) {
        Messages messages;
        DoAlertForm form(setup(0));
        DoAlertDialog dialog(form, nullptr, messages.answer());
        QLineEdit* box = control<QLineEdit>(dialog, c.box);
        box->selectAll();
        box->insert(c.typed); // as pasted: one change with the whole text
        EXPECT_EQ(messages.shown, c.messages) << c.typed.toStdString();
        EXPECT_EQ(box->text(), c.left) << c.typed.toStdString();
    }
}

TEST(DoAlertDialog, PreviewLabelsFollowTheEdits)
{
    Messages messages;
    kovra::DoAlertSetup s = setup(0);
    s.inputs[0].high = 0;
    s.inputs[0].low = 0;
    DoAlertForm form(s);
    DoAlertDialog dialog(form, nullptr, messages.answer());
    QLabel* picture = control<QLabel>(dialog, DoAlertDialog::kIdPicture);
    EXPECT_EQ(picture->property("pictureNumber").toInt(), 174);
    EXPECT_EQ(labelTexts(dialog), QStringList(7, QString()));

    retype(control<QLineEdit>(dialog, DoAlertDialog::kIdHigh), "2");
    retype(control<QLineEdit>(dialog, DoAlertDialog::kIdLow), "1");
    EXPECT_EQ(picture->property("pictureNumber").toInt(), 143);
    EXPECT_EQ(labelTexts(dialog), QStringList({ "", " 1.9999 V", "", "", "", " 1.0001 V", "" }));

    retype(control<QLineEdit>(dialog, DoAlertDialog::kIdWidth), "0.5");
    control<QComboBox>(dialog, DoAlertDialog::kIdDirection)->setCurrentIndex(1);
    EXPECT_EQ(picture->property("pictureNumber").toInt(), 144);
    EXPECT_EQ(
        labelTexts(dialog), QStringList({ " 2.4998 V", " 1.9999 V", "", "", "", " 1.0001 V", " 0.5002 V" }));

    // Typing 50 on ±10 V: the box is rewritten with the limit, High moves to the top end.
    retype(control<QLineEdit>(dialog, DoAlertDialog::kIdHigh), "50");
    EXPECT_EQ(control<QLineEdit>(dialog, DoAlertDialog::kIdHigh)->text(), QString("10.000000"));
    EXPECT_EQ(picture->property("pictureNumber").toInt(), 161);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(DoAlertDialog, OkHandsBackTheValuesAndTheCloseBoxCancels)
{
    Messages messages;
    DoAlertForm form(setup(1));
    DoAlertDialog dialog(form, nullptr, messages.answer());
    retype(control<QLineEdit>(dialog, DoAlertDialog::kIdHigh), "12");
    retype(control<QLineEdit>(dialog, DoAlertDialog::kIdWidth), "1");
    control<QComboBox>(dialog, DoAlertDialog::kIdLedCondition)->setCurrentIndex(0);
    control<QComboBox>(dialog, DoAlertDialog::kIdDirection)->setCurrentIndex(1);
    QTest::mouseClick(dialog.findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const kovra::DoAlertResult values = dialog.values();
    EXPECT_EQ(values.monitoredInput, 1);
    EXPECT_EQ(values.high, 19660);
    EXPECT_EQ(values.low, 6553);
    EXPECT_EQ(values.hysteresisWidth, 1638);
    EXPECT_EQ(values.ledCondition, 0);
    EXPECT_EQ(values.hysteresisDirection, 1);

    DoAlertForm closedForm(setup(0));
    DoAlertDialog closed(closedForm, nullptr, messages.answer());
    closed.show();
    closed.close();
    EXPECT_EQ(closed.result(), QDialog::Rejected);
}

TEST(DoAlertPreviewPainter, EveryPictureIsDrawnDifferently)
{
    const QSize size(200, 230);
    for (int ledCondition = 0; ledCondition <= 1; ++ledCondition) {
        std::vector<QImage> images;
        for (int number = kovra::kDoAlertFirstPicture; number <= kovra::kDoAlertLastPicture; ++number)
            images.push_back(renderDoAlertPicture(number, ledCondition, size, 1.0).toImage());
        for (size_t a = 0; a < images.size(); ++a) {
            for (size_t b = a + 1; b < images.size(); ++b)
                EXPECT_NE(images[a], images[b])
                    << "pictures " << 143 + a << " and " << 143 + b << " c " << ledCondition;
        }
    }
}

} // namespace
