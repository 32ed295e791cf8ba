#include "core/app/setting_command_choice.h"

#include "core/alerts/analog_mail_paths.h"
#include "core/alerts/mail_alert_paths.h"
#include "core/alerts/single_mail_path.h"
#include "core/app/setting_command_texts.h"
#include "core/app/system_texts.h"
#include "core/functions/input_extension_paths.h"
#include "core/functions/other_settings_paths.h"
#include "core/units/model_table.h"

namespace kovra {

namespace {

constexpr int kModbusTcpSock = 3;
constexpr int kUnitModeSwitched = 1; // rotary switch at F (kind 7), TMODE on (kind 5)
constexpr int kScrambledSketchVersion = 103; // kind 5 from here on: Modbus check, scrambled form
constexpr int kKeepAliveWifiOldSketch = 99;
constexpr int kKeepAliveWifiFromSketch = 110; // above this
constexpr int kAnalogDialogModel = 8;
constexpr int kTwoAoModel = 9;
constexpr int kThreeAoModel = 11;
constexpr int kExtensionModelException = 2;

bool isAnalogDialogModel(int model)
{
    return model == kAnalogDialogModel || model == kTwoAoModel || model == kThreeAoModel;
}

// The kinds that keep their settings in stored records and take binary commands.
bool isBinaryKind(int kind)
{
    return kind == kKindWired || kind == kKindWiredGc || kind == kKindNewerWired;
}

int modelAiCount(int model)
{
    return modelCapabilities(model)[kCapAiCount];
}

} // namespace

std::string mailAlertRefusal(const UnitSlot& unit)
{
    const UnitRecord& record = unit.record;
    const UnitSettings& settings = unit.settings;
    if (record.kind == kKindWifiModule)
        return texts::kCannotSetThisDevice;
    if (record.modelIndex == kModelUnknown)
        return texts::kCommunicationError;
    if (record.kind == kKindWifi)
        return {};
    if (record.kind == kKindKovra4 || record.kind == kKindThirdName) {
        if (modelDiCount(record.modelIndex) == 0)
            return texts::kNoMailAlert;
        const bool modbusChecked
            = record.kind == kKindThirdName || settings.sketchVersion >= kScrambledSketchVersion;
        if (modbusChecked && settings.sockMode == kModbusTcpSock)
            return texts::kNoMailAlertModbus;
        if (settings.unitMode == kUnitModeSwitched)
            return record.kind == kKindThirdName ? texts::kNoMailAlertRotaryF : texts::kNoMailAlertTmode;
        return {};
    }
    if (modelCapabilities(record.modelIndex)[kCapMailAlertKind] == 0)
        return texts::kNoMailAlert;
    return {};
}

std::string inputExtensionRefusal(const UnitSlot& unit)
{
    const UnitRecord& record = unit.record;
    const int extensionKind = modelCapabilities(record.modelIndex)[kCapExtensionKind];
    if (extensionKind == 2 && record.kind != kKindWifi)
        return texts::kNoInputExtension;
    const bool known = extensionKind >= 1 && extensionKind <= 3;
    if (!known && record.modelIndex != kExtensionModelException && record.kind != kKindWiredGc)
        return texts::kNoInputExtension;
    return {};
}

std::string otherSettingsRefusal(const UnitSlot& unit)
{
    const UnitRecord& record = unit.record;
    if (record.kind != kKindWifi || modelAiCount(record.modelIndex) > 0)
        return {};
    const int sketch = unit.settings.sketchVersion;
    if (sketch == kKeepAliveWifiOldSketch || sketch > kKeepAliveWifiFromSketch)
        return {};
    return texts::kNoOtherFunctions;
}

namespace {

std::unique_ptr<DialogPath> otherSettingsPath(const UnitSlot& unit)
{
    const UnitRecord& record = unit.record;
    if (record.kind == kKindQx)
        return makeUdpKeepAlivePath(unit);
    if (modelAiCount(record.modelIndex) > 0)
        return record.modelIndex == kAnalogDialogModel ? makeAnalogSettingsPath(unit)
                                                       : makeThermoSettingsPath(unit);
    if (record.kind == kKindNewerWired || record.kind == kKindKovra4 || record.kind == kKindThirdName)
        return makeDoModesPath(unit);
    if (record.kind == kKindWifi)
        return makeKeepAliveWifiPath(unit);
    if (isAnalogDialogModel(record.modelIndex))
        return makeAnalogSettingsPath(unit);
    return makeKeepAliveTimePath(unit);
}

} // namespace

SettingChoice chooseSettingPath(SettingCommand command, const UnitSlot& unit, bool wifiMask)
{
    SettingChoice choice;
    switch (command) {
    case SettingCommand::MailAlert:
        // Kinds 5 and 7 get the per-input dialog, kind 3 its one account, the binary kinds the
        // classic dialog and the remaining kind (6) the two- or five-channel dialog.
        choice.refusal = mailAlertRefusal(unit);
        if (choice.refusal.empty() && (unit.record.kind == kKindKovra4 || unit.record.kind == kKindThirdName))
            choice.path = makeEntryMailPath(unit);
        else if (choice.refusal.empty() && unit.record.kind == kKindWifi)
            choice.path = makeSingleMailPath(unit);
        else if (choice.refusal.empty() && isBinaryKind(unit.record.kind))
            choice.path = makeClassicMailPath(unit);
        else if (choice.refusal.empty())
            choice.path = makeAnalogMailPath(unit); // the QX units' two- and five-channel dialogs
        break;
    case SettingCommand::InputExtension:
        choice.refusal = inputExtensionRefusal(unit);
        // Kinds 5 and 7 take their four connections by the settings message, kinds 3 and 6
        // connection 1 and the timing; kind 2 its module's tunnels, the binary kinds their
        // stored records.
        if (!choice.refusal.empty())
            break;
        if (unit.record.kind == kKindKovra4 || unit.record.kind == kKindThirdName)
            choice.path = makeConnectionsPath(unit);
        else if (unit.record.kind == kKindWifi || unit.record.kind == kKindQx)
            choice.path = makeTcpExtensionPath(unit, wifiMask);
        else if (unit.record.kind == kKindWifiModule)
            choice.path = makeModuleTunnelPath(unit);
        else
            choice.path = makeExtensionRecordsPath(unit);
        break;
    case SettingCommand::OtherSettings:
        choice.refusal = otherSettingsRefusal(unit);
        if (choice.refusal.empty())
            choice.path = otherSettingsPath(unit);
        break;
    }
    return choice;
}

} // namespace kovra
