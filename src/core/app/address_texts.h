#pragma once

// The texts of the address group: the address write and the PING check (UTF-8).
namespace kovra::texts {

constexpr const char* kUnitCannotUseDhcp = "この機器はDHCP設定できません。";
constexpr const char* kAddressNotUsable = "そのIPアドレスには設定できません。";
constexpr const char* kConfirmWrite = "設定を書き込みます。";
constexpr const char* kSubnetMaskError = "サブネットマスク設定エラー";
constexpr const char* kNotSameNetworkGroup = "同一ネットワークグループでないデバイスへの設定はできません。\n"
                                             "デバイス初期化から設定しなおす必要があります。";
// Record 0 writes whose acknowledgement never came: the unit was looked for at its new address.
constexpr const char* kWrittenWithoutAcknowledgement
    = "設定完了しました。\nデバイスを再起動します。\n("
      "書き込みの応答は届きませんでしたが、デバイスは新しいアドレスで応答しています)";
constexpr const char* kNoAcknowledgementNotMoved
    = "通信エラー\n(書き込みの応答がなく、デバイスは新しいアドレスでも見つかりません)";
constexpr const char* kEnterIpAddress = "IPアドレスを入力してください。";
constexpr const char* kIpAddressInvalid = "IPアドレスが不正です。";
constexpr const char* kPingNoReply = "PINGに返答がありません。\nこのアドレスは設定可能と思われます。";
constexpr const char* kPingReplyFromUnit = "PINGに返答がありました。";
constexpr const char* kPingReplyConflict
    = "PINGに返答がありました。\nこの設定はアドレス衝突の恐れがあります。";

} // namespace kovra::texts
