// The GUI in English: the window's own captions from its embedded catalogue and the core's
// messages from theirs; back in Japanese, every text is the source text again.
#include "core/units/unit_record.h"
#include "gui/entry_mail_dialog.h"
#include "gui/main_window.h"
#include "gui/qt_user_interface.h"
#include "support/gui_controls.h"
#include "support/language_guard.h"
#include "support/loopback_adapter.h"
#include "support/message_box_closer.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace kovra;
using kovra::test_support::click;
using kovra::test_support::control;
using kovra::test_support::LanguageGuard;
using kovra::test_support::loopbackAdapter;
using kovra::test_support::MessageBoxCloser;
using kovra::test_support::retype;

namespace {

QString buttonText(MainWindow& window, int id)
{
    return qobject_cast<QAbstractButton*>(window.control(id))->text();
}

} // namespace

TEST(EnglishTexts, MainWindowCaptionsAndCoreMessagesFollowTheLanguage)
{
    struct Expected {
        Language language;
        QString search, mail, header, message;
    };
    const Expected cases[] = {
        { Language::English, "&Search", "Mail alert", "MAC address", "Cannot add the unit" },
        { Language::Japanese, "検索(&S)", "メールアラート", "MACアドレス", "追加できません" },
    };
    for (const Expected& expected : cases) {
        LanguageGuard language(expected.language);
        MessageBoxCloser closer;
        MainWindow window("", nullptr, loopbackAdapter);
        ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
        window.show();
        EXPECT_EQ(buttonText(window, 1001), expected.search);
        EXPECT_EQ(buttonText(window, 1000), expected.mail);
        EXPECT_EQ(qobject_cast<QTreeWidget*>(window.control(1012))->headerItem()->text(0), expected.header);

        // Adding an address where nothing answers: the core's message, shown by the window.
        qobject_cast<QLineEdit*>(window.control(1205))->setText("127.0.0.78");
        qobject_cast<QPushButton*>(window.control(1002))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!closer.texts().isEmpty(), 10000);
        EXPECT_EQ(closer.texts().first(), expected.message);
    }
}

TEST(EnglishTexts, ComposedRefusalShowsAsAWhole)
{
    // The entry dialog names the field per DI: a composed caption inside a composed refusal.
    const std::pair<Language, QString> cases[] = {
        { Language::English,
            "DI2 Authentication user name must be half-width letters, digits and symbols without spaces." },
        { Language::Japanese, "DI2 の認証ユーザー名は空白を含まない半角英数字・記号で入力してください。" },
    };
    for (const auto& [language, expected] : cases) {
        LanguageGuard guard(language);
        MessageBoxCloser closer;
        EntryMailForm form(kKindThirdName, 0, 2, UnitSettings());
        QtUserInterface ui(nullptr);
        EntryMailDialog dialog(form, ui);
        dialog.show();
        control<QTabBar>(dialog, EntryMailDialog::kIdTabs)->setCurrentIndex(1);
        click(dialog, EntryMailDialog::kIdModeLo);
        retype(control<QLineEdit>(dialog, EntryMailDialog::kIdUser), "a b");
        click(dialog, EntryMailDialog::kIdOk);
        QTRY_VERIFY_WITH_TIMEOUT(!closer.texts().isEmpty(), 10000);
        EXPECT_EQ(closer.texts().first(), expected);
    }
}
