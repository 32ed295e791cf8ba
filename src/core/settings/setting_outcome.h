#pragma once

namespace kovra {

// How a setting command ended. app/setting_outcome_text.h turns each into the one message
// the operator sees for it.
enum class SettingOutcome {
    Refused, // a check before the dialog stopped it; its own message has been shown
    Cancelled, // the dialog or a question was cancelled: nothing written
    CommunicationError, // "通信エラー": a read or a write did not reach the unit
    WriteFailed, // "設定の書き込みに失敗しました。": the unit's own write path failed
    Written, // "設定完了しました。\nデバイスを再起動します。": the unit restarts
    TestSent, // "テスト送信しました。": a test mail was asked for, no restart
    DryRun, // the write was described instead of sent (kovractl --dry-run): no message
};

} // namespace kovra
