#include "core/platform/icmp_echo.h"
#include "core/platform/icmp_echo_message.h"
#include "core/platform/socket_error.h"
#include "unit/platform_test_peer.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace kovra;
using namespace kovra::test;

namespace {

std::vector<uint8_t> fromHex(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string toHex(const std::vector<uint8_t>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

// An echo reply as the peer sends it back: the request with type 0, checksum redone.
std::vector<uint8_t> replyTo(const std::vector<uint8_t>& request)
{
    std::vector<uint8_t> reply = request;
    reply[0] = kIcmpEchoReply;
    reply[2] = reply[3] = 0;
    const uint16_t sum = internetChecksum(reply.data(), reply.size());
    reply[2] = uint8_t(sum >> 8);
    reply[3] = uint8_t(sum);
    return reply;
}

// An IPv4 header of `headerBytes` (20 or more) from 127.0.0.9 in front of `icmp`.
std::vector<uint8_t> withIpHeader(
    const std::vector<uint8_t>& icmp, size_t headerBytes = 20, uint8_t protocol = 1)
{
    std::vector<uint8_t> packet(headerBytes, 0);
    packet[0] = uint8_t(0x40 | (headerBytes / 4));
    packet[9] = protocol;
    packet[12] = 127;
    packet[15] = 9;
    packet.insert(packet.end(), icmp.begin(), icmp.end());
    return packet;
}

} // namespace

TEST(PlatformIcmpEcho, InternetChecksumFollowsRfc1071)
{
    struct Case {
        const char* bytes;
        uint16_t checksum;
    };
    const Case cases[] = {
        { "0001f203f4f5f6f7", 0x220d }, // the RFC's own example: sum ddf2
        { "", 0xffff },
        { "01", 0xfeff }, // an odd last byte is the high half of a word
        { "0001f2", 0x0dfe },
        { "ffff", 0x0000 },
        { "ffff0001", 0xfffe }, // the carry folds back in
        { "0800dc8e", 0x1b71 },
    };
    for (const auto& c : cases) {
        const auto bytes = fromHex(c.bytes);
        EXPECT_EQ(internetChecksum(bytes.data(), bytes.size()), c.checksum) << c.bytes;
    }
}

TEST(PlatformIcmpEcho, TheReachabilityRequestIsFortyFiveBytesByteForByte)
{
    const auto request = buildPingRequest(0x1234, 0x01020304);
    ASSERT_EQ(request.size(), kPingRequestBytes);
    EXPECT_EQ(toHex(request),
        "0800dc8e" // type 8, code 0, checksum
        "12341234" // identifier and sequence: the request counter
        "01020304" // tick count
        "202122232425262728292a2b2c2d2e2f303132333435363738393a3b3c3d3e3f" // data 32..63
        "00");
    EXPECT_EQ(internetChecksum(request.data(), request.size()), 0);
}

TEST(PlatformIcmpEcho, AnEchoRequestCarriesItsDataAfterTheHeader)
{
    const std::string data = "ICMP SEND DATA";
    const auto request = buildEchoRequest(7, 7, reinterpret_cast<const uint8_t*>(data.data()), data.size());
    EXPECT_EQ(toHex(request), "08001f1a00070007" + toHex(std::vector<uint8_t>(data.begin(), data.end())));
}

TEST(PlatformIcmpEcho, OnlyWellFormedEchoRepliesAreRead)
{
    const auto request = buildPingRequest(0x0102, 99);
    const auto reply = replyTo(request);
    auto corrupt = reply;
    corrupt[20] ^= 0x01;
    auto withCode = replyTo(request);
    withCode[1] = 3;
    withCode = replyTo(withCode);
    auto badIhl = withIpHeader(reply);
    badIhl[0] = 0x44;
    auto hugeIhl = withIpHeader(reply);
    hugeIhl[0] = 0x4F;
    auto ipv6 = withIpHeader(reply);
    ipv6[0] = 0x65;

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        bool withHeader;
        bool accepted;
    };
    const Case cases[] = {
        { "datagram socket reply", reply, false, true },
        { "raw socket reply", withIpHeader(reply), true, true },
        { "raw reply behind IP options", withIpHeader(reply, 24), true, true },
        { "our own request looped back", withIpHeader(request), true, false },
        { "damaged in transit", corrupt, false, false },
        { "non-zero code", withCode, false, false },
        { "shorter than a header", std::vector<uint8_t>(reply.begin(), reply.begin() + 7), false, false },
        { "no room for the IP header", std::vector<uint8_t>(19, 0x45), true, false },
        { "IP header length below 20", badIhl, true, false },
        { "IP header length beyond the data", std::vector<uint8_t>(hugeIhl.begin(), hugeIhl.begin() + 40),
            true, false },
        { "not IPv4", ipv6, true, false },
        { "not ICMP", withIpHeader(reply, 20, 17), true, false },
    };
    for (const auto& c : cases) {
        EchoReply parsed;
        EXPECT_EQ(parseEchoReply(c.bytes.data(), c.bytes.size(), c.withHeader, parsed), c.accepted) << c.what;
        if (c.accepted) {
            EXPECT_EQ(parsed.identifier, 0x0102) << c.what;
            EXPECT_EQ(parsed.sequence, 0x0102) << c.what;
            EXPECT_EQ(parsed.source, c.withHeader ? makeIpv4(127, 0, 0, 9) : 0u) << c.what;
        }
    }
}

// Whether a result says this process may not open this kind of ICMP socket.
bool notPermitted(int result)
{
    return result == kSocketAccessDenied || result == kSocketProtocolNotSupported;
}

#define SKIP_WHEN_NOT_PERMITTED(result)                                                                      \
    if (notPermitted(result))                                                                                \
    GTEST_SKIP() << "ICMP sockets of this kind are not permitted here (" << (result) << ")"

class PlatformIcmpEchoLoopback : public ::testing::TestWithParam<IcmpSocketKind> {
    LoopbackBinding m_binding;
};

TEST_P(PlatformIcmpEchoLoopback, LoopbackAnswersEveryKindOfRequest)
{
    const int first = pingHost("127.0.0.1", GetParam());
    SKIP_WHEN_NOT_PERMITTED(first);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(pingEcho(loopback(), "ICMP SEND DATA", 1000, GetParam()), 0);
    EXPECT_EQ(pingEcho(makeIpv4(127, 0, 0, 1), std::string(), 1000, GetParam()), 0);
    EXPECT_EQ(pingRepeated("127.0.0.1", 3, GetParam()), 0);
}

TEST_P(PlatformIcmpEchoLoopback, ConcurrentChecksEachGetTheirOwnReply)
{
    SKIP_WHEN_NOT_PERMITTED(pingHost("127.0.0.1", GetParam()));
    std::atomic<int> failures { 0 };
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&, i] {
            for (int n = 0; n < 5; ++n)
                if (pingEcho(makeIpv4(127, 0, 0, uint8_t(1 + i)), "x", 1000, GetParam()) != 0)
                    ++failures;
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(failures.load(), 0);
}

std::string kindName(const ::testing::TestParamInfo<IcmpSocketKind>& info)
{
    const char* names[] = { "Automatic", "Datagram", "Raw" };
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(SocketKinds, PlatformIcmpEchoLoopback,
    ::testing::Values(IcmpSocketKind::Automatic, IcmpSocketKind::Datagram, IcmpSocketKind::Raw), kindName);

TEST(PlatformIcmpEcho, NamesThatDoNotResolveGiveTheResolverCode)
{
    // An empty name fails without asking any name server.
    EXPECT_EQ(pingHost(""), kSocketHostNotFound);
    EXPECT_EQ(pingRepeated("", 0), -1);
}
