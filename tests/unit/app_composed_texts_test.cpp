// The messages the core composes at run time: in English as a whole, with the pieces that are
// system texts (a field's caption) in English too; in Japanese exactly as composed.
#include "core/alerts/mail_text_check.h"
#include "core/app/unlisted_units_text.h"
#include "support/system_language.h"

#include <gtest/gtest.h>

using namespace kovra;
using kovra::test_support::SystemLanguage;

namespace {

struct ComposedCase {
    const char* name;
    std::string japanese;
    std::string english;
};

class ComposedMessages : public testing::TestWithParam<ComposedCase> { };

} // namespace

TEST_P(ComposedMessages, EnglishAsAWholeJapaneseUnchanged)
{
    const ComposedCase& c = GetParam();
    {
        SystemLanguage english(Language::English);
        EXPECT_EQ(systemText(c.japanese), c.english);
    }
    EXPECT_EQ(systemText(c.japanese), c.japanese);
}

INSTANTIATE_TEST_SUITE_P(Cases, ComposedMessages,
    testing::Values(
        ComposedCase { "controlByte", *mailTextRefusal("メッセージ", "a\nb", 64, MailTextKind::Plain),
            "Message cannot contain line breaks or other control characters." },
        ComposedCase { "tooManyBytes",
            *mailTextRefusal("送信元メールアドレス", std::string(65, 'a'), 64, MailTextKind::Plain),
            "Sender mail address must be 64 bytes at most." },
        ComposedCase { "notCarried", *mailTextRefusal("認証パスワード", "a b", 64, MailTextKind::Credential),
            "Authentication password must be half-width letters, digits and symbols without spaces." },
        ComposedCase { "tooManyCharacters", *sentTextRefusal("メッセージ", std::string(33, 'a'), 32),
            "Message must be 32 characters at most." },
        // The entry form names a field per DI: a composed caption inside a composed refusal.
        ComposedCase { "entryFieldCaption", "DI2 のSMTPサーバアドレスに改行などの制御文字は使えません。",
            "DI2 SMTP server address cannot contain line breaks or other control characters." },
        ComposedCase {
            "threshold", "AI2の閾値設定が正しくありません。", "The AI2 threshold setting is wrong." },
        ComposedCase { "notSetupFileFor", "このデバイスの設定ファイル(.rec)ではありません。",
            "This is not a setup file (.rec) of this unit." },
        ComposedCase { "otherUnitsAddress",
            "このファイルには別のデバイスのネットワーク設定が含まれています。\n"
            "ファイル: IP 192.168.0.20 / マスク 255.255.255.0 / ゲートウェイ 192.168.0.1\n"
            "このデバイス: IP 192.168.0.30 / マスク 255.255.0.0 / ゲートウェイ 0.0.0.0\n"
            "同じアドレスのデバイスが2台あると、両方とも通信できなくなります。\n"
            "ファイルのネットワーク設定を書き込みますか？\n"
            "（いいえ: このデバイスの現在のネットワーク設定を残します）",
            "This file holds another unit's network settings.\n"
            "File: IP 192.168.0.20 / mask 255.255.255.0 / gateway 192.168.0.1\n"
            "This unit: IP 192.168.0.30 / mask 255.255.0.0 / gateway 0.0.0.0\n"
            "Two units with one address both lose the network.\n"
            "Write the file's network settings?\n"
            "(No: this unit keeps its current network settings)" },
        ComposedCase { "unlistedUnits",
            unlistedUnitsText({ "192.0.2.1", "192.0.2.2", "192.0.2.3", "192.0.2.4" }),
            "Units that answered but cannot be listed: 4 (192.0.2.1, 192.0.2.2, 192.0.2.3, …)" },
        // A piece that is no system text stays as it is; so does a text of no pattern.
        ComposedCase { "pieceOfNoEntry", "XYZに改行などの制御文字は使えません。",
            "XYZ cannot contain line breaks or other control characters." },
        ComposedCase { "fixedText", "通信エラー", "Communication error" },
        ComposedCase { "noEntryNoPattern", "192.0.2.9 (eth0)", "192.0.2.9 (eth0)" }),
    [](const testing::TestParamInfo<ComposedCase>& info) { return info.param.name; });
