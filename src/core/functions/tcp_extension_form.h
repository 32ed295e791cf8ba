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

// TcpExtensionDialog of the text-protocol kinds 3 and 6 ("入力延長"): connection 1 from the
// unit's settings (it always waits for connections and requests one, neither can change), the
// timing combos the model has, the reset check (the unit's E_RST where it reports one) and,
// where the caller offers it, the individual extension of the DIs.
// Fields: port1, host1, host-port1; discon, notice, detect as shown; e-rst when offered and
// the notification is shown; individual and diN.ext (on/off) with an individual DI count.
class TcpExtensionForm : public DialogForm {
public:
    static constexpr int kDiCheckRows = 8;
    static constexpr size_t kPortEditLimit = 5;
    // The reset value when the unit has no reset check to offer.
    static constexpr int kResetNotOffered = -1;
    static constexpr int kDisconNoneRow = 15;
    static constexpr int kNoticeFirstRow = 0;

    // The timing lists: {text, row}. The disconnect and notification combos keep the row
    // index, the chattering combo its milliseconds (row = ms - 4).
    static const std::vector<ChoiceItem>& disconRows();
    static const std::vector<ChoiceItem>& noticeRows(int modelId);
    static const std::vector<ChoiceItem>& detectChoices();

    // `individualDiCount` 0 hides the individual extension; the DI mask comes with loadDiMask.
    TcpExtensionForm(int kind, int modelId, const UnitSettings& settings, int individualDiCount);

    int templateId() const override { return kTcpExtensionTemplate; }
    std::string dialogName() const override { return "TcpExtensionDialog"; }
    // The destination port, the timing pair and own port 1, in the dialog's order.
    std::optional<std::string> check() override;
    // The two checks that clear a control, say so and go on: the reset check without a
    // notification, the individual extension without a DI.
    bool confirm(UserInterface& ui) override;

    // What the unit holds, read before the dialog opens. A row or value the lists do not
    // have selects row 0.
    void loadTiming(int disconRow, int noticeRow, int detectMs);
    // Bit n is DI n+1.
    void loadDiMask(uint32_t mask);

    const std::string& portText() const { return m_port; }
    const std::string& hostText() const { return m_host; }
    const std::string& hostPortText() const { return m_hostPort; }
    // False, and nothing changes, for a port that is not up to 5 digits or a host
    // ConnectionsForm::hostTextAllowed refuses (it would break the settings message).
    bool setPortText(const std::string& text);
    bool setHostText(const std::string& cp932);
    bool setHostPortText(const std::string& text);

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

    // What OK accepted (valid once check() and confirm() passed): the unit's settings with
    // connection 1 and E_RST, and the DI mask (0 with the individual extension off).
    const UnitSettings& values() const { return m_accepted; }
    uint32_t diMask() const { return m_acceptedMask; }

private:
    void addFields();

    const TimingShown m_shown;
    const std::vector<ChoiceItem>& m_noticeRows;
    const bool m_resetOffered;
    const int m_individualCount;
    std::string m_port;
    std::string m_host;
    std::string m_hostPort;
    int m_disconRow = 0;
    int m_noticeRow = 0;
    int m_detectMs = 0;
    bool m_reset = false;
    bool m_individual = false;
    std::array<bool, kDiCheckRows> m_diChecks {};
    UnitSettings m_accepted;
    uint32_t m_acceptedMask = 0;
};

} // namespace kovra
