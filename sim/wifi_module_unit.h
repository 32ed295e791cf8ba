#pragma once

#include "module_config_record.h"
#include "unit.h"

#include <array>
#include <condition_variable>
#include <map>
#include <memory>
#include <microhttpd.h>
#include <mutex>

namespace sim {

class WiredUnit;

// A unit of kind 2: an I/O unit behind a Wi-Fi module. The module answers the search with
// type pair "Y1" and keeps a configuration record that its web interface exports and
// imports over HTTP with digest authentication (user "admin", password "TOLLGATE"); its
// serial tunnel (the record's Tunnel Accept 1 port) reaches the unit's command protocol.
// An import that asks for it reboots the module, which then runs with the record's
// Interface and Tunnel Accept values.
class WifiModuleUnit : public Unit {
public:
    explicit WifiModuleUnit(const UnitConfig& config);
    ~WifiModuleUnit() override;

    DatagramAnswer datagram(const std::string& request, bool broadcast) override;
    uint32_t netmask() const override;
    std::vector<uint16_t> tcpPorts() const override;
    void serve(uint16_t port, Connection& connection) override;
    void restart() override;

    // The whole record as an export gives it, for tests and the log.
    std::string recordText() const;

    struct Session; // one HTTP connection handed to the server library
    struct Request; // one HTTP request being received

private:
    struct Answer {
        unsigned status;
        std::string body;
        bool reboot = false;
    };

    void serveHttp(Connection& connection);
    Answer exportAnswer(const std::string& groupList) const;
    Answer importAnswer(const std::string& record);
    std::string searchAnswer() const;

    static MHD_Result accessHandler(void* cls, MHD_Connection* connection, const char* url,
        const char* method, const char* version, const char* uploadData, size_t* uploadDataSize,
        void** context);
    static void requestCompleted(
        void* cls, MHD_Connection* connection, void** context, MHD_RequestTerminationCode code);
    static void connectionNotice(
        void* cls, MHD_Connection* connection, void** socketContext, MHD_ConnectionNotificationCode code);
    MHD_Result respond(MHD_Connection* connection, Request& request);
    // A body that goes out one byte per gap (the trickle fault); ends early when the unit stops.
    MHD_Response* trickleResponse(const std::string& bytes, int gapMs);
    // Waits ms unless the unit stops meanwhile; false when it stopped.
    bool pause(int ms);

    std::unique_ptr<WiredUnit> m_serial; // the I/O unit on the tunnel port
    MHD_Daemon* m_daemon = nullptr;
    std::array<unsigned char, 32> m_nonceSeed {};
    mutable std::mutex m_mutex;
    std::condition_variable m_changed; // stopping, or a session ended
    bool m_stopping = false;
    ModuleConfigRecord m_record;
    uint32_t m_mask = 0;
    uint16_t m_tunnelPort = 0;
    std::map<int, std::shared_ptr<Session>> m_pendingSessions; // by socket, until the library starts it
};

} // namespace sim
