#pragma once

#include "core/platform/ipv4.h"

#include <string>

namespace kovra {

constexpr int kPingReplyTimeoutMs = 1000;
constexpr int kPingRetryPauseMs = 1000;

// Which ICMP socket an echo uses. Automatic takes the unprivileged datagram socket where
// net.ipv4.ping_group_range admits the process's group and a raw socket (root, or
// CAP_NET_RAW) otherwise. Tests name one kind to exercise it.
enum class IcmpSocketKind { Automatic, Datagram, Raw };

// Sends one echo request carrying `data` to `address` from bindAddress() and waits at
// most timeoutMs for its reply: an echo reply from that address with this request's
// sequence number (and identifier, where the kernel does not keep it for us). Other ICMP
// traffic that arrives meanwhile is ignored.
// Results: 0 reply; -1 none in time; the socket error when the socket cannot be opened,
// bound or used (10013 when neither socket kind is permitted; 10065/10051 when the
// system already knows the address is unreachable).
int pingEcho(
    Ipv4 address, const std::string& data, int timeoutMs, IcmpSocketKind kind = IcmpSocketKind::Automatic);

// The reachability check: resolves `name` (dotted address or host name; its first IPv4
// address), sends the 45-byte request of buildPingRequest and waits kPingReplyTimeoutMs.
// Results: as pingEcho; 11001 (or another resolver code 11002-11004) when the name does
// not resolve.
int pingHost(const std::string& name, IcmpSocketKind kind = IcmpSocketKind::Automatic);

// pingHost up to `count` times, pausing kPingRetryPauseMs after each failure, until one
// succeeds. Returns the last result (-1 for a count below 1).
int pingRepeated(const std::string& name, int count, IcmpSocketKind kind = IcmpSocketKind::Automatic);

} // namespace kovra
