// kovra-sim: simulated KOVRA units, answering from the units' side.
#include "address_text.h"
#include "demo_fleet.h"
#include "fleet_config.h"
#include "request_log.h"
#include "simulator.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

const char kUsage[] = "usage: kovra-sim [--fleet FILE.json | --demo] [--log FILE] [--iface NAME] [--list]\n"
                      "  --fleet FILE  run the units of a fleet file (see docs/simulator.md)\n"
                      "  --demo        run the built-in demo fleet (addresses of the test bench)\n"
                      "  --log FILE    write the request log there instead of standard output\n"
                      "  --iface NAME  put each running unit's address on interface NAME (test bench)\n"
                      "  --list        print the fleet's units and exit\n"
                      "Runs until SIGINT or SIGTERM.\n";

struct Options {
    std::string fleetFile;
    bool demo = false;
    std::string logFile;
    std::string interfaceName;
    bool list = false;
};

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--fleet" && hasValue)
            options.fleetFile = argv[++i];
        else if (arg == "--demo")
            options.demo = true;
        else if (arg == "--log" && hasValue)
            options.logFile = argv[++i];
        else if (arg == "--iface" && hasValue)
            options.interfaceName = argv[++i];
        else if (arg == "--list")
            options.list = true;
        else
            return false;
    }
    return options.demo != !options.fleetFile.empty();
}

void printList(const sim::FleetConfig& fleet)
{
    std::printf("%-16s %-4s %-4s %-5s %-6s %-6s %-17s %s\n", "address", "kind", "pair", "model", "switch",
        "port", "mac", "name");
    for (const sim::UnitConfig& unit : fleet.units) {
        const auto& mac = *unit.mac;
        char macText[18];
        std::snprintf(macText, sizeof(macText), "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2],
            mac[3], mac[4], mac[5]);
        std::printf("%-16s %-4d %-4s %-5d %-6d %-6u %-17s %s\n",
            sim::AddressText::format(unit.runningAddress()).c_str(), unit.kind, unit.typePair->c_str(),
            unit.model, unit.unitSwitch, unsigned(unit.port), macText, unit.name.c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    std::string text = sim::demoFleetText();
    if (!options.demo) {
        std::ifstream file(options.fleetFile);
        if (!file) {
            std::fprintf(stderr, "kovra-sim: cannot read %s\n", options.fleetFile.c_str());
            return kExitFailure;
        }
        std::ostringstream content;
        content << file.rdbuf();
        text = content.str();
    }
    sim::FleetConfig fleet;
    std::string error;
    if (!fleet.parse(text, error)) {
        std::fprintf(stderr, "kovra-sim: %s\n", error.c_str());
        return kExitFailure;
    }
    if (options.list) {
        printList(fleet);
        return 0;
    }

    std::FILE* logFile = stdout;
    if (!options.logFile.empty()) {
        logFile = std::fopen(options.logFile.c_str(), "w");
        if (!logFile) {
            std::fprintf(
                stderr, "kovra-sim: cannot write %s: %s\n", options.logFile.c_str(), std::strerror(errno));
            return kExitFailure;
        }
    }
    // Each unit holds a few sockets and every connection one more: allow as many as the system lets.
    rlimit files {};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    // Every thread inherits the blocked signals; the main thread alone waits for them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    sim::RequestLog log(logFile);
    int status = 0;
    {
        sim::Simulator simulator(std::move(fleet), log, options.interfaceName);
        if (simulator.start(error) != 0) {
            std::fprintf(stderr, "kovra-sim: %s\n", error.c_str());
            status = kExitFailure;
        } else {
            int received = 0;
            sigwait(&signals, &received);
            simulator.stop();
            log.event("", "stopped", { { "signal", received } });
        }
    }
    if (logFile != stdout)
        std::fclose(logFile);
    return status;
}
