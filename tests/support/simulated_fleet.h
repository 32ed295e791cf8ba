#pragma once

#include "fleet_config.h"
#include "request_log.h"
#include "simulator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
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
    std::vector<nlohmann::json> requests() { return entries("hex"); }

    // Every event ("up", "restart", ...) so far, oldest first.
    std::vector<nlohmann::json> events() { return entries("event"); }

    // True once the unit has come up at `address` after a restart, within `wait`.
    bool cameUpAt(const std::string& address, std::chrono::milliseconds wait)
    {
        return logsEvent("up", address, wait);
    }

    // True once the unit at `address` has restarted, within `wait`.
    bool restartedWithin(const std::string& address, std::chrono::milliseconds wait)
    {
        return logsEvent("restart", address, wait);
    }

private:
    // True once the unit at `address` has logged event `what`, within `wait`.
    bool logsEvent(const char* what, const std::string& address, std::chrono::milliseconds wait)
    {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        for (;;) {
            for (const auto& entry : events())
                if (entry.value("event", "") == what && entry.value("unit", "") == address)
                    return true;
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    // The log's lines that hold `key`.
    std::vector<nlohmann::json> entries(const char* key)
    {
        std::vector<nlohmann::json> found;
        std::fflush(m_logFile);
        std::rewind(m_logFile);
        // Lines of any length: an oversized answer logs hundreds of kilobytes.
        char* line = nullptr;
        size_t capacity = 0;
        ssize_t length = 0;
        while ((length = ::getline(&line, &capacity, m_logFile)) > 0) {
            auto entry = nlohmann::json::parse(line, line + length, nullptr, false);
            if (entry.is_object() && entry.contains(key))
                found.push_back(std::move(entry));
        }
        std::free(line);
        std::fseek(m_logFile, 0, SEEK_END);
        return found;
    }

    std::FILE* m_logFile = nullptr;
    std::unique_ptr<sim::RequestLog> m_log;
    std::unique_ptr<sim::Simulator> m_simulator;
};

} // namespace kovra::test_support
