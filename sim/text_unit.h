#pragma once

#include "text_parameters.h"
#include "wired_unit.h"

#include <mutex>

namespace sim {

class Connection;

// A unit of the text-protocol kinds (3 "_L", 5 "_W", 6 "_T", 7 "_B"): it answers the search
// with its type pair, the model query and the short commands on its TCP port (the PORT/PORT1
// parameter), and its settings port 9998: "VER", the parameter dump ("DUMP", and "GETPARAM" on
// firmware that scrambles mail credentials) and settings messages, which it keeps and, unless
// they say NORESET, takes into use by restarting.
class TextUnit : public WiredUnit {
public:
    static constexpr uint16_t kSettingsPort = 9998;

    explicit TextUnit(const UnitConfig& config);

    DatagramAnswer datagram(const std::string& request, bool broadcast) override;
    std::vector<uint16_t> tcpPorts() const override;
    void serve(uint16_t port, Connection& connection) override;
    void restart() override;

    // The value kept for key (credentials in clear); empty when the unit has no such key.
    std::string parameter(const std::string& key) const;

private:
    void serveSettings(Connection& connection);
    std::string versionAnswer() const;
    std::string dumpAnswer() const;
    // Applies one settings message's pairs; false when a key came without its value.
    void apply(const ParameterList& pairs);
    uint16_t commandPort() const;

    mutable std::mutex m_parameterMutex;
    ParameterList m_parameters;
    const bool m_scrambles;
};

} // namespace sim
