#include "core/platform/bind_address.h"

#include <atomic>

namespace kovra {

namespace {
std::atomic<Ipv4> g_bindAddress { 0 };
}

Ipv4 bindAddress()
{
    return g_bindAddress.load();
}

void setBindAddress(Ipv4 address)
{
    g_bindAddress.store(address);
}

} // namespace kovra
