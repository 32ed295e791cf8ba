#pragma once

#include "core/app/user_interface.h"
#include "core/platform/ipv4.h"

#include <functional>
#include <string>

namespace kovra {

// The 14 data bytes of the PING check's echo request, and its wait for the reply.
constexpr const char* kPingCheckData = "ICMP SEND DATA";
constexpr int kPingCheckTimeoutMs = 1000;

enum class PingOutcome {
    Nothing, // no whole address to ping: the message says so, nothing is sent
    Reply,
    NoReply,
    Failed, // the echo could not be sent: "通信エラー"
};

// The PING button's flow, on a worker thread: one echo request to the address of box 1003
// and the message for its outcome. A reply from the selected unit's own address only says
// there was a reply; from any other address it warns of a conflict.
class PingFlow {
public:
    // Sends one echo and waits for its reply: 0 reply, -1 none, else a socket error.
    using Echo = std::function<int(Ipv4)>;
    using Done = std::function<void(PingOutcome)>;

    // unitAddress: the selected unit's current address, 0 when no unit is selected.
    PingFlow(UserInterface& ui, std::string addressText, Ipv4 unitAddress, Done done, Echo echo = {});
    void run();

private:
    PingOutcome ping();

    UserInterface& m_ui;
    std::string m_addressText;
    Ipv4 m_unitAddress;
    Done m_done;
    Echo m_echo;
};

} // namespace kovra
