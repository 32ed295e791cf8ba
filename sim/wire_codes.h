#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The bytes a unit of the binary family sees and sends, from the unit's side.
namespace sim {

// Discovery port (UDP). Requests are a 4-byte header 00 xx 00 code; answers reuse the layout.
constexpr uint16_t kDiscoveryPort = 30718;
constexpr size_t kHeaderLength = 4;
constexpr size_t kCodeOffset = 3;
constexpr size_t kWriteFlagOffset = 1;
constexpr uint8_t kWriteContinues = 0x01; // header 00 01 00 (C0h + n): more records follow, no restart
constexpr uint8_t kSearchRequestCode = 0xF6; // search request A: 00 00 00 F6
constexpr char kSearchRequestB[] = "LN"; // search request B
constexpr uint8_t kSearchAnswerCode = 0xF7;
constexpr uint8_t kFirmwareQueryCode = 0xF4;
constexpr uint8_t kFirmwareAnswerCode = 0xF5;
constexpr uint8_t kRecordQueryBase = 0xE0; // 00 00 00 (E0h + n)
constexpr uint8_t kRecordAnswerBase = 0xE8;
constexpr uint8_t kRecordWriteBase = 0xC0; // 00 00 00 (C0h + n) or 00 01 00 (C0h + n)
constexpr uint8_t kRecordWriteAnswerBase = 0xC8;
constexpr uint8_t kAddressSetCode = 0xFC;
constexpr char kAddressSetMark[] = "IP-SETUP";
constexpr size_t kRecordCount = 8;
constexpr size_t kRecord0Length = 124;
constexpr size_t kRecordLength = 130;
constexpr size_t kWriteAnswerLength = 4;
constexpr size_t kFirmwareAnswerLength = 33;
constexpr size_t kFirmwareTextOffset = 16;
constexpr size_t kFirmwareTextMax = kFirmwareAnswerLength - kFirmwareTextOffset - 1; // NUL-terminated
constexpr size_t kAddressSetLength = 20;
constexpr size_t kAddressSetMacOffset = 14; // hardware-address bytes 4 and 5
constexpr size_t kAddressSetAddressOffset = 16;

// Search answer layout (30 bytes).
constexpr size_t kSearchAnswerLength = 30;
constexpr size_t kSearchInfoOffset = 5; // bytes 5 and 6: two values in the high nibbles
constexpr size_t kSearchTypePairOffset = 8;
constexpr size_t kSearchAddressOffset = 10;
constexpr size_t kSearchPortOffset = 14;
constexpr size_t kSearchMacOffset = 24;

// Record 0 fields.
constexpr size_t kRecord0AddressOffset = 4;
constexpr size_t kRecord0HostBitsOffset = 10;
constexpr size_t kRecord0GatewayOffset = 16;
constexpr size_t kRecord0PortOffset = 24; // little-endian

// Fixed TCP ports of the text-protocol units, which their command port never takes.
constexpr uint16_t kSettingsPort = 9998; // settings messages and parameter reads
constexpr uint16_t kConsolePort = 9999; // the line console of memory blocks

// Command port (TCP).
constexpr uint8_t kEndMark = 0xC8; // ends every framed request and variable-length answer
constexpr uint8_t kEchoOffset = 0x20; // answers start with the request's first two bytes + 20h
constexpr uint8_t kChannelOffset = 0x20; // channel and index bytes travel as value + 20h
constexpr size_t kMaxFrameLength = 64; // longer frames without end mark are dropped
constexpr char kOldModelQuery[] = "UU";
constexpr char kModelQuery[] = "MI";
constexpr uint8_t kModelNotAnswer = 0x70; // model bits all set: not a model answer
constexpr uint8_t kCascadePass = 0x0F; // a nibble of 0Fh passes the model number on to the next byte
constexpr uint8_t kShortRead = 0x90; // {90h, subcode} -> {90h, value}
constexpr uint8_t kShortWriteFirst = 0x91; // {91h + i, value} stores value i, read back with subcode i
constexpr uint8_t kShortWriteLast = 0x9F;
constexpr size_t kShortValueCount = kShortWriteLast - kShortWriteFirst + 1;
constexpr size_t kRegisterCount = 0x80; // register codes are below 80h
constexpr size_t kRegisterDigits = 3;
constexpr size_t kAlertChannelCount = 16;
constexpr size_t kNoticeCount = 16;
constexpr uint8_t kMaxResetValue = 10;
constexpr char kAnswerOk[] = "OK";
constexpr char kAnswerRefused[] = "NG";

// The echo rule: an answer starts with the request's first two bytes plus 20h each.
inline std::string echo(const std::string& request)
{
    return std::string { static_cast<char>(request.at(0) + kEchoOffset),
        static_cast<char>(request.at(1) + kEchoOffset) };
}

} // namespace sim
