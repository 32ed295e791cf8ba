// ICMP echo replies, with and without the IPv4 header in front.
#include "core/platform/icmp_echo_message.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kovra::EchoReply reply;
    kovra::parseEchoReply(data, size, true, reply);
    kovra::parseEchoReply(data, size, false, reply);
    return 0;
}
