// Bytes on a simulated unit's TCP ports (command port, text units' settings port, a Wi-Fi
// module's serial port) as the unit decodes them. The first byte picks the unit and the
// port; the rest arrives on a connection that the peer then half-closes. The module's web
// port is left out: its requests are decoded by the HTTP library and the posted record by
// the module record parser (fuzz_sim_module_record).
#include "connection.h"
#include "request_log.h"
#include "sim_demo_units.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Port {
    sim::Unit* unit;
    uint16_t port;
};

const std::vector<Port>& servedPorts()
{
    static const std::vector<Port> ports = [] {
        std::vector<Port> found;
        for (auto& unit : fuzz_support::demoUnits())
            for (uint16_t port : unit->tcpPorts())
                if (unit->config().kind != 2 || port != unit->config().httpPort)
                    found.push_back({ unit.get(), port });
        return found;
    }();
    return ports;
}

// Enough for the longest line a unit keeps (1024 bytes) and a request after it; longer inputs
// only cost time, since every byte is a poll and a read.
constexpr size_t kMaxRequestBytes = 1100;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static sim::RequestLog log(std::fopen("/dev/null", "w"));
    static const int neverStop = ::eventfd(0, EFD_CLOEXEC);
    const Port& target = servedPorts()[data[0] % servedPorts().size()];
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        std::abort();
    // Answers pile up unread: a full buffer makes the unit's send fail instead of blocking.
    ::fcntl(ends[1], F_SETFL, O_NONBLOCK);
    const size_t request = std::min(size - 1, kMaxRequestBytes);
    if (request > 0 && ::send(ends[0], data + 1, request, MSG_NOSIGNAL) != ssize_t(request))
        std::abort();
    ::shutdown(ends[0], SHUT_WR);
    {
        sim::Connection connection(ends[1], "fuzz", target.port, *target.unit, log, neverStop);
        target.unit->serve(target.port, connection);
    }
    ::close(ends[0]);
    ::close(ends[1]);
    return 0;
}
