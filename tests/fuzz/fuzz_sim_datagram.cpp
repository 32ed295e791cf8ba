// Datagrams on the discovery port as every kind of simulated unit decodes them. The first
// byte picks the unit and whether the datagram came as a broadcast; the rest is the datagram.
#include "sim_demo_units.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr size_t kMaxAnswer = 2048; // a unit's longest datagram answer fits one read of it

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    auto& units = fuzz_support::demoUnits();
    sim::Unit& unit = *units[(data[0] >> 1) % units.size()];
    const std::string request(reinterpret_cast<const char*>(data + 1), size - 1);
    const sim::DatagramAnswer answer = unit.datagram(request, (data[0] & 1) != 0);
    if (answer.request.empty() || answer.bytes.size() > kMaxAnswer)
        std::abort();
    if (answer.request == "unknown" && !answer.bytes.empty())
        std::abort(); // what a unit does not understand it leaves unanswered
    return 0;
}
