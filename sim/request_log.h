#pragma once

#include <cstdio>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>

namespace sim {

// Every request a simulated unit receives is written as one JSON line, so tests and
// operators can see the exact bytes that reached the unit.
class RequestLog {
public:
    explicit RequestLog(std::FILE* out = stdout);

    // unit: the unit's address; channel: "udp:30718", "tcp:port", ...; bytes as received.
    void request(const std::string& unit, const std::string& channel, const std::string& bytes,
        const nlohmann::json& extra = nlohmann::json::object());
    // Something a unit (or, with an empty unit, the whole fleet) did on its own: up, restart, ...
    void event(const std::string& unit, const std::string& what,
        const nlohmann::json& extra = nlohmann::json::object());

    static std::string hex(const std::string& bytes);

private:
    void write(nlohmann::json line);

    std::FILE* m_out;
    std::mutex m_mutex;
};

} // namespace sim
