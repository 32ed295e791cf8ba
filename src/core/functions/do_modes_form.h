#pragma once

#include "core/app/dialog_form.h"
#include "core/settings/settings_writers.h"

#include <array>
#include <optional>
#include <string>

namespace kovra {

constexpr int kDoModesTemplate = 143;

// How one digital output behaves: as switched, ON from the unit's start, or ON for a time
// after each switch-on.
enum DoOutputMode : int {
    kDoNormal = 0,
    kDoOnAtStart = 1,
    kDoOneShot = 2,
};

// DoModesDialog (kinds 4, 5 and 7): the keep-alive time and each DO's output mode and
// one-shot time (x100 ms). Fields: keepalive, and for DO n up to the model's DO count
// doN.mode (normal/on-at-start/one-shot) and doN.time.
class DoModesForm : public DialogForm {
public:
    static constexpr int kRowCount = kChannelCount;
    // The one-shot time edits take at most three characters.
    static constexpr size_t kTimeEditLimit = 3;

    // `doCount` is the model's (clamped to 0..8); kind 4 keeps a one-byte keep-alive, the
    // others take it in steps of 5 s.
    DoModesForm(int kind, int doCount, const DoModeValues& values);

    static std::string modeFieldName(int row);
    static std::string timeFieldName(int row);

    int templateId() const override { return kDoModesTemplate; }
    std::string dialogName() const override { return "DoModesDialog"; }
    std::optional<std::string> check() override;

    // Opening: every row reset, then a DO with a one-shot time shows it as one-shot, else
    // one whose start-ON bit is set as ON at start. Kind 4 loads again once its registers
    // are read.
    void load(const DoModeValues& values);
    // The reset button: every row normal with an empty time; the keep-alive stays.
    void reset();

    int doCount() const { return m_doCount; }
    // Rows 0..7 for DO1..DO8; only those up to the DO count take part.
    bool rowEnabled(int row) const { return row >= 0 && row < m_doCount; }
    bool timeEnabled(int row) const { return rowEnabled(row) && m_modes[size_t(row)] == kDoOneShot; }
    bool resetEnabled() const { return m_doCount > 0; }

    int keepAliveSeconds() const { return m_keepAlive; }
    int mode(int row) const { return m_modes[size_t(row)]; }
    // Rows outside the DO count, and modes outside the three, change nothing.
    void setMode(int row, int mode);
    // The time edit's text: empty while the time is 0.
    std::string timeText(int row) const;

    // What OK accepted (valid once check() has passed): the keep-alive, the start-ON mask
    // and the one-shot times of the rows up to the DO count, the rest 0.
    const DoModeValues& values() const { return m_accepted; }

private:
    const int m_kind;
    const int m_doCount;
    int m_keepAlive = 0;
    std::array<int, kRowCount> m_modes {};
    std::array<int, kRowCount> m_times {};
    DoModeValues m_accepted;
};

} // namespace kovra
