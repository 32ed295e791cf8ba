#pragma once

#include "core/app/dialog_form.h"
#include "core/units/unit_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kovra {

constexpr int kTcpExtensionTemplate = 131;

// Which timing combos a model shows (the reset check goes with the notification).
struct TimingShown {
    bool discon = false;
    bool notice = false;
    bool detect = false;
};
TimingShown tcpExtensionTimingShown(int kind, int modelId);

// The connection rows of the dialog by unit kind.
enum class ConnectionRows {
    TextConnection1, // kinds 3, 6: connection 1 waits and requests, its destination is text
    AddressConnection1, // kind 2: connection 1 waits; it may also connect out to an address
    TwoConnections, // kind 0: connections 1 and 2, destinations are addresses
    FourConnections, // kinds 1, 4: connections 1, 2 and 3,4
};
ConnectionRows connectionRowsOf(int kind);

// What the connection rows hold, as the dialog opens and as OK accepts them.
struct ExtensionConnections {
    static constexpr int kOwnPorts = 3; // connections 1, 2 and 3,4
    static constexpr int kDestinations = 2; // connections 1 and 2
    std::array<int, kOwnPorts> ownPorts {};
    std::array<bool, kOwnPorts> waits {};
    std::array<bool, kDestinations> requests {};
    // cp932 text; on the address rows a dotted address, "0.0.0.0" for none.
    std::array<std::string, kDestinations> hosts {};
    std::array<int, kDestinations> hostPorts {};
};

// TcpExtensionDialog ("入力延長") of every kind with input extension but 5 and 7: the
// connection rows of the kind, the timing combos the model has, the reset check (the unit's
// E_RST where it reports one) and, where the caller offers it, the individual extension of
// the DIs.
// Fields: port1, host1, host-port1; wait1 (always on); request1 on the address rows; with
// rows 2 and 3,4: multi ("TCP接続1 : N"), then port2, wait2, request2, host2, host-port2 and
// port34, wait34 (settable while multi is on); discon, notice, detect as shown; e-rst when
// offered and the notification is shown; individual and diN.ext (on/off) with an individual
// DI count.
class TcpExtensionForm : public DialogForm {
public:
    static constexpr int kDiCheckRows = 8;
    static constexpr size_t kPortEditLimit = 5;
    static constexpr int kDisconNoneRow = 15;
    static constexpr int kNoticeFirstRow = 0;

    // The timing lists: {text, row}. The disconnect and notification combos keep the row
    // index, the chattering combo its milliseconds (row = ms - 4).
    static const std::vector<ChoiceItem>& disconRows();
    static const std::vector<ChoiceItem>& noticeRows(int modelId);
    static const std::vector<ChoiceItem>& detectChoices();

    // Kinds 3 and 6: connection 1 from the unit's settings. `individualDiCount` 0 hides the
    // individual extension; the DI mask comes with loadDiMask.
    TcpExtensionForm(int kind, int modelId, const UnitSettings& settings, int individualDiCount);
    // The other kinds: the connections come with loadConnections.
    TcpExtensionForm(int kind, int modelId, int individualDiCount);

    int templateId() const override { return kTcpExtensionTemplate; }
    std::string dialogName() const override { return "TcpExtensionDialog"; }
    // The destinations, the timing pair and the own ports, in the dialog's order.
    std::optional<std::string> check() override;
    // The two checks that clear a control, say so and go on: the reset check without a
    // notification, the individual extension without a DI.
    bool confirm(UserInterface& ui) override;

    // What the unit holds, read before the dialog opens. A row or value the lists do not
    // have selects row 0.
    void loadTiming(int disconRow, int noticeRow, int detectMs);
    // Bit n is DI n+1.
    void loadDiMask(uint32_t mask);
    // Ports outside 1..65535 open empty; "TCP接続1 : N" opens on when connection 2 or 3,4
    // has a port.
    void loadConnections(const ExtensionConnections& connections);

    ConnectionRows rows() const { return m_rows; }
    // The rows beyond connection 1: 0, 1 (connection 2) or 2 (and 3,4).
    int extraRows() const;
    // Whether the role checks can change (connection 1 always waits), and whether the
    // destinations are addresses rather than text.
    bool rolesEditable() const { return m_rows != ConnectionRows::TextConnection1; }
    bool addressHosts() const { return m_rows != ConnectionRows::TextConnection1; }

    static std::string portFieldName(int connection);
    static std::string hostFieldName(int connection);
    static std::string hostPortFieldName(int connection);
    static std::string waitFieldName(int connection);
    static std::string requestFieldName(int connection);

    // False, and nothing changes, for a port that is not up to 5 digits or a host
    // ConnectionsForm::hostTextAllowed refuses (it would break the settings message).
    bool setPortText(int connection, const std::string& text);
    bool setHostText(int connection, const std::string& cp932);
    bool setHostPortText(int connection, const std::string& text);
    bool more() const { return m_more; }
    void setMore(bool on);
    bool waitChecked(int connection) const { return m_waits[size_t(connection)]; }
    bool requestChecked(int connection) const { return m_requests[size_t(connection)]; }
    // Connection 1 always waits; the others' checks change only while their row is shown.
    void setWaitChecked(int connection, bool on);
    void setRequestChecked(int connection, bool on);

    const TimingShown& timingShown() const { return m_shown; }
    const std::vector<ChoiceItem>& noticeList() const { return m_noticeRows; }
    int disconRow() const { return m_disconRow; }
    int noticeRow() const { return m_noticeRow; }
    int detectMs() const { return m_detectMs; }
    // A setter takes only a row or value of its list.
    void setDisconRow(int row);
    void setNoticeRow(int row);
    void setDetectMs(int ms);

    // The reset check: shown with the notification, enabled only when offered.
    bool resetOffered() const { return m_resetOffered; }
    bool resetChecked() const { return m_reset; }
    void setResetChecked(bool on);

    int individualDiCount() const { return m_individualCount; }
    bool individual() const { return m_individual; }
    void setIndividual(bool on);
    bool diChecked(int row) const { return m_diChecks[size_t(row)]; }
    // Only for a shown DI, while the individual extension is on (the checks are off otherwise).
    void setDiChecked(int row, bool on);

    // What OK accepted (valid once check() and confirm() passed). Kinds 3 and 6: the unit's
    // settings with connection 1 and E_RST. Every kind: the connections, those of hidden rows
    // and of rows switched off by "TCP接続1 : N" with port 0 and neither role; the DI mask
    // (0 with the individual extension off).
    const UnitSettings& values() const { return m_accepted; }
    const ExtensionConnections& connections() const { return m_acceptedConnections; }
    uint32_t diMask() const { return m_acceptedMask; }

private:
    void addFields();
    void addConnectionFields(int connection);
    // The destination checks of one connection; the first failure's message.
    std::optional<std::string> checkDestination(int connection);
    bool rowShown(int connection) const;

    const ConnectionRows m_rows;
    const TimingShown m_shown;
    const std::vector<ChoiceItem>& m_noticeRows;
    const bool m_resetOffered;
    const int m_individualCount;
    std::array<std::string, ExtensionConnections::kOwnPorts> m_ports;
    std::array<bool, ExtensionConnections::kOwnPorts> m_waits {};
    std::array<bool, ExtensionConnections::kDestinations> m_requests {};
    std::array<std::string, ExtensionConnections::kDestinations> m_hosts;
    std::array<std::string, ExtensionConnections::kDestinations> m_hostPorts;
    bool m_more = false;
    int m_disconRow = 0;
    int m_noticeRow = 0;
    int m_detectMs = 0;
    bool m_reset = false;
    bool m_individual = false;
    std::array<bool, kDiCheckRows> m_diChecks {};
    UnitSettings m_accepted;
    ExtensionConnections m_acceptedConnections;
    uint32_t m_acceptedMask = 0;
};

} // namespace kovra
