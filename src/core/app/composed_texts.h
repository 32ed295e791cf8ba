#pragma once

// Every message the core composes from pieces at run time (UTF-8), with numbered places for
// the pieces (see composeText). Each is one entry of the catalogue, so the edge translates a
// composed message as a whole: systemText recognises these patterns in a text that has no entry
// of its own and translates the pattern and each piece.
namespace kovra::texts {

// The mail forms' refusals that name a field; a field of the entry mail form is named per DI.
constexpr const char* kControlByteRefusal = "%1に改行などの制御文字は使えません。";
constexpr const char* kTooManyBytesRefusal = "%1は%2バイト以内で入力してください。";
constexpr const char* kTooManyCharactersRefusal = "%1は%2文字以内で入力してください。";
constexpr const char* kNotCarriedRefusal = "%1は空白を含まない半角英数字・記号で入力してください。";
constexpr const char* kEntryFieldCaption = "DI%1 の%2";
constexpr const char* kThresholdRefusal = "AI%1の閾値設定が正しくありません。";

// The bulk write: a file refused before any traffic, and a .lwi that would give this unit
// another unit's address.
constexpr const char* kNotSetupFileFor = "このデバイスの設定ファイル(%1)ではありません。";
constexpr const char* kOtherUnitsAddress
    = "このファイルには別のデバイスのネットワーク設定が含まれています。\n"
      "ファイル: IP %1 / マスク %2 / ゲートウェイ %3\n"
      "このデバイス: IP %4 / マスク %5 / ゲートウェイ %6\n"
      "同じアドレスのデバイスが2台あると、両方とも通信できなくなります。\n"
      "ファイルのネットワーク設定を書き込みますか？\n"
      "（いいえ: このデバイスの現在のネットワーク設定を残します）";

// The status line after a search in which units answered but could not be listed.
constexpr const char* kUnitsNotListed = "応答したが一覧に表示できないユニット: %1台 (%2)";

// The patterns above, for the edge to recognise.
constexpr const char* kComposedPatterns[]
    = { kControlByteRefusal, kTooManyBytesRefusal, kTooManyCharactersRefusal, kNotCarriedRefusal,
          kEntryFieldCaption, kThresholdRefusal, kNotSetupFileFor, kOtherUnitsAddress, kUnitsNotListed };

} // namespace kovra::texts
