#pragma once

// The texts of the bulk save and bulk write buttons (UTF-8).
namespace kovra::texts {

constexpr const char* kEnterFileName = "ファイル名を入力してください。";
constexpr const char* kReadFailed = "設定の読み込みに失敗しました。";
constexpr const char* kOpenError = "OpenError";
constexpr const char* kWriteQuestion = "設定データを書き込みます。\n本当に実行しますか？";
// Beyond the units' own texts: a file refused before any traffic, and a .lwi that would give
// this unit another unit's address.
constexpr const char* kNotSetupFileFor = "このデバイスの設定ファイル(%s)ではありません。";
constexpr const char* kOtherUnitsAddress
    = "このファイルには別のデバイスのネットワーク設定が含まれています。\n"
      "ファイル: IP %s / マスク %s / ゲートウェイ %s\n"
      "このデバイス: IP %s / マスク %s / ゲートウェイ %s\n"
      "同じアドレスのデバイスが2台あると、両方とも通信できなくなります。\n"
      "ファイルのネットワーク設定を書き込みますか？\n"
      "（いいえ: このデバイスの現在のネットワーク設定を残します）";

} // namespace kovra::texts
