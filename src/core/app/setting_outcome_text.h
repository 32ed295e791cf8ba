#pragma once

#include "core/settings/setting_outcome.h"

#include <string>

namespace kovra {

// The one message each outcome of a setting command shows; empty for the outcomes that
// show nothing more (a refusal has shown its own message, a cancel shows none).
std::string settingOutcomeMessage(SettingOutcome outcome);

// The message of a test mail's send result: "テスト送信しました。" for 0, else "通信エラー".
std::string testSendMessage(int result);

// The same for the analog units' mail dialogs: "メール送信テストしました。" for 0, else the
// failed mail message's "設定データの書き込みに失敗しました。(E)".
std::string analogMailTestMessage(int result);

} // namespace kovra
