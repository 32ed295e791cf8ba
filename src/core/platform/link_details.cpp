#include "core/platform/link_details.h"

#include "core/platform/socket.h"

#include <cstring>
#include <linux/ethtool.h>
#include <linux/sockios.h>
#include <net/if.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

namespace kovra {

namespace {

constexpr int64_t kBitsPerMegabit = 1000000;

bool ethtoolQuery(const Socket& socket, const std::string& name, void* command)
{
    ifreq request {};
    if (name.size() >= sizeof request.ifr_name)
        return false;
    std::memcpy(request.ifr_name, name.c_str(), name.size() + 1);
    request.ifr_data = static_cast<char*>(command);
    return ::ioctl(socket.fd(), SIOCETHTOOL, &request) == 0;
}

} // namespace

void readLinkDetails(LinkRecord& link)
{
    // Any socket carries the ioctl; this one never sends.
    Socket s(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (!s.isOpen())
        return;
    ethtool_cmd settings {};
    settings.cmd = ETHTOOL_GSET;
    if (ethtoolQuery(s, link.name, &settings)) {
        const uint32_t megabits = ethtool_cmd_speed(&settings);
        if (megabits != 0 && megabits != uint32_t(SPEED_UNKNOWN))
            link.speedBitsPerSecond = int64_t(megabits) * kBitsPerMegabit;
    }
    ethtool_drvinfo info {};
    info.cmd = ETHTOOL_GDRVINFO;
    if (ethtoolQuery(s, link.name, &info))
        link.driver.assign(info.driver, strnlen(info.driver, sizeof info.driver));
}

} // namespace kovra
