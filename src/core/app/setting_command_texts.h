#pragma once

// The texts of the three function buttons: the unit refresh and the choice of dialog (UTF-8).
namespace kovra::texts {

constexpr const char* kCannotCommunicate = "このIPアドレスのデバイスとは通信できません。";
constexpr const char* kTurnRotarySwitch = "ロータリースイッチを[F]以外にしてください";
constexpr const char* kCannotSetThisDevice = "このデバイスには設定できません。";
constexpr const char* kNoMailAlert = "メールアラート機能なし";
constexpr const char* kNoMailAlertModbus = "ModbusTCPモードではメールアラートは動作しません。";
constexpr const char* kNoMailAlertRotaryF = "ロータリSWがFの状態ではメールアラートは動作しません。";
constexpr const char* kNoMailAlertTmode = "TMODE ONではメールアラートは動作しません。";
constexpr const char* kNoInputExtension = "入力延長なし";
constexpr const char* kNoOtherFunctions = "その他の機能なし";
constexpr const char* kWriteFailed = "設定の書き込みに失敗しました。";
constexpr const char* kTestMailSent = "テスト送信しました。";
constexpr const char* kMailReadFailed = "メール設定読み込みに失敗しました。";
constexpr const char* kMailMessageWriteFailed = "設定データの書き込みに失敗しました。(E)";
constexpr const char* kMailAlertWriteFailed = "設定データの書き込みに失敗しました。(M)";
constexpr const char* kMailTestDone = "メール送信テストしました。";

} // namespace kovra::texts
