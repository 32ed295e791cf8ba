#include "core/functions/tcp_extension_form.h"

#include "core/app/user_interface.h"
#include "core/functions/connections_form.h"
#include "core/platform/cp932_text.h"
#include "core/platform/ipv4.h"
#include "core/settings/settings_writers.h"
#include "core/units/unit_record.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace kovra {

namespace {

constexpr int kPortMax = 65535;
constexpr int kDetectFirstMs = 4;

constexpr const char* kPortError = "ポート番号エラー";
constexpr const char* kAddressError = "IPアドレス設定エラー";
constexpr const char* kNoAddress = "0.0.0.0";
constexpr int kThirdRow = 2; // connections 3,4 share one row
constexpr const char* kTimingExclusive = "切断時間と定期通知時間はどちらかのみ設定可能です";
constexpr const char* kResetCleared
    = "無通信時リセット要求は、定期通知設定をNone以外に設定時の機能です。\n無効とします。";
constexpr const char* kIndividualCleared = "個別延長設定を有効にするには1つ以上のDIにチェックが必要です。\n"
                                           "個別転送を無効に設定しました。";

// The analog models count their notification in finer steps, without "None".
bool fineNoticeModel(int modelId)
{
    constexpr std::array<int, 4> kFineNoticeModels = { 8, 10, 12, 32 };
    return std::find(kFineNoticeModels.begin(), kFineNoticeModels.end(), modelId) != kFineNoticeModels.end();
}

// A list's texts with their row indexes as values.
std::vector<ChoiceItem> rowsOf(const std::vector<std::string>& texts)
{
    std::vector<ChoiceItem> rows;
    for (const auto& text : texts)
        rows.push_back({ text, int(rows.size()) });
    return rows;
}

std::vector<ChoiceItem> rowsOf(const std::vector<ChoiceItem>& choices)
{
    std::vector<std::string> texts;
    for (const auto& choice : choices)
        texts.push_back(choice.text);
    return rowsOf(texts);
}

bool inList(const std::vector<ChoiceItem>& choices, int value)
{
    return std::any_of(
        choices.begin(), choices.end(), [value](const ChoiceItem& c) { return c.value == value; });
}

// What a port edit holds: up to five digits, nothing else (empty reads as 0).
bool portTextAllowed(const std::string& text)
{
    return text.size() <= TcpExtensionForm::kPortEditLimit
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int portNumber(const std::string& text)
{
    return text.empty() ? 0 : std::stoi(text);
}

std::string portEditText(int value)
{
    return value <= 0 || value > kPortMax ? std::string() : std::to_string(value);
}

// A reported destination, cut to what a message can carry back.
std::string hostEditText(std::string host)
{
    const auto control = std::find_if(host.begin(), host.end(),
        [](char c) { return !ConnectionsForm::hostTextAllowed(std::string(1, c)); });
    host.erase(control, host.end());
    if (host.size() > kSettingTextMax)
        host.resize(kSettingTextMax);
    return host;
}

} // namespace

TimingShown tcpExtensionTimingShown(int kind, int modelId)
{
    constexpr TimingShown kAll { true, true, true };
    constexpr TimingShown kNoticeAndDetect { false, true, true };
    constexpr TimingShown kNoticeOnly { false, true, false };
    const auto among = [modelId](std::initializer_list<int> models) {
        return std::find(models.begin(), models.end(), modelId) != models.end();
    };
    if (among({ 0, 5, 6, 17, 21, 22 }) || (modelId == 2 && (kind == kKindWiredGc || kind == kKindWifi))
        || (modelId == 1 && kind == kKindWifi))
        return kAll;
    if (among({ 9, 11, 32 }))
        return kNoticeAndDetect;
    if (among({ 8, 10, 12 }))
        return kNoticeOnly;
    return {};
}

const std::vector<ChoiceItem>& TcpExtensionForm::disconRows()
{
    static const std::vector<ChoiceItem> rows = rowsOf(ConnectionsForm::disconChoices());
    return rows;
}

const std::vector<ChoiceItem>& TcpExtensionForm::noticeRows(int modelId)
{
    static const std::vector<ChoiceItem> rows = rowsOf(ConnectionsForm::noticeChoices());
    static const std::vector<ChoiceItem> fineRows
        = rowsOf(std::vector<std::string> { "0.05sec", "0.1sec", "0.2sec", "0.5sec", "1sec", "2sec", "5sec",
            "10sec", "20sec", "30sec", "1min", "2min", "5min", "10min" });
    return fineNoticeModel(modelId) ? fineRows : rows;
}

const std::vector<ChoiceItem>& TcpExtensionForm::detectChoices()
{
    return ConnectionsForm::detectChoices();
}

ConnectionRows connectionRowsOf(int kind)
{
    switch (kind) {
    case kKindWifi:
    case kKindQx:
        return ConnectionRows::TextConnection1;
    case kKindWifiModule:
        return ConnectionRows::AddressConnection1;
    case kKindWiredGc:
    case kKindNewerWired:
        return ConnectionRows::FourConnections;
    default:
        return ConnectionRows::TwoConnections;
    }
}

TcpExtensionForm::TcpExtensionForm(int kind, int modelId, const UnitSettings& settings, int individualDiCount)
    : m_rows(connectionRowsOf(kind))
    , m_shown(tcpExtensionTimingShown(kind, modelId))
    , m_noticeRows(noticeRows(modelId))
    , m_resetOffered(connectionHasERst(kind, settings.sketchVersion))
    , m_individualCount(std::clamp(individualDiCount, 0, kDiCheckRows))
    , m_detectMs(kDetectFirstMs)
    , m_reset(m_resetOffered && settings.eRstOption != 0)
    , m_accepted(settings)
{
    ExtensionConnections connections;
    connections.ownPorts[0] = settings.ports[0];
    connections.waits[0] = true;
    connections.requests[0] = true;
    connections.hosts[0] = hostEditText(settings.remoteHosts[0]);
    connections.hostPorts[0] = settings.remotePorts[0];
    loadConnections(connections);
    addFields();
}

TcpExtensionForm::TcpExtensionForm(int kind, int modelId, int individualDiCount)
    : TcpExtensionForm(kind, modelId, UnitSettings {}, individualDiCount)
{
}

int TcpExtensionForm::extraRows() const
{
    switch (m_rows) {
    case ConnectionRows::TwoConnections:
        return 1;
    case ConnectionRows::FourConnections:
        return 2;
    default:
        return 0;
    }
}

bool TcpExtensionForm::rowShown(int connection) const
{
    return connection == 0 || (m_more && connection <= extraRows());
}

std::string TcpExtensionForm::portFieldName(int connection)
{
    return connection == kThirdRow ? "port34" : "port" + std::to_string(connection + 1);
}

std::string TcpExtensionForm::hostFieldName(int connection)
{
    return "host" + std::to_string(connection + 1);
}

std::string TcpExtensionForm::hostPortFieldName(int connection)
{
    return "host-port" + std::to_string(connection + 1);
}

std::string TcpExtensionForm::waitFieldName(int connection)
{
    return connection == kThirdRow ? "wait34" : "wait" + std::to_string(connection + 1);
}

std::string TcpExtensionForm::requestFieldName(int connection)
{
    return "request" + std::to_string(connection + 1);
}

void TcpExtensionForm::addConnectionFields(int connection)
{
    // A role check takes "on" or "off" while it can change, and only its own state otherwise.
    const auto roleField = [this](const std::string& name, const bool& value,
                               std::function<bool()> changeable, std::function<void(bool)> set) {
        addField({ name, FormField::Kind::Check, {}, [&value] { return value ? "on" : "off"; },
            [&value, changeable, set](const std::string& text) {
                if (text != "on" && text != "off")
                    return false;
                if (!changeable())
                    return (text == "on") == value;
                set(text == "on");
                return true;
            } });
    };
    const size_t i = size_t(connection);
    addField({ portFieldName(connection), FormField::Kind::Number, {}, [this, i] { return m_ports[i]; },
        [this, connection](
            const std::string& text) { return rowShown(connection) && setPortText(connection, text); } });
    roleField(
        waitFieldName(connection), m_waits[i],
        [this, connection] { return connection > 0 && rowShown(connection); },
        [this, connection](bool on) { setWaitChecked(connection, on); });
    // Connections 3,4 only wait for their peers.
    if (connection >= ExtensionConnections::kDestinations)
        return;
    roleField(
        requestFieldName(connection), m_requests[i],
        [this, connection] { return rolesEditable() && rowShown(connection); },
        [this, connection](bool on) { setRequestChecked(connection, on); });
    addField({ hostFieldName(connection), FormField::Kind::Text, {},
        [this, connection] { return cp932ToUtf8(m_hosts[size_t(connection)]); },
        [this, connection](const std::string& text) {
            return rowShown(connection) && setHostText(connection, utf8ToCp932(text));
        } });
    addField({ hostPortFieldName(connection), FormField::Kind::Number, {},
        [this, connection] { return m_hostPorts[size_t(connection)]; },
        [this, connection](
            const std::string& text) { return rowShown(connection) && setHostPortText(connection, text); } });
}

void TcpExtensionForm::addFields()
{
    addConnectionFields(0);
    if (extraRows() > 0) {
        addCheckField("multi", m_more);
        for (int connection = 1; connection <= extraRows(); ++connection)
            addConnectionFields(connection);
    }
    if (m_shown.discon)
        addChoiceField("discon", disconRows(), m_disconRow);
    if (m_shown.notice) {
        addChoiceField("notice", m_noticeRows, m_noticeRow);
        if (m_resetOffered)
            addCheckField("e-rst", m_reset);
    }
    if (m_shown.detect)
        addChoiceField("detect", detectChoices(), m_detectMs);
    if (m_individualCount == 0)
        return;
    addCheckField("individual", m_individual);
    for (int row = 0; row < m_individualCount; ++row) {
        addField({ "di" + std::to_string(row + 1) + ".ext", FormField::Kind::Check, {},
            [this, row] { return diChecked(row) ? "on" : "off"; },
            [this, row](const std::string& text) {
                if ((text != "on" && text != "off") || !m_individual)
                    return false;
                setDiChecked(row, text == "on");
                return true;
            } });
    }
}

void TcpExtensionForm::loadConnections(const ExtensionConnections& connections)
{
    for (int i = 0; i < ExtensionConnections::kOwnPorts; ++i) {
        m_ports[size_t(i)] = portEditText(connections.ownPorts[size_t(i)]);
        m_waits[size_t(i)] = i == 0 || connections.waits[size_t(i)];
    }
    for (int i = 0; i < ExtensionConnections::kDestinations; ++i) {
        // Kinds 3 and 6 always request their connection.
        m_requests[size_t(i)] = connections.requests[size_t(i)] || (i == 0 && !rolesEditable());
        const std::string& host = connections.hosts[size_t(i)];
        m_hosts[size_t(i)] = addressHosts() && host == kNoAddress ? std::string() : host;
        m_hostPorts[size_t(i)] = portEditText(connections.hostPorts[size_t(i)]);
    }
    m_more = false;
    for (int i = 1; i <= extraRows(); ++i)
        m_more = m_more || !m_ports[size_t(i)].empty();
    m_acceptedConnections = connections;
}

void TcpExtensionForm::loadTiming(int disconRow, int noticeRow, int detectMs)
{
    m_disconRow = inList(disconRows(), disconRow) ? disconRow : 0;
    m_noticeRow = inList(m_noticeRows, noticeRow) ? noticeRow : 0;
    m_detectMs = inList(detectChoices(), detectMs) ? detectMs : detectChoices().front().value;
}

void TcpExtensionForm::loadDiMask(uint32_t mask)
{
    m_individual = mask != 0;
    for (int row = 0; row < kDiCheckRows; ++row)
        m_diChecks[size_t(row)] = row < m_individualCount && (mask >> row & 1u) != 0;
}

bool TcpExtensionForm::setPortText(int connection, const std::string& text)
{
    if (!portTextAllowed(text))
        return false;
    m_ports[size_t(connection)] = text;
    return true;
}

bool TcpExtensionForm::setHostText(int connection, const std::string& cp932)
{
    if (!ConnectionsForm::hostTextAllowed(cp932))
        return false;
    m_hosts[size_t(connection)] = cp932;
    return true;
}

bool TcpExtensionForm::setHostPortText(int connection, const std::string& text)
{
    if (!portTextAllowed(text))
        return false;
    m_hostPorts[size_t(connection)] = text;
    return true;
}

void TcpExtensionForm::setMore(bool on)
{
    if (extraRows() > 0)
        m_more = on;
}

void TcpExtensionForm::setWaitChecked(int connection, bool on)
{
    if (connection > 0 && rolesEditable())
        m_waits[size_t(connection)] = on;
}

void TcpExtensionForm::setRequestChecked(int connection, bool on)
{
    if (rolesEditable())
        m_requests[size_t(connection)] = on;
}

void TcpExtensionForm::setDisconRow(int row)
{
    if (m_shown.discon && inList(disconRows(), row))
        m_disconRow = row;
}

void TcpExtensionForm::setNoticeRow(int row)
{
    if (m_shown.notice && inList(m_noticeRows, row))
        m_noticeRow = row;
}

void TcpExtensionForm::setDetectMs(int ms)
{
    if (m_shown.detect && inList(detectChoices(), ms))
        m_detectMs = ms;
}

void TcpExtensionForm::setResetChecked(bool on)
{
    if (m_resetOffered)
        m_reset = on;
}

void TcpExtensionForm::setIndividual(bool on)
{
    if (m_individualCount > 0)
        m_individual = on;
}

void TcpExtensionForm::setDiChecked(int row, bool on)
{
    if (m_individual && row >= 0 && row < m_individualCount)
        m_diChecks[size_t(row)] = on;
}

std::optional<std::string> TcpExtensionForm::checkDestination(int connection)
{
    std::string& host = m_hosts[size_t(connection)];
    if (addressHosts()) {
        // An address box: blank is no destination, a partly filled one is refused.
        Ipv4 address = 0;
        if (!host.empty() && !parseIpv4(host, address))
            return kAddressError;
        m_acceptedConnections.hosts[size_t(connection)] = ipv4ToText(address);
    } else {
        m_acceptedConnections.hosts[size_t(connection)] = host;
    }
    const int hostPort = portNumber(m_hostPorts[size_t(connection)]);
    if (hostPort > kPortMax)
        return kPortError;
    m_acceptedConnections.hostPorts[size_t(connection)] = hostPort;
    m_acceptedConnections.requests[size_t(connection)]
        = m_requests[size_t(connection)] && rowShown(connection);
    return std::nullopt;
}

std::optional<std::string> TcpExtensionForm::check()
{
    for (int connection = 0; connection < ExtensionConnections::kDestinations; ++connection) {
        if (!rowShown(connection))
            continue;
        if (auto failure = checkDestination(connection))
            return failure;
    }
    if (m_shown.discon && m_shown.notice && m_disconRow != kDisconNoneRow && m_noticeRow != kNoticeFirstRow)
        return kTimingExclusive;
    for (int connection = 0; connection < ExtensionConnections::kOwnPorts; ++connection) {
        const bool shown = rowShown(connection);
        const int port = shown ? portNumber(m_ports[size_t(connection)]) : 0;
        // Connection 1 needs a port; a further row that is on needs one too.
        if (shown && (port == 0 || port > kPortMax))
            return kPortError;
        m_acceptedConnections.ownPorts[size_t(connection)] = port;
        m_acceptedConnections.waits[size_t(connection)] = shown && m_waits[size_t(connection)];
    }
    for (int connection = 1; connection < ExtensionConnections::kDestinations; ++connection) {
        if (!rowShown(connection))
            m_acceptedConnections.requests[size_t(connection)] = false;
    }
    const ExtensionConnections& accepted = m_acceptedConnections;
    m_accepted.ports[0] = accepted.ownPorts[0];
    m_accepted.remoteHosts[0] = accepted.hosts[0];
    m_accepted.remotePorts[0] = accepted.hostPorts[0];
    return std::nullopt;
}

bool TcpExtensionForm::confirm(UserInterface& ui)
{
    if (m_shown.notice && m_reset && m_noticeRow == kNoticeFirstRow) {
        ui.showMessage(kResetCleared);
        m_reset = false;
    }
    if (m_resetOffered)
        m_accepted.eRstOption = m_reset ? 1 : 0;

    uint32_t mask = 0;
    if (m_individual) {
        for (int row = 0; row < m_individualCount; ++row)
            if (m_diChecks[size_t(row)])
                mask |= 1u << row;
        if (mask == 0) {
            ui.showMessage(kIndividualCleared);
            m_individual = false;
        }
    }
    m_acceptedMask = mask;
    return true;
}

} // namespace kovra
