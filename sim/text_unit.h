#pragma once

#include "key_vocabulary.h"
#include "text_parameters.h"
#include "wired_unit.h"

#include <mutex>
#include <nlohmann/json.hpp>

namespace sim {

class Connection;

// A unit of the text-protocol kinds (3 "_L", 5 "_W", 6 "_T", 7 "_B"): it answers the search
// with its type pair, the model query and the short commands on its TCP port (the PORT/PORT1
// parameter), and its settings port 9998: "VER", the parameter dump ("DUMP", and "GETPARAM" on
// firmware that scrambles mail credentials) and settings messages: it keeps the keys it takes
// (logging the others with the reason), logs the test mails they ask for and, unless they say
// NORESET, takes them into use by restarting.
class TextUnit : public WiredUnit {
public:
    explicit TextUnit(const UnitConfig& config);

    DatagramAnswer datagram(const std::string& request, bool broadcast) override;
    void serve(uint16_t port, Connection& connection) override;
    void restart() override;

    // The value kept for key (credentials in clear); empty when the unit has no such key.
    std::string parameter(const std::string& key) const;

private:
    void serveSettings(Connection& connection);
    std::string versionAnswer() const;
    std::string dumpAnswer() const;
    // Applies one settings message's pairs; the keys it left, each with the reason.
    nlohmann::json apply(const ParameterList& pairs);
    // The log details of a test mail of entry n (0: the single account).
    nlohmann::json mailTest(int entry) const;
    uint16_t commandPort() const;

    mutable std::mutex m_parameterMutex;
    ParameterList m_parameters;
    const bool m_scrambles;
    const KeyVocabulary m_vocabulary;
};

} // namespace sim
