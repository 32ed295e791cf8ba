#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

namespace sim {

class RequestLog;
class Unit;

// One accepted TCP connection of a unit, served by its own thread. Reading and every wait give
// up as soon as the simulator stops or the unit restarts (its socket is then shut down). The
// socket belongs to the simulator, which closes it once the thread is done.
class Connection {
public:
    // stopFd becomes readable when the simulator stops.
    Connection(int fd, std::string peer, uint16_t port, Unit& unit, RequestLog& log, int stopFd);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // False when the peer closed, on an error, or when the simulator stops.
    bool readByte(uint8_t& byte);
    // Logs the request and sends the answer as the unit's latency and fault switch shape it
    // (an empty answer sends nothing); details go into the log line. False when the connection
    // is to end.
    bool reply(const std::string& name, const std::string& request, const std::string& answer,
        const nlohmann::json& details = nlohmann::json::object());

    // For a unit that hands the socket to a server library: the socket, the event that is
    // readable once the simulator stops, and the log line of a request it answered itself.
    int socket() const { return m_fd; }
    int stopEvent() const { return m_stopFd; }
    void log(const std::string& name, const std::string& request, const std::string& answer);

private:
    bool pause(int ms);

    int m_fd;
    std::string m_peer;
    std::string m_channel;
    Unit& m_unit;
    RequestLog& m_log;
    int m_stopFd;
    bool m_silent = false;
};

} // namespace sim
