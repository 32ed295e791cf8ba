#include "core/app/scripted_user_interface.h"
#include "gui/do_modes_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using kovra::DoModesDialog;

namespace {

template <typename Widget> Widget* control(QWidget& dialog, int id)
{
    for (Widget* widget : dialog.findChildren<Widget*>()) {
        if (widget->property("controlId").toInt() == id)
            return widget;
    }
    return nullptr;
}

void retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

void click(QWidget& dialog, int id)
{
    QTest::mouseClick(control<QAbstractButton>(dialog, id), Qt::LeftButton);
}

// Keep-alive 25 s; DO1 ON at start, DO2 one-shot 3 s.
kovra::DoModeValues values()
{
    kovra::DoModeValues v;
    v.keepAliveSeconds = 25;
    v.startOnMask = 0b01;
    v.oneShot = { 0, 30, 0, 0, 0, 0, 0, 0 };
    return v;
}

QLineEdit* timeEdit(QWidget& dialog, int row)
{
    return control<QLineEdit>(dialog, DoModesDialog::kRowIds[size_t(row)].time);
}

TEST(DoModesDialog, EveryRowCarriesItsIdsAndCaptions)
{
    kovra::DoModesForm form(kovra::kKindKovra4, 8, values());
    kovra::ScriptedUserInterface ui;
    DoModesDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("その他の設定"));
    EXPECT_EQ(control<QLineEdit>(dialog, DoModesDialog::kIdKeepAlive)->text(), QString("25"));
    EXPECT_EQ(control<QPushButton>(dialog, DoModesDialog::kIdReset)->text(),
        QString("出力端子の設定を初期状態に戻す"));

    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Keepalive time(sec):"));
    EXPECT_EQ(labels.count("x100msec"), 8);
    for (int row = 0; row < 8; ++row) {
        const auto& ids = DoModesDialog::kRowIds[size_t(row)];
        EXPECT_TRUE(labels.contains(QString("DO%1").arg(row + 1))) << row;
        const std::pair<int, const char*> radios[]
            = { { ids.normal, "通常" }, { ids.onAtStart, "起動時ON" }, { ids.oneShot, "ワンショット" } };
        for (const auto& [id, text] : radios) {
            QRadioButton* radio = control<QRadioButton>(dialog, id);
            ASSERT_NE(radio, nullptr) << id;
            EXPECT_EQ(radio->text(), QString(text)) << id;
        }
        ASSERT_NE(timeEdit(dialog, row), nullptr) << row;
        EXPECT_EQ(timeEdit(dialog, row)->maxLength(), 3) << row;
    }
    EXPECT_TRUE(control<QRadioButton>(dialog, DoModesDialog::kRowIds[0].onAtStart)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, DoModesDialog::kRowIds[1].oneShot)->isChecked());
    EXPECT_EQ(timeEdit(dialog, 1)->text(), QString("30"));
    EXPECT_TRUE(control<QRadioButton>(dialog, DoModesDialog::kRowIds[2].normal)->isChecked());
}

TEST(DoModesDialog, RowsFollowTheDoCountAndTheTimeFollowsOneShot)
{
    kovra::DoModesForm form(kovra::kKindKovra4, 3, values());
    kovra::ScriptedUserInterface ui;
    DoModesDialog dialog(form, ui);
    dialog.show();
    for (int row = 0; row < 8; ++row) {
        const auto& ids = DoModesDialog::kRowIds[size_t(row)];
        for (const int id : { ids.normal, ids.onAtStart, ids.oneShot })
            EXPECT_EQ(control<QWidget>(dialog, id)->isEnabled(), row < 3) << id;
        EXPECT_EQ(timeEdit(dialog, row)->isEnabled(), row == 1) << row;
    }

    click(dialog, DoModesDialog::kRowIds[2].oneShot);
    EXPECT_TRUE(timeEdit(dialog, 2)->isEnabled());
    click(dialog, DoModesDialog::kRowIds[1].normal);
    EXPECT_FALSE(timeEdit(dialog, 1)->isEnabled());
    EXPECT_EQ(form.mode(1), kovra::kDoNormal);

    click(dialog, DoModesDialog::kIdReset);
    for (int row = 0; row < 3; ++row) {
        EXPECT_TRUE(control<QRadioButton>(dialog, DoModesDialog::kRowIds[size_t(row)].normal)->isChecked())
            << row;
        EXPECT_FALSE(timeEdit(dialog, row)->isEnabled()) << row;
        EXPECT_EQ(timeEdit(dialog, row)->text(), QString()) << row;
    }
    EXPECT_EQ(control<QLineEdit>(dialog, DoModesDialog::kIdKeepAlive)->text(), QString("25"));

    kovra::DoModesForm none(kovra::kKindNewerWired, 0, values());
    DoModesDialog noDos(none, ui);
    EXPECT_FALSE(control<QPushButton>(noDos, DoModesDialog::kIdReset)->isEnabled());
    EXPECT_FALSE(control<QWidget>(noDos, DoModesDialog::kRowIds[0].normal)->isEnabled());
}

TEST(DoModesDialog, OkShowsTheFirstFailingCheckAndKeepsTheDialogOpen)
{
    kovra::DoModesForm form(kovra::kKindKovra4, 3, values());
    kovra::ScriptedUserInterface ui;
    DoModesDialog dialog(form, ui);
    dialog.show();
    retype(control<QLineEdit>(dialog, DoModesDialog::kIdKeepAlive), "7");
    click(dialog, DoModesDialog::kRowIds[2].oneShot);
    click(dialog, DoModesDialog::kIdOk);
    retype(control<QLineEdit>(dialog, DoModesDialog::kIdKeepAlive), "1275");
    click(dialog, DoModesDialog::kIdOk);
    EXPECT_EQ(ui.messages(),
        (std::vector<std::string> {
            "Keepaliveは5の倍数で設定してください。", "ワンショット時間は1-255の範囲で設定してください。" }));
    EXPECT_TRUE(dialog.isVisible());

    retype(timeEdit(dialog, 2), "2555");
    EXPECT_EQ(timeEdit(dialog, 2)->text(), QString("255"));
    click(dialog, DoModesDialog::kIdOk);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.values().keepAliveSeconds, 1275);
    EXPECT_EQ(form.values().startOnMask, 0b001u);
    EXPECT_EQ(form.values().oneShot, (std::array<int, 8> { 0, 30, 255, 0, 0, 0, 0, 0 }));
}

} // namespace
