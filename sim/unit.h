#pragma once

#include "fault.h"
#include "unit_config.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace sim {

class Connection;

// A unit's answer to one datagram on the discovery port.
struct DatagramAnswer {
    std::string request; // name for the log and the fault switch; "unknown" when not understood
    std::string bytes; // empty: the unit does not answer
    std::string refused; // why a recognised request was not carried out (for the log)
    bool restart = false; // the unit restarts once the answer is out
};

// One simulated unit, seen from its own side: what it keeps and what it answers. The simulator
// owns the sockets and calls in from its loop thread (datagrams) and from one thread per TCP
// connection, so state that both reach is guarded by the derived class.
class Unit {
public:
    explicit Unit(const UnitConfig& config);
    virtual ~Unit() = default;
    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;

    const UnitConfig& config() const { return m_config; }
    // The address the unit answers at now (host order).
    uint32_t address() const { return m_address.load(); }

    // The answer shaped by the unit's latency and fault switch.
    Delivery deliver(Channel channel, const std::string& request, const std::string& answer);

    // broadcast: the request reached the unit by a broadcast, not at its own address.
    virtual DatagramAnswer datagram(const std::string& request, bool broadcast) = 0;
    // The unit's subnet mask while it is up (host order): a broadcast to its subnet reaches it.
    virtual uint32_t netmask() const = 0;
    // The TCP ports the unit listens on while it is up.
    virtual std::vector<uint16_t> tcpPorts() const = 0;
    // Serves one accepted connection on port until the peer or the simulator ends it.
    virtual void serve(uint16_t port, Connection& connection) = 0;
    // Called while the unit is down for a restart: takes its stored configuration into use.
    virtual void restart() = 0;

    // Set by the simulator: how a unit asks to be restarted from one of its connections.
    void setRestartHook(std::function<void()> hook) { m_restartHook = std::move(hook); }

protected:
    void setAddress(uint32_t address) { m_address.store(address); }
    // The unit goes down for the fleet's restart time, as after a record write, once the
    // simulator's loop takes the request.
    void requestRestart()
    {
        if (m_restartHook)
            m_restartHook();
    }

private:
    const UnitConfig m_config;
    std::atomic<uint32_t> m_address;
    std::mutex m_faultMutex;
    int m_faultsUsed = 0;
    std::function<void()> m_restartHook;
};

} // namespace sim
