#pragma once

#include "fleet_config.h"
#include "interface_addresses.h"
#include "request_log.h"
#include "unit.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <thread>
#include <vector>

namespace sim {

// Runs a fleet: one socket on 0.0.0.0 at the discovery port receives broadcasts, each unit has a
// socket on its own address at the discovery port (it answers from there, and unicast requests
// reach it there) and a listener on each of its TCP ports. One loop thread serves the datagrams,
// accepts connections and runs restarts; each connection has its own thread.
class Simulator {
public:
    // interfaceName: when not empty, the units' addresses are put on that interface while they
    // are up (the test bench); otherwise they must already be local (127.x.y.z on loopback).
    Simulator(FleetConfig fleet, RequestLog& log, std::string interfaceName = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Completes the fleet (FleetConfig::complete), brings every unit up and starts serving: 0, or
    // an errno value (EINVAL for a fleet that does not pass) with a message in error.
    int start(std::string& error);
    // Stops serving and closes every socket; also done by the destructor.
    void stop();

    // The units, once started.
    size_t unitCount() const { return m_slots.size(); }
    Unit& unit(size_t index) { return *m_slots.at(index)->unit; }
    // False while the unit restarts.
    bool isUp(size_t index) const { return m_slots.at(index)->up.load(); }

private:
    using Clock = std::chrono::steady_clock;

    struct Slot {
        std::unique_ptr<Unit> unit;
        int udp = -1;
        std::vector<std::pair<int, uint16_t>> listeners; // socket, port
        uint32_t boundAddress = 0;
        std::atomic<bool> up { false };
        Clock::time_point upAt; // while down: when the unit comes back
    };

    struct Pending {
        Clock::time_point due;
        size_t slot;
        sockaddr_in to;
        std::string bytes;
        bool restart;
    };

    struct Session {
        int fd;
        size_t slot;
        std::thread thread;
        std::atomic<bool> done { false };
    };

    int bringUp(size_t index, std::string& error);
    void takeDown(size_t index);
    void loop();
    void receiveBroadcast();
    void receiveUnicast(size_t index);
    void handleDatagram(
        size_t index, const std::string& bytes, const sockaddr_in& from, bool broadcast, int extraDelayMs);
    void queuePending(const Pending& pending);
    bool isBroadcast(uint32_t destination) const;
    void accept(size_t index, int listener, uint16_t port);
    void sendDue(Clock::time_point now);
    void restartDue(Clock::time_point now);
    void restartRequested(Clock::time_point now);
    void takeDownForRestart(size_t index, Clock::time_point now);
    void reapSessions(bool all);
    int pollTimeout(Clock::time_point now) const;
    void wake();

    FleetConfig m_fleet;
    RequestLog& m_log;
    std::unique_ptr<InterfaceAddresses> m_addresses;
    std::vector<std::unique_ptr<Slot>> m_slots;
    std::string m_udpChannel;
    int m_any = -1;
    int m_stopFd = -1;
    int m_wakeFd = -1;
    std::thread m_loop;
    bool m_running = false;
    std::vector<Pending> m_pending; // loop thread only, kept in due order
    std::mutex m_sessionMutex;
    std::list<Session> m_sessions;
    std::mutex m_restartMutex;
    std::vector<size_t> m_restartRequests; // units that asked for a restart from a connection
};

} // namespace sim
