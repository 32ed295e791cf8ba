#pragma once

#include "fleet_config.h"
#include "request_log.h"
#include "simulator.h"

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace kovra::test_support {

// A fleet of simulated units run in-process on loopback, its request log kept in a
// temporary file that tests read back.
class SimulatedFleet {
public:
    SimulatedFleet() = default;
    SimulatedFleet(const SimulatedFleet&) = delete;
    SimulatedFleet& operator=(const SimulatedFleet&) = delete;
    ~SimulatedFleet() { stop(); }

    // Parses and starts the fleet; empty on success, else why not.
    std::string start(const char* fleetJson)
    {
        m_logFile = std::tmpfile();
        m_log = std::make_unique<sim::RequestLog>(m_logFile);
        sim::FleetConfig fleet;
        std::string error;
        if (!fleet.parse(fleetJson, error))
            return error;
        m_simulator = std::make_unique<sim::Simulator>(std::move(fleet), *m_log);
        return m_simulator->start(error) == 0 ? std::string() : error;
    }

    void stop()
    {
        m_simulator.reset();
        m_log.reset();
        if (m_logFile)
            std::fclose(m_logFile);
        m_logFile = nullptr;
    }

    // Every request the units have logged so far, oldest first (events are left out).
    std::vector<nlohmann::json> requests()
    {
        std::vector<nlohmann::json> found;
        std::fflush(m_logFile);
        std::rewind(m_logFile);
        char line[16384];
        while (std::fgets(line, sizeof line, m_logFile)) {
            auto entry = nlohmann::json::parse(line, nullptr, false);
            if (entry.is_object() && entry.contains("hex"))
                found.push_back(std::move(entry));
        }
        std::fseek(m_logFile, 0, SEEK_END);
        return found;
    }

private:
    std::FILE* m_logFile = nullptr;
    std::unique_ptr<sim::RequestLog> m_log;
    std::unique_ptr<sim::Simulator> m_simulator;
};

} // namespace kovra::test_support
