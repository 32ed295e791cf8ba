// How long the search's classification takes to read the parameters of 64 text-protocol units
// (kinds 3, 5, 6, 7) that each answer 20 ms late: the reads run one after another, two
// connections per unit. Runs the simulator in-process on loopback addresses of its own.
#include "core/app/unit_kind_readers.h"
#include "core/platform/bind_address.h"
#include "core/platform/ipv4.h"
#include "core/units/unit_table.h"
#include "fleet_config.h"
#include "request_log.h"
#include "simulator.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kUnits = 64;
constexpr int kLatencyMs = 20;

uint16_t freeUdpPort()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local {};
    local.sin_family = AF_INET;
    ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
    socklen_t length = sizeof local;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
    ::close(fd);
    return ntohs(local.sin_port);
}

} // namespace

int main()
{
    const struct {
        int kind;
        const char* pair;
        int model;
    } kinds[] = { { 3, "_L", 1 }, { 5, "_W", 25 }, { 6, "_T", 6 }, { 7, "_B", 0 } };
    const unsigned pid = unsigned(::getpid());
    const int second = 100 + int(pid % 100);
    const int third = int((pid / 100) % 250);
    std::string units;
    for (int i = 0; i < kUnits; ++i) {
        const auto& k = kinds[i % 4];
        units += std::string(i ? "," : "") + "{\"kind\":" + std::to_string(k.kind) + ",\"address\":\"127."
            + std::to_string(second) + "." + std::to_string(third) + "." + std::to_string(10 + i)
            + "\",\"model\":" + std::to_string(k.model) + ",\"latencyMs\":" + std::to_string(kLatencyMs)
            + "}";
    }
    sim::FleetConfig fleet;
    std::string error;
    if (!fleet.parse(
            "{\"discoveryPort\":" + std::to_string(freeUdpPort()) + ",\"units\":[" + units + "]}", error)) {
        std::fprintf(stderr, "fleet: %s\n", error.c_str());
        return 1;
    }
    std::FILE* quiet = std::fopen("/dev/null", "w");
    sim::RequestLog log(quiet);
    sim::Simulator simulator(std::move(fleet), log);
    if (simulator.start(error) != 0) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }

    kovra::setBindAddress(kovra::makeIpv4(127, 0, 0, 1));
    kovra::UnitTable table;
    for (int i = 0; i < kUnits; ++i) {
        kovra::UnitRecord& unit = table.record(i);
        unit.peerAddress = kovra::makeIpv4(127, uint8_t(second), uint8_t(third), uint8_t(10 + i));
        unit.ipText = kovra::ipv4ToText(unit.peerAddress);
        unit.answerInfo[2] = uint8_t(kinds[i % 4].pair[0]);
        unit.answerInfo[3] = uint8_t(kinds[i % 4].pair[1]);
        table.accept();
    }
    kovra::UnitKindReaders readers;
    const auto start = std::chrono::steady_clock::now();
    kovra::classifyUnits(table, kovra::makeIpv4(127, 0, 0, 1), kovra::makeIpv4(255, 0, 0, 0), readers);
    const double ms
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "settings read of %d text-protocol units, %d ms unit latency: %.0f ms total, %.1f ms per unit, "
        "%d of %d kept\n",
        kUnits, kLatencyMs, ms, ms / kUnits, table.unitCount(), kUnits);
    simulator.stop();
    std::fclose(quiet);
    return table.unitCount() == kUnits ? 0 : 1;
}
