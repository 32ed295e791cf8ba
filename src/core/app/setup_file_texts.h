#pragma once

// The texts of the bulk save and bulk write buttons (UTF-8).
namespace kovra::texts {

constexpr const char* kEnterFileName = "ファイル名を入力してください。";
constexpr const char* kReadFailed = "設定の読み込みに失敗しました。";
constexpr const char* kOpenError = "OpenError";
constexpr const char* kWriteQuestion = "設定データを書き込みます。\n本当に実行しますか？";

} // namespace kovra::texts
