#pragma once

#include "core/app/dialog_form.h"
#include "core/units/unit_settings.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kovra {

constexpr int kConnectionsTemplate = 145;

// How the dialog presents the peer mapping of a unit's inputs and outputs.
enum ExtensionLayout : int {
    kLayoutNone = 0,
    kLayoutMapping = 1, // a peer DO per own DI, a peer DI per own DO (kind 5)
    kLayoutChecks = 2, // a check per DI extended to the same number (kind 7, models 2 and 5)
};

// The socket modes, as the units keep them in SOCK.
enum SockMode : int {
    kSockNormal = 0,
    kSockUdp = 1,
    kSockOld = 2,
    kSockModbus = 3,
};

// ConnectionsDialog (kinds 5 and 7, "入力延長"): four connections, the timing of the
// extension, the peer mapping and the socket mode, edited on a copy of the unit's settings.
// Fields: portN, hostN, host-portN (N = 1..4); with DIs discon, notice, reset-request,
// detect; mode (normal/udp/old/modbus, the radios shown); layout 1 diN.ext (none/do1..do8)
// and doN.ext (none/di1..di8); layout 2 diN.ext (on/off).
class ConnectionsForm : public DialogForm {
public:
    static constexpr int kConnectionCount = 4;
    // The template has two mapping rows per direction and seven DI checks; channels past
    // them keep the values the unit holds.
    static constexpr int kMappingRows = 2;
    static constexpr int kCheckRows = 7;
    // Edit limits in characters.
    static constexpr size_t kPortEditLimit = 5;
    static constexpr size_t kHostEditLimit = 128;
    // The three keys that show the old-mode radio on kind 5 units, in order.
    static constexpr std::array<char, 3> kOldModeKeys = { 'O', 'L', 'D' };

    // The timing lists: {text, value} in the order the combos show them.
    static const std::vector<ChoiceItem>& disconChoices();
    static const std::vector<ChoiceItem>& noticeChoices();
    static const std::vector<ChoiceItem>& detectChoices();

    // `modelId` gives the layout and the DI/DO counts; `settings` the values the dialog opens
    // with (its sketch version decides which mode radios kind 5 shows).
    ConnectionsForm(int kind, int modelId, const UnitSettings& settings);

    int templateId() const override { return kConnectionsTemplate; }
    std::string dialogName() const override { return "ConnectionsDialog"; }
    std::optional<std::string> check() override;
    // Leaving normal mode asks first; No puts the dialog back on normal mode.
    bool confirm(UserInterface& ui) override;

    static std::string portFieldName(int connection);
    static std::string hostFieldName(int connection);
    static std::string hostPortFieldName(int connection);
    static std::string diFieldName(int row);
    static std::string doFieldName(int row);

    // Whether a remote host text can travel in a settings message: no control byte (a line
    // break would end the value early), at most 255 bytes.
    static bool hostTextAllowed(const std::string& cp932);

    int layout() const { return m_layout; }
    int diCount() const { return m_diCount; }
    int doCount() const { return m_doCount; }
    // The mapping rows or checks the dialog shows (the counts, capped at the template's rows).
    int diRows() const;
    int doRows() const;
    // The timing combos and the reset check are shown only on units with DIs.
    bool timingShown() const { return m_diCount > 0; }

    // The edits, as texts (cp932 for the hosts).
    const std::string& portText(int connection) const { return m_ports[size_t(connection)]; }
    const std::string& hostText(int connection) const { return m_hosts[size_t(connection)]; }
    const std::string& hostPortText(int connection) const { return m_hostPorts[size_t(connection)]; }
    // False, and nothing changes, for a text over the edit's limit or a host
    // hostTextAllowed refuses.
    bool setPortText(int connection, const std::string& text);
    bool setHostText(int connection, const std::string& cp932);
    bool setHostPortText(int connection, const std::string& text);

    // The timing values; a setter takes only a value of its list.
    int discon() const { return m_discon; }
    int notice() const { return m_notice; }
    int detect() const { return m_detect; }
    void setDiscon(int value);
    void setNotice(int value);
    void setDetect(int value);
    bool resetRequest() const { return m_resetRequest; }
    void setResetRequest(bool on) { m_resetRequest = on; }

    // Layout 1: the peer DO of DI row n and the peer DI of DO row n (-1 none, 0..7).
    // Layout 2: whether DI row n is extended.
    int diTarget(int row) const { return m_diTargets[size_t(row)]; }
    int doSource(int row) const { return m_doSources[size_t(row)]; }
    bool diChecked(int row) const { return m_diChecks[size_t(row)]; }
    void setDiTarget(int row, int peerDo);
    void setDoSource(int row, int peerDi);
    void setDiChecked(int row, bool on);
    // "初期状態に戻す": DIn to the peer's DOn and DOn from its DIn, or every check on.
    void resetMapping();

    // The mode radio checked, or the stored mode when its radio is not shown.
    int mode() const { return m_mode; }
    bool modeShown(int mode) const;
    // Takes only the mode of a shown radio.
    void setMode(int mode);
    // A key pressed while the dialog is up (upper-case letter key): the third key of the
    // sequence in order shows the old-mode radio, once, on kind 5 from sketch version 103.
    // True when this key showed it.
    bool keyPressed(char key);

    // The mode rule: connections and timing combos off in Modbus TCP mode, the reset check
    // off from old mode on; the mapping off from old mode on, the checks only in Modbus TCP.
    bool connectionsEnabled() const { return m_mode != kSockModbus; }
    bool timingEnabled() const { return m_mode != kSockModbus; }
    bool resetRequestEnabled() const { return m_mode < kSockOld; }
    bool mappingEnabled() const;

    // The unit's settings with what OK accepted (valid once check() and confirm() passed).
    const UnitSettings& values() const { return m_accepted; }

private:
    void addConnectionFields(int connection);
    void addMappingFields();
    void addModeField();
    void load(const UnitSettings& settings);

    const int m_kind;
    const int m_layout;
    const int m_diCount;
    const int m_doCount;
    const int m_sketchVersion;
    const int m_storedMode;
    std::array<std::string, kConnectionCount> m_ports;
    std::array<std::string, kConnectionCount> m_hosts;
    std::array<std::string, kConnectionCount> m_hostPorts;
    int m_discon = 0;
    int m_notice = 0;
    int m_detect = 0;
    bool m_resetRequest = false;
    std::array<int, kChannelCount> m_diTargets {};
    std::array<int, kChannelCount> m_doSources {};
    std::array<bool, kChannelCount> m_diChecks {};
    int m_mode = kSockNormal;
    bool m_oldModeShown = true;
    bool m_modbusShown = true;
    size_t m_keysMatched = 0;
    UnitSettings m_accepted;
};

} // namespace kovra
