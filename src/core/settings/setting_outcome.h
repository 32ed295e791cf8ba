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
    MailReadFailed, // "メール設定読み込みに失敗しました。": the dialog could not open
    MailMessageWriteFailed, // "設定データの書き込みに失敗しました。(E)": the mail message
    MailAlertWriteFailed, // "設定データの書き込みに失敗しました。(M)": the alert conditions
    DryRun, // the write was described instead of sent (kovractl --dry-run): no message
};

} // namespace kovra
