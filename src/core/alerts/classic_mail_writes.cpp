#include "core/alerts/classic_mail_writes.h"

#include "core/alerts/hex_count.h"
#include "core/net/command_messages.h"
#include "core/settings/settings_message.h"
#include "core/units/model_table.h"
#include "core/units/unit_settings.h"

#include <string_view>

namespace kovra {

namespace {

constexpr int kModelDiModes = 2;
constexpr int kModelDiFlag = 4;
constexpr int kModelNoDi = 8;
constexpr int kModelTwoAo = 9;
constexpr int kModelThreeAo = 11;
constexpr int kMaskRegister = 0x43; // "MW0432"
constexpr int kMaskRegisterNewer = 0x45; // "MW0457" on kind 4
constexpr int kMaskPauseMs = 20;

constexpr size_t kAkLength = 13;
constexpr uint8_t kAkChannelOffset = 0x20;
constexpr uint8_t kEndMark = 0xC8;
constexpr uint8_t kModeBase = 0x20;
constexpr uint8_t kFlagBit = 0x08;
constexpr uint8_t kLedOutsideBit = 0x04;
constexpr uint8_t kMailBits = 0x03;
constexpr size_t kModeOffset = 3;
constexpr size_t kLowOffset = 4;
constexpr size_t kHighOffset = 8;
constexpr size_t kAkCountDigits = 4;

} // namespace

DiMaskPath diMaskPath(const UnitRecord& unit)
{
    if (unit.kind == kKindNewerWired || unit.kind == kKindWifi)
        return DiMaskPath::Accessors;
    if (unit.modelIndex == kModelDiModes || unit.modelIndex == kModelDiFlag)
        return DiMaskPath::InRecords;
    if (unit.modelIndex == kModelTwoAo || unit.modelIndex == kModelThreeAo)
        return DiMaskPath::MemoryWrite;
    if (unit.modelIndex == kModelNoDi)
        return DiMaskPath::None;
    return DiMaskPath::ShortCommands;
}

int diMaskRegister(const UnitRecord& unit)
{
    return unit.kind == kKindNewerWired ? kMaskRegisterNewer : kMaskRegister;
}

int analogAlertCode(const ClassicAnalogRow& row)
{
    return (row.mail & kMailBits) | (row.led == kLedOutside ? kLedOutsideBit : 0);
}

WritePlan classicInputWrites(const UnitRecord& unit, const ClassicMailValues& values, int analogCount)
{
    WritePlan plan;
    switch (diMaskPath(unit)) {
    case DiMaskPath::Accessors:
        plan.push_back(AccessorStep { Accessor::A, values.enableMask });
        plan.push_back(AccessorStep { Accessor::B, values.edgeMask });
        break;
    case DiMaskPath::ShortCommands:
        plan.push_back(AccessorStep { Accessor::A, values.enableMask, kMaskPauseMs });
        plan.push_back(
            AccessorStep { Accessor::B, values.edgeMask, unit.kind == kKindWiredGc ? kMaskPauseMs : 0 });
        break;
    case DiMaskPath::MemoryWrite:
        plan.push_back(MemoryStep { diMaskRegister(unit), { values.edgeMask, values.enableMask } });
        break;
    case DiMaskPath::InRecords:
    case DiMaskPath::None:
        break;
    }
    DirectStep analog;
    for (int channel = 0; channel < analogCount && channel < kClassicAnalogRows; ++channel) {
        const ClassicAnalogRow& row = values.analog[size_t(channel)];
        const CommandBytes request
            = buildAlRequest(channel, analogAlertCode(row), row.flag, uint16_t(row.low), uint16_t(row.high));
        analog.requests.push_back({ std::string(request.begin(), request.end()), kAlAnswerLength, true, 0 });
    }
    if (!analog.requests.empty())
        plan.push_back(std::move(analog));
    return plan;
}

std::string classicTestMessage(const MailAccountValues& account)
{
    UnitSettings settings;
    settings.mailHost = account.server;
    settings.mailPort = account.port;
    settings.mailUser = account.user;
    settings.mailPass = account.password;
    settings.mailFrom = account.sender;
    settings.mailTo1 = account.to1;
    settings.mailTo2 = account.to2;
    settings.mailSubject = account.message;
    return singleMailMessage(settings, true);
}

bool parseAnalogAlertAnswer(const uint8_t* answer, size_t length, int channel, ClassicAnalogRow& row)
{
    if (answer == nullptr || length != kAkLength || answer[0] != 'a' || answer[1] != 'k'
        || answer[2] != kAkChannelOffset + channel || answer[kAkLength - 1] != kEndMark)
        return false;
    const uint8_t mode = answer[kModeOffset];
    if (mode < kModeBase || mode >= kModeBase + 0x10 || (mode & kMailBits) > kAnalogMailUnlit)
        return false;
    const std::string_view text(reinterpret_cast<const char*>(answer), length);
    const auto low = hexToRaw(text.substr(kLowOffset, kAkCountDigits));
    const auto high = hexToRaw(text.substr(kHighOffset, kAkCountDigits));
    if (!low || !high)
        return false;
    row.mail = mode & kMailBits;
    row.led = (mode & kLedOutsideBit) ? kLedOutside : kLedInside;
    row.flag = (mode & kFlagBit) != 0;
    row.low = *low;
    row.high = *high;
    return true;
}

} // namespace kovra
