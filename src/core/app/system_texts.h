#pragma once

// The system's own texts, as the operator sees them (UTF-8). The GUI passes them through
// its translator, so an English translation can be added without touching the core.
namespace kovra::texts {

constexpr const char* kProgramTitle = "KOVRAset";
constexpr const char* kNoNetworkDevice = "ネットワークデバイスが見つかりませんでした。";
constexpr const char* kSearching = "検索中…";
constexpr const char* kCommunicationError = "通信エラー";
constexpr const char* kCannotAdd = "追加できません";
constexpr const char* kSettingDoneRestart = "設定完了しました。\nデバイスを再起動します。";
constexpr const char* kSettingFailed = "設定に失敗しました。";

} // namespace kovra::texts
