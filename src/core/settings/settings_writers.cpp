#include "core/settings/settings_writers.h"

#include "core/net/command_messages.h"
#include "core/settings/settings_reader.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr LineEnd kCrlf = LineEnd::Crlf;

constexpr char kNoReset[] = "NORESET";
constexpr char kMailTest[] = "MTEST";

// Sketch versions that change what a kind 3 unit takes.
constexpr int kERstAfterSketch = 126; // E_RST with the connection settings above this
constexpr int kKeepAliveWifiAfterSketch = 118; // Wi-Fi and address keys above this ...
constexpr int kKeepAliveWifiSketch = 99; // ... and on this one version

// The input-extension modes of the connections dialog.
constexpr int kExtensionBoth = 1; // DI and DO settings
constexpr int kExtensionDiOnly = 2;

// DO modes as the units keep them.
constexpr int kDoModeNormal = 0;
constexpr int kDoModeOption = 1;
constexpr int kDoModeOneShot = 2;
constexpr int kKeepAliveStepSeconds = 5; // KEEP_A counts in 5-second steps

constexpr int kMaxPort = 65535;

// The mode value: "MR", register 049h, one byte, C8h; "AP", value + 20h, C8h.
constexpr char kModeReadText[] = "MR0491";
constexpr char kModeWriteLetters[] = "AP";
constexpr size_t kModeValueOffset = 6; // where the memory read puts its data
constexpr size_t kModeValueDigits = 2;

int channelsOf(int count)
{
    return std::clamp(count, 0, kChannelCount);
}

// A one-shot time wins over the option bit.
int doModeOf(const DoModeValues& values, size_t i)
{
    if (values.oneShot[i] != 0)
        return kDoModeOneShot;
    return (values.startOnMask >> i & 1u) != 0 ? kDoModeOption : kDoModeNormal;
}

} // namespace

bool entryMailScrambled(int kind, int sketchVersion)
{
    return kind == kKindThirdName || (kind == kKindKovra4 && sketchVersion >= kGetParamSketchVersion);
}

bool connectionHasERst(int kind, int sketchVersion)
{
    return kind == kKindWifi && sketchVersion > kERstAfterSketch;
}

std::string singleMailCrlfMessage(const UnitSettings& settings, bool test)
{
    SettingsMessage message;
    message.pair("MHOST", settings.mailHost, kCrlf)
        .pair("MPORT", settings.mailPort, kCrlf)
        .pair("MUSER", settings.mailUser, kCrlf)
        .pair("MPASS", settings.mailPass, kCrlf)
        .pair("MFROM", settings.mailFrom, kCrlf)
        .pair("MTO1", settings.mailTo1, kCrlf)
        .pair("MTO2", settings.mailTo2, kCrlf)
        .pair("MSUBJ", settings.mailSubject, kCrlf);
    // This form never restarts the unit, test or not.
    message.flag(kNoReset, kCrlf);
    if (test)
        message.flag(kMailTest, kCrlf);
    return message.end(kCrlf).text();
}

std::string entryMailMessage(const std::array<MailEntry, kChannelCount>& entries, int diCount, bool scrambled,
    const std::vector<EntryPads>& pads)
{
    SettingsMessage message;
    for (int i = 0; i < channelsOf(diCount); ++i) {
        const size_t at = size_t(i);
        const EntryPads entryPads = !scrambled ? EntryPads {} : at < pads.size() ? pads[at] : drawEntryPads();
        appendEntryBlock(message, i + 1, entries[at], scrambled, entryPads);
    }
    return message.end(kCrlf).text();
}

std::string entryMailMessage(const std::array<MailEntry, kChannelCount>& entries, int diCount, bool scrambled)
{
    return entryMailMessage(entries, diCount, scrambled, {});
}

std::string connectionMessage(const UnitSettings& settings, bool withERst)
{
    SettingsMessage message;
    message.pair("PORT", settings.ports[0], kCrlf)
        .pair("HIP", settings.remoteHosts[0], kCrlf)
        .pair("HPORT", settings.remotePorts[0], kCrlf);
    if (withERst)
        message.pair("E_RST", settings.eRstOption, kCrlf);
    return message.end(kCrlf).text();
}

void takeConnectionPort(UnitRecord& unit, const UnitSettings& settings)
{
    const int port = settings.ports[0];
    if (port >= 1 && port <= kMaxPort)
        unit.setUnitPort(uint16_t(port));
}

std::string connectionsMessage(const UnitSettings& settings, int extensionMode, int diCount, int doCount)
{
    SettingsMessage message;
    for (size_t i = 0; i < settings.ports.size(); ++i) {
        const int n = int(i) + 1;
        message.pair("PORT%d", n, settings.ports[i], kCrlf)
            .pair("HIP%d", n, settings.remoteHosts[i], kCrlf)
            .pair("HPORT%d", n, settings.remotePorts[i], kCrlf);
    }
    message.pair("SOCK", settings.sockMode, kCrlf)
        .pair("NOTICE", settings.notice, kCrlf)
        .pair("DISCON", settings.discon, kCrlf)
        .pair("RQ_RST", settings.rqReset, kCrlf)
        .pair("DETECT", settings.detect, kCrlf);
    if (extensionMode == kExtensionBoth || extensionMode == kExtensionDiOnly) {
        for (int i = 0; i < channelsOf(diCount); ++i)
            message.pair("DI%d_EX", i + 1, settings.diExtension[size_t(i)], kCrlf);
    }
    if (extensionMode == kExtensionBoth) {
        for (int i = 0; i < channelsOf(doCount); ++i)
            message.pair("DO%d_EX", i + 1, settings.doExtension[size_t(i)], kCrlf);
    }
    return message.end(kCrlf).text();
}

bool keepAliveHasWifi(int sketchVersion)
{
    return sketchVersion > kKeepAliveWifiAfterSketch || sketchVersion == kKeepAliveWifiSketch;
}

std::string keepAliveMessage(const UnitSettings& settings, int sketchVersion, const std::string& ipText,
    const std::string& maskText, const std::string& gatewayText)
{
    SettingsMessage message;
    message.pair("K_IDL", settings.keepIdle, kCrlf)
        .pair("K_INT", settings.keepInterval, kCrlf)
        .pair("K_CNT", settings.keepCount, kCrlf);
    if (keepAliveHasWifi(sketchVersion)) {
        message.pair("AP", settings.apMode, kCrlf)
            .pair("SSID", settings.wifiSsid, kCrlf)
            .pair("PASS", settings.wifiPass, kCrlf)
            .pair("AP_CH", settings.apChannel, kCrlf)
            .pair("IP", ipText, kCrlf)
            .pair("SUBM", maskText, kCrlf)
            .pair("GWAY", gatewayText, kCrlf);
    }
    return message.end(kCrlf).text();
}

DoModeValues doModeValues(const UnitSettings& settings)
{
    DoModeValues values;
    values.keepAliveSeconds = settings.keepInterval * kKeepAliveStepSeconds;
    for (size_t i = 0; i < size_t(kChannelCount); ++i) {
        if (settings.doMode[i] == kDoModeOption)
            values.startOnMask |= 1u << i;
        if (settings.doMode[i] == kDoModeOneShot)
            values.oneShot[i] = settings.doOneShot[i];
    }
    return values;
}

std::string doModesMessage(const DoModeValues& values, int doCount)
{
    SettingsMessage message;
    for (int i = 0; i < channelsOf(doCount); ++i) {
        const size_t at = size_t(i);
        const int mode = doModeOf(values, at);
        message.pair("DO%d_MD", i + 1, mode, kCrlf)
            .pair("DO%d_OT", i + 1, mode == kDoModeOneShot ? values.oneShot[at] : 0, kCrlf);
    }
    message.pair("KEEP_A", values.keepAliveSeconds / kKeepAliveStepSeconds, kCrlf);
    return message.end(kCrlf).text();
}

void storeDoModes(UnitSettings& settings, const DoModeValues& values, int doCount)
{
    for (int i = 0; i < channelsOf(doCount); ++i) {
        const size_t at = size_t(i);
        settings.doMode[at] = doModeOf(values, at);
        settings.doOneShot[at] = settings.doMode[at] == kDoModeOneShot ? values.oneShot[at] : 0;
    }
    settings.keepInterval = values.keepAliveSeconds / kKeepAliveStepSeconds;
}

std::string sockKeepAliveMessage(int sockMode, int keepIdle, int keepInterval, int keepCount)
{
    SettingsMessage message;
    message.pair("SOCK", sockMode, kCrlf)
        .pair("K_IDL", keepIdle, kCrlf)
        .pair("K_INT", keepInterval, kCrlf)
        .pair("K_CNT", keepCount, kCrlf);
    return message.end(kCrlf).text();
}

std::string modeReadRequest()
{
    return std::string(kModeReadText) + char(kFrameEnd);
}

bool parseModeReadAnswer(const std::string& answer, int& value)
{
    if (answer.size() != kModeReadAnswerLength)
        return false;
    uint32_t parsed = 0;
    if (!parseHexField(
            reinterpret_cast<const uint8_t*>(answer.data()) + kModeValueOffset, kModeValueDigits, parsed))
        return false;
    value = int(parsed);
    return true;
}

std::string modeWriteRequest(int value)
{
    // The value travels as one byte + 20h; a byte of C8h would end the request early.
    const int byte = value + kChannelOffset;
    if (value < 0 || byte > 0xFF || byte == kFrameEnd)
        return {};
    return std::string(kModeWriteLetters) + char(byte) + char(kFrameEnd);
}

} // namespace kovra
