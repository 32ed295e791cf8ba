#include "core/functions/connections_form.h"

#include "core/app/user_interface.h"
#include "core/platform/cp932_text.h"
#include "core/units/model_table.h"
#include "core/units/unit_record.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace kovra {

namespace {

constexpr int kListenPortMin = 10000;
constexpr int kPortMax = 65535;
constexpr int kHostPortMin = 1;
constexpr int kNoModelDis = 4; // a model whose DIs are not extended
constexpr int kChecksModelA = 2; // kind 7 models with the individual extension checks
constexpr int kChecksModelB = 5;
constexpr int kModbusFromSketch = 103; // kind 5 shows Modbus TCP (and may show old mode) from here
constexpr int kNotExtended = -1;
constexpr int kDisconNone = -1;
constexpr int kNoticeNone = 0;
constexpr char kNoAddress[] = "0.0.0.0";
constexpr char kBlanks[] = " \t";
constexpr uint8_t kFirstPrintable = 0x20;
constexpr uint8_t kDelete = 0x7F;

constexpr const char* kPortRange = "ポート番号は10000-65535の範囲で設定してください。";
constexpr const char* kPortsDiffer = "接続待ちポート設定は全て違う番号に設定してください。";
constexpr const char* kPortOneNeeded = "接続1はポート設定が必要です。";
constexpr const char* kHostPortRange = "接続先ポート番号を1-65535の範囲で設定してください。";
constexpr const char* kTimingExclusive = "切断時間と定期通知時間はどちらかのみ設定可能です";
constexpr const char* kResetNeedsNotice
    = "無通信時リセット要求は、定期通知設定をNone以外に設定時の機能です。";
constexpr const char* kPeerDosDiffer = "本機からの送信先DOは、全て異なるDOにする必要があります。";
constexpr const char* kLeaveNormalQuestion
    = "TCP通信モード以外では、弊社ツールが動作しない等、挙動が大きく変わります。\n切り替えますか？";

const std::vector<ChoiceItem> kModeChoices = {
    { "normal", kSockNormal },
    { "udp", kSockUdp },
    { "old", kSockOld },
    { "modbus", kSockModbus },
};

// "延長しない"/"反映しない" then the peer's channels 1..8, by their stored value (-1..7).
std::vector<ChoiceItem> peerChoices(const char* prefix)
{
    std::vector<ChoiceItem> choices { { "none", kNotExtended } };
    for (int n = 0; n < kChannelCount; ++n)
        choices.push_back({ prefix + std::to_string(n + 1), n });
    return choices;
}

// A byte that would break a settings message line (line ends among them).
bool isControlByte(char c)
{
    return uint8_t(c) < kFirstPrintable || uint8_t(c) == kDelete;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// An edit's number: the trimmed text read as decimal, 0 when empty or not a number.
int editNumber(const std::string& text)
{
    return int(std::strtol(trimmed(text).c_str(), nullptr, 10));
}

std::string portEditText(int value)
{
    return value == 0 ? std::string() : std::to_string(value);
}

bool inList(const std::vector<ChoiceItem>& choices, int value)
{
    return std::any_of(
        choices.begin(), choices.end(), [value](const ChoiceItem& c) { return c.value == value; });
}

// The row of the stored value, or row 0 when the list has none.
int listValue(const std::vector<ChoiceItem>& choices, int value)
{
    return inList(choices, value) ? value : choices.front().value;
}

int peerValue(int value)
{
    return value >= kNotExtended && value < kChannelCount ? value : kNotExtended;
}

int layoutOf(int kind, int modelId)
{
    if (kind == kKindKovra4)
        return kLayoutMapping;
    if (kind == kKindThirdName && (modelId == kChecksModelA || modelId == kChecksModelB))
        return kLayoutChecks;
    return kLayoutNone;
}

int diCountOf(int modelId)
{
    return modelId == kNoModelDis ? 0 : std::clamp(modelDiCount(modelId), 0, kChannelCount);
}

} // namespace

const std::vector<ChoiceItem>& ConnectionsForm::disconChoices()
{
    static const std::vector<ChoiceItem> choices = {
        { "0ms", 50 }, // the units take 50 ms for "no wait"
        { "300ms", 300 },
        { "500ms", 500 },
        { "1sec", 1000 },
        { "3sec", 3000 },
        { "5sec", 5000 },
        { "10sec", 10000 },
        { "30sec", 30000 },
        { "50sec", 50000 },
        { "1min", 60000 },
        { "3min", 180000 },
        { "5min", 300000 },
        { "10min", 600000 },
        { "30min", 1800000 },
        { "50min", 3000000 },
        { "None", kDisconNone },
    };
    return choices;
}

const std::vector<ChoiceItem>& ConnectionsForm::noticeChoices()
{
    static const std::vector<ChoiceItem> choices = {
        { "None", kNoticeNone },
        { "10sec", 10000 },
        { "30sec", 30000 },
        { "60sec", 60000 },
        { "180sec", 180000 },
    };
    return choices;
}

const std::vector<ChoiceItem>& ConnectionsForm::detectChoices()
{
    static const std::vector<ChoiceItem> choices = [] {
        constexpr int kFirstMs = 4;
        constexpr int kLastMs = 20;
        std::vector<ChoiceItem> list;
        for (int ms = kFirstMs; ms <= kLastMs; ++ms)
            list.push_back({ std::to_string(ms) + "ms", ms });
        return list;
    }();
    return choices;
}

ConnectionsForm::ConnectionsForm(int kind, int modelId, const UnitSettings& settings)
    : m_kind(kind)
    , m_layout(layoutOf(kind, modelId))
    , m_diCount(diCountOf(modelId))
    , m_doCount(std::clamp(modelDoCount(modelId), 0, kChannelCount))
    , m_sketchVersion(settings.sketchVersion)
    , m_storedMode(settings.sockMode)
    , m_accepted(settings)
{
    if (m_kind == kKindKovra4) {
        m_oldModeShown = false;
        m_modbusShown = m_sketchVersion >= kModbusFromSketch;
    }
    load(settings);
    for (int connection = 0; connection < kConnectionCount; ++connection)
        addConnectionFields(connection);
    if (timingShown()) {
        addChoiceField("discon", disconChoices(), m_discon);
        addChoiceField("notice", noticeChoices(), m_notice);
        addCheckField("reset-request", m_resetRequest);
        addChoiceField("detect", detectChoices(), m_detect);
    }
    addMappingFields();
    addModeField();
}

void ConnectionsForm::load(const UnitSettings& settings)
{
    for (size_t i = 0; i < size_t(kConnectionCount); ++i) {
        m_ports[i] = portEditText(settings.ports[i]);
        std::string host = trimmed(settings.remoteHosts[i]);
        // What a unit reports is cut to what a message can carry back.
        const auto control = std::find_if(host.begin(), host.end(), isControlByte);
        host.erase(control, host.end());
        if (host.size() > kSettingTextMax)
            host.resize(kSettingTextMax);
        m_hosts[i] = host == kNoAddress ? std::string() : host;
        m_hostPorts[i] = portEditText(settings.remotePorts[i]);
    }
    // Without DIs the timing is neither shown nor touched: it goes back as the unit holds it.
    if (timingShown()) {
        m_discon = listValue(disconChoices(), settings.discon);
        m_notice = listValue(noticeChoices(), settings.notice);
        m_detect = listValue(detectChoices(), settings.detect);
        m_resetRequest = settings.rqReset != 0;
    }
    for (size_t n = 0; n < size_t(kChannelCount); ++n) {
        m_diTargets[n] = peerValue(settings.diExtension[n]);
        m_doSources[n] = peerValue(settings.doExtension[n]);
        m_diChecks[n] = settings.diExtension[n] != kNotExtended;
    }
    m_mode = settings.sockMode;
}

void ConnectionsForm::addConnectionFields(int connection)
{
    addField({ portFieldName(connection), FormField::Kind::Number, {},
        [this, connection] { return portText(connection); },
        [this, connection](const std::string& text) { return setPortText(connection, text); } });
    addField({ hostFieldName(connection), FormField::Kind::Text, {},
        [this, connection] { return cp932ToUtf8(hostText(connection)); },
        [this, connection](const std::string& text) { return setHostText(connection, utf8ToCp932(text)); } });
    addField({ hostPortFieldName(connection), FormField::Kind::Number, {},
        [this, connection] { return hostPortText(connection); },
        [this, connection](const std::string& text) { return setHostPortText(connection, text); } });
}

void ConnectionsForm::addMappingFields()
{
    if (m_layout == kLayoutMapping) {
        static const std::vector<ChoiceItem> diChoices = peerChoices("do");
        static const std::vector<ChoiceItem> doChoices = peerChoices("di");
        for (int row = 0; row < diRows(); ++row)
            addChoiceField(diFieldName(row), diChoices, m_diTargets[size_t(row)]);
        for (int row = 0; row < doRows(); ++row)
            addChoiceField(doFieldName(row), doChoices, m_doSources[size_t(row)]);
    } else if (m_layout == kLayoutChecks) {
        for (int row = 0; row < diRows(); ++row)
            addCheckField(diFieldName(row), m_diChecks[size_t(row)]);
    }
}

void ConnectionsForm::addModeField()
{
    std::vector<ChoiceItem> shown;
    for (const auto& choice : kModeChoices)
        if (modeShown(choice.value))
            shown.push_back(choice);
    addField({ "mode", FormField::Kind::Choice, shown, [this] { return choiceText(kModeChoices, m_mode); },
        [this](const std::string& text) {
            for (const auto& choice : kModeChoices) {
                if (choice.text == text && modeShown(choice.value)) {
                    setMode(choice.value);
                    return true;
                }
            }
            return false;
        } });
}

std::string ConnectionsForm::portFieldName(int connection)
{
    return "port" + std::to_string(connection + 1);
}

std::string ConnectionsForm::hostFieldName(int connection)
{
    return "host" + std::to_string(connection + 1);
}

std::string ConnectionsForm::hostPortFieldName(int connection)
{
    return "host-port" + std::to_string(connection + 1);
}

std::string ConnectionsForm::diFieldName(int row)
{
    return "di" + std::to_string(row + 1) + ".ext";
}

std::string ConnectionsForm::doFieldName(int row)
{
    return "do" + std::to_string(row + 1) + ".ext";
}

bool ConnectionsForm::hostTextAllowed(const std::string& cp932)
{
    return cp932.size() <= kSettingTextMax && std::none_of(cp932.begin(), cp932.end(), isControlByte);
}

int ConnectionsForm::diRows() const
{
    if (m_layout == kLayoutMapping)
        return std::min(m_diCount, kMappingRows);
    if (m_layout == kLayoutChecks)
        return std::min(m_diCount, kCheckRows);
    return 0;
}

int ConnectionsForm::doRows() const
{
    return m_layout == kLayoutMapping ? std::min(m_doCount, kMappingRows) : 0;
}

bool ConnectionsForm::setPortText(int connection, const std::string& text)
{
    if (text.size() > kPortEditLimit)
        return false;
    m_ports[size_t(connection)] = text;
    return true;
}

bool ConnectionsForm::setHostText(int connection, const std::string& cp932)
{
    if (!hostTextAllowed(cp932))
        return false;
    m_hosts[size_t(connection)] = cp932;
    return true;
}

bool ConnectionsForm::setHostPortText(int connection, const std::string& text)
{
    if (text.size() > kPortEditLimit)
        return false;
    m_hostPorts[size_t(connection)] = text;
    return true;
}

void ConnectionsForm::setDiscon(int value)
{
    if (inList(disconChoices(), value))
        m_discon = value;
}

void ConnectionsForm::setNotice(int value)
{
    if (inList(noticeChoices(), value))
        m_notice = value;
}

void ConnectionsForm::setDetect(int value)
{
    if (inList(detectChoices(), value))
        m_detect = value;
}

void ConnectionsForm::setDiTarget(int row, int peerDo)
{
    if (m_layout == kLayoutMapping && row >= 0 && row < diRows() && peerValue(peerDo) == peerDo)
        m_diTargets[size_t(row)] = peerDo;
}

void ConnectionsForm::setDoSource(int row, int peerDi)
{
    if (row >= 0 && row < doRows() && peerValue(peerDi) == peerDi)
        m_doSources[size_t(row)] = peerDi;
}

void ConnectionsForm::setDiChecked(int row, bool on)
{
    if (m_layout == kLayoutChecks && row >= 0 && row < diRows())
        m_diChecks[size_t(row)] = on;
}

void ConnectionsForm::resetMapping()
{
    for (int row = 0; row < diRows(); ++row) {
        m_diTargets[size_t(row)] = row;
        m_diChecks[size_t(row)] = true;
    }
    for (int row = 0; row < doRows(); ++row)
        m_doSources[size_t(row)] = row;
}

bool ConnectionsForm::modeShown(int mode) const
{
    switch (mode) {
    case kSockNormal:
    case kSockUdp:
        return true;
    case kSockOld:
        return m_oldModeShown;
    case kSockModbus:
        return m_modbusShown;
    default:
        return false;
    }
}

void ConnectionsForm::setMode(int mode)
{
    if (modeShown(mode))
        m_mode = mode;
}

bool ConnectionsForm::keyPressed(char key)
{
    if (m_keysMatched >= kOldModeKeys.size() || key != kOldModeKeys[m_keysMatched])
        return false;
    if (++m_keysMatched < kOldModeKeys.size())
        return false;
    if (m_kind != kKindKovra4 || m_sketchVersion < kModbusFromSketch || m_oldModeShown)
        return false;
    m_oldModeShown = true;
    return true;
}

bool ConnectionsForm::mappingEnabled() const
{
    if (m_layout == kLayoutMapping)
        return m_mode < kSockOld;
    if (m_layout == kLayoutChecks)
        return m_mode < kSockModbus;
    return false;
}

std::optional<std::string> ConnectionsForm::check()
{
    UnitSettings accepted = m_accepted;
    for (size_t i = 0; i < size_t(kConnectionCount); ++i) {
        const int port = editNumber(m_ports[i]);
        if (port != 0) {
            if (port < kListenPortMin || port > kPortMax)
                return kPortRange;
            for (size_t earlier = 0; earlier < i; ++earlier)
                if (accepted.ports[earlier] == port)
                    return kPortsDiffer;
        } else if (i == 0) {
            return kPortOneNeeded;
        }
        accepted.ports[i] = port;

        std::string host = m_hosts[i];
        host.erase(std::remove(host.begin(), host.end(), ' '), host.end());
        if (host == kNoAddress)
            host.clear();
        const int hostPort = editNumber(m_hostPorts[i]);
        if (!host.empty() && (hostPort < kHostPortMin || hostPort > kPortMax))
            return kHostPortRange;
        accepted.remoteHosts[i] = host;
        accepted.remotePorts[i] = hostPort;
    }

    if (timingShown()) {
        if (m_discon != kDisconNone && m_notice != kNoticeNone)
            return kTimingExclusive;
        if (m_resetRequest && m_notice == kNoticeNone)
            return kResetNeedsNotice;
        accepted.discon = m_discon;
        accepted.notice = m_notice;
        accepted.rqReset = m_resetRequest ? 1 : 0;
        accepted.detect = m_detect;
    }

    for (int row = 0; row < diRows(); ++row) {
        const size_t n = size_t(row);
        if (m_layout == kLayoutChecks) {
            accepted.diExtension[n] = m_diChecks[n] ? row : kNotExtended;
            continue;
        }
        const int target = m_diTargets[n];
        for (size_t earlier = 0; earlier < n; ++earlier)
            if (target != kNotExtended && accepted.diExtension[earlier] == target)
                return kPeerDosDiffer;
        accepted.diExtension[n] = target;
    }
    for (int row = 0; row < doRows(); ++row)
        accepted.doExtension[size_t(row)] = m_doSources[size_t(row)];

    m_accepted = accepted;
    return std::nullopt;
}

bool ConnectionsForm::confirm(UserInterface& ui)
{
    if (m_storedMode == kSockNormal && m_mode != kSockNormal && !ui.askYesNo(kLeaveNormalQuestion)) {
        m_mode = kSockNormal;
        return false;
    }
    m_accepted.sockMode = m_mode;
    return true;
}

} // namespace kovra
