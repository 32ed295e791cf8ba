// kovractl's command line: which words run which command with which options, which are
// usage errors (exit 2, the reason on stderr, nothing run), and the help of every command.
#include "cli/command_line.h"
#include "cli/kovractl.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

using namespace kovra;

namespace {

struct GoodLine {
    std::vector<std::string> words;
    const char* command;
    cli::CliOptions options; // the global options expected
};

class CliGoodLine : public testing::TestWithParam<GoodLine> { };

cli::CliOptions globals(std::string adapter, std::string port, bool json, bool yes = false,
    bool viewVersions = false, bool wifiMask = false, std::string language = "")
{
    return { std::move(adapter), std::move(port), json, yes, viewVersions, wifiMask, std::move(language) };
}

} // namespace

TEST_P(CliGoodLine, RunsItsCommandWithTheGlobalOptions)
{
    const GoodLine& c = GetParam();
    cli::CommandLine line;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(line.parse(c.words, out, err), std::nullopt) << err.str();
    EXPECT_EQ(line.command().name(), c.command);
    EXPECT_EQ(line.options().adapter, c.options.adapter);
    EXPECT_EQ(line.options().port, c.options.port);
    EXPECT_EQ(line.options().json, c.options.json);
    EXPECT_EQ(line.options().yes, c.options.yes);
    EXPECT_EQ(line.options().viewVersions, c.options.viewVersions);
    EXPECT_EQ(line.options().wifiMask, c.options.wifiMask);
    EXPECT_EQ(line.options().language, c.options.language);
    EXPECT_EQ(out.str() + err.str(), "");
}

INSTANTIATE_TEST_SUITE_P(Lines, CliGoodLine,
    testing::Values(GoodLine { { "search" }, "search", globals("", "10001", false) },
        GoodLine { { "--adapter", "203.0.113.1", "--port", "10002", "--json", "search" }, "search",
            globals("203.0.113.1", "10002", true) },
        GoodLine { { "--view-versions", "--wifi-mask", "adapters" }, "adapters",
            globals("", "10001", false, false, true, true) },
        // Global options after the command, as before it.
        GoodLine {
            { "show", "203.0.113.62", "--json", "--show-secrets" }, "show", globals("", "10001", true) },
        GoodLine { { "add", "198.18.0.10", "--port", "0" }, "add", globals("", "0", false) },
        GoodLine {
            { "ping", "203.0.113.40", "--unit", "02-4b-56-00-12-34" }, "ping", globals("", "10001", false) },
        GoodLine { { "--yes", "set-address", "02-4B-56-00-12-34", "--dhcp" }, "set-address",
            globals("", "10001", false, true) },
        GoodLine { { "set-address", "203.0.113.40", "--ip", "203.0.113.41", "--mask", "255.255.0.0",
                       "--gateway", "203.0.113.254", "--yes" },
            "set-address", globals("", "10001", false, true) },
        GoodLine { { "other", "203.0.113.60", "keep-idle=30", "ssid=plant floor", "--dry-run", "--json" },
            "other", globals("", "10001", true) },
        GoodLine { { "search", "--lang", "en" }, "search",
            globals("", "10001", false, false, false, false, "en") }));

namespace {

struct BadLine {
    std::vector<std::string> words;
    const char* message; // the first line of stderr
    const char* help; // the help it points to
};

class CliBadLine : public testing::TestWithParam<BadLine> { };

// An adapter source that records whether anything started.
int noAdapters(std::vector<AdapterEntry>&)
{
    ADD_FAILURE() << "a usage error started the window model";
    return -1;
}

} // namespace

TEST_P(CliBadLine, IsAUsageErrorBeforeAnythingRuns)
{
    const BadLine& c = GetParam();
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::runKovractl(c.words, in, out, err, noAdapters), cli::kExitUsage);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), std::string("kovractl: ") + c.message + "\nSee '" + c.help + "'.\n");
}

INSTANTIATE_TEST_SUITE_P(Lines, CliBadLine,
    testing::Values(BadLine { {}, "no command given", "kovractl --help" },
        BadLine { { "--json" }, "no command given", "kovractl --help" },
        BadLine { { "frob", "203.0.113.40" }, "unknown command frob", "kovractl --help" },
        BadLine { { "--bogus" }, "unknown option --bogus", "kovractl --help" },
        BadLine { { "--bogus", "search" }, "unexpected arguments: --bogus", "kovractl search --help" },
        BadLine { { "search", "extra" }, "unexpected arguments: extra", "kovractl search --help" },
        BadLine { { "--adapter", "eth0", "adapters" }, "--adapter: not an IPv4 address a.b.c.d: eth0",
            "kovractl adapters --help" },
        BadLine { { "--port", "65536", "search" }, "--port: a port is a number from 0 to 65535, not 65536",
            "kovractl search --help" },
        BadLine { { "--port", "0x10", "search" }, "--port: a port is a number from 0 to 65535, not 0x10",
            "kovractl search --help" },
        BadLine { { "--port", "search" }, "--port: a port is a number from 0 to 65535, not search",
            "kovractl --help" },
        BadLine { { "add" }, "IP is required", "kovractl add --help" },
        BadLine { { "add", "203.0.113.256" }, "IP: not an IPv4 address a.b.c.d: 203.0.113.256",
            "kovractl add --help" },
        BadLine { { "show", "203.0.113" },
            "UNIT: a unit is an IPv4 address or a hardware address XX-XX-XX-XX-XX-XX, not 203.0.113",
            "kovractl show --help" },
        BadLine { { "show", "02-4B-56-00-12" },
            "UNIT: a unit is an IPv4 address or a hardware address XX-XX-XX-XX-XX-XX, not 02-4B-56-00-12",
            "kovractl show --help" },
        BadLine {
            { "ping", "203.0.113.40", "--unit" }, "--unit: 1 required UNIT missing", "kovractl ping --help" },
        BadLine { { "set-address", "203.0.113.40" }, "Exactly 1 option from [--dhcp,--ip] is required",
            "kovractl set-address --help" },
        BadLine { { "set-address", "203.0.113.40", "--dhcp", "--ip", "203.0.113.41" },
            "Exactly 1 option from [--dhcp,--ip] is required and 2 were given",
            "kovractl set-address --help" },
        BadLine { { "set-address", "203.0.113.40", "--dhcp", "--gateway", "203.0.113.1" },
            "--gateway requires --ip", "kovractl set-address --help" },
        BadLine { { "set-address", "203.0.113.40", "--ip", "203.0.113.41", "--mask", "255.255.0" },
            "--mask: not an IPv4 address a.b.c.d: 255.255.0", "kovractl set-address --help" },
        BadLine { { "other" }, "UNIT is required", "kovractl other --help" },
        BadLine { { "other", "203.0.113.60", "keep-idle=30", "keep-count" },
            "FIELD=VALUE: not FIELD=VALUE: keep-count", "kovractl other --help" },
        BadLine { { "other", "203.0.113.60", "=30" }, "FIELD=VALUE: not FIELD=VALUE: =30",
            "kovractl other --help" }));

namespace {

struct HelpCase {
    const char* command;
    std::vector<std::string> declared; // what its help must show
};

class CliCommandHelp : public testing::TestWithParam<HelpCase> { };

} // namespace

TEST_P(CliCommandHelp, ComesFromTheDeclarations)
{
    const HelpCase& c = GetParam();
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::runKovractl({ c.command, "--help" }, in, out, err, noAdapters), cli::kExitOk);
    EXPECT_EQ(err.str(), "");
    const std::string help = out.str();
    EXPECT_NE(help.find(std::string("Usage: kovractl ") + c.command + " "), std::string::npos) << help;
    for (const auto& command : cli::allCommands()) {
        if (command->name() == c.command) {
            EXPECT_EQ(help.find(command->summary()), 0u) << help;
        }
    }
    for (const auto& text : c.declared)
        EXPECT_NE(help.find(text), std::string::npos) << text << " in\n" << help;
}

INSTANTIATE_TEST_SUITE_P(Commands, CliCommandHelp,
    testing::Values(HelpCase { "adapters", {} }, HelpCase { "search", {} },
        HelpCase { "add", { "IP REQUIRED" } }, HelpCase { "show", { "UNIT REQUIRED", "--show-secrets" } },
        HelpCase { "ping", { "IP REQUIRED", "--unit UNIT" } },
        HelpCase { "set-address", { "UNIT REQUIRED", "--dhcp", "--ip A", "--mask M", "--gateway G" } },
        HelpCase { "other", { "UNIT REQUIRED", "FIELD=VALUE ...", "--dry-run", "--show-secrets" } }),
    [](const testing::TestParamInfo<HelpCase>& info) {
        std::string name = info.param.command;
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });

TEST(CliHelp, ListsEveryCommandAndGlobalOptionWithTheExitStatuses)
{
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::runKovractl({ "--help" }, in, out, err, noAdapters), cli::kExitOk);
    const std::string help = out.str();
    for (const auto& command : cli::allCommands())
        EXPECT_NE(help.find("  " + command->name() + " "), std::string::npos) << command->name();
    for (const char* option :
        { "--adapter ADDR", "--port N", "--json", "--yes", "--view-versions", "--wifi-mask" })
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_NE(help.find("Exit status: 0 success"), std::string::npos);
}
