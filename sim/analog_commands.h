#pragma once

#include "model_channels.h"
#include "wire_codes.h"

#include <array>
#include <cstdint>
#include <string>

namespace sim {

// The direct commands of a unit's analog side on its command port, as the other-settings
// dialogs use them: the mode value (ADC sampling index) "AP", kept in register 49h; the AI input
// ranges "AJ"/"AR"; the AO initial values "AQ", kept as kind, high and low byte in registers
// 30h + 3n (read back with "MR"); the thermocouple settings "TJ"/"TW". A unit answers only for
// the channels its model has, and a request it cannot take goes unanswered.
class AnalogCommands {
public:
    using Registers = std::array<uint8_t, kRegisterCount>;

    // sampling: the unit keeps a mode value even without analog inputs (kind 6); units with
    // analog inputs always keep one.
    AnalogCommands(const ModelChannels& channels, bool sampling);

    // True when the request's two letters name one of these commands.
    static bool handles(const std::string& letters);
    // The answer to one framed request (ending in the end mark); empty when there is none.
    // The caller holds the unit's lock: registers are the unit's own.
    std::string answer(const std::string& request, Registers& registers);

private:
    static constexpr size_t kMaxInputs = 8;
    static constexpr size_t kThermocoupleOptions = 5; // type, compensation, detection, output, scale

    struct Thermocouple {
        std::array<uint8_t, kThermocoupleOptions> options;
        uint16_t lower;
        uint16_t upper;
    };

    std::string modeWrite(const std::string& request, Registers& registers) const;
    std::string rangeRead(const std::string& request) const;
    std::string rangeWrite(const std::string& request);
    std::string outputWrite(const std::string& request, Registers& registers) const;
    std::string thermocoupleRead(const std::string& request) const;
    std::string thermocoupleWrite(const std::string& request);
    // The AI a request's channel byte names; false when the model has no such input.
    bool input(const std::string& request, size_t& n) const;

    const ModelChannels m_channels;
    const bool m_sampling;
    std::array<uint8_t, kMaxInputs> m_ranges;
    std::array<Thermocouple, kMaxInputs> m_thermocouples;
};

} // namespace sim
