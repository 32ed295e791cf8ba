#include "cli/argument_checks.h"

#include "core/platform/ipv4.h"
#include "core/units/unit_record.h"

namespace kovra::cli {

namespace {

constexpr unsigned long kLargestPort = 65535;
constexpr size_t kPortDigits = 5;

// A check with no description of its own: the option's help text says what it takes.
CLI::Validator check(std::function<std::string(const std::string&)> problem)
{
    return CLI::Validator([problem](std::string& text) { return problem(text); }, "");
}

bool isIpv4(const std::string& text)
{
    Ipv4 address = 0;
    return parseIpv4(text, address);
}

} // namespace

CLI::Validator ipv4Check()
{
    return check([](const std::string& text) {
        return isIpv4(text) ? std::string() : "not an IPv4 address a.b.c.d: " + text;
    });
}

CLI::Validator unitCheck()
{
    return check([](const std::string& text) {
        std::array<uint8_t, 6> mac {};
        if (isIpv4(text) || parseMacText(text, mac))
            return std::string();
        return "a unit is an IPv4 address or a hardware address XX-XX-XX-XX-XX-XX, not " + text;
    });
}

CLI::Validator portCheck()
{
    return check([](const std::string& text) {
        if (text.empty() || text.size() > kPortDigits
            || text.find_first_not_of("0123456789") != std::string::npos || std::stoul(text) > kLargestPort)
            return "a port is a number from 0 to 65535, not " + text;
        return std::string();
    });
}

CLI::Validator assignmentCheck()
{
    return check([](const std::string& text) {
        const size_t equals = text.find('=');
        return equals != std::string::npos && equals > 0 ? std::string() : "not FIELD=VALUE: " + text;
    });
}

void addUnitArgument(CLI::App& command, std::string& unit)
{
    // No type word in the help: "UNIT", not "UNIT TEXT".
    command.add_option("UNIT", unit, "the unit: an IPv4 address or a hardware address XX-XX-XX-XX-XX-XX")
        ->required()
        ->type_name("")
        ->check(unitCheck());
}

void addShowSecretsFlag(CLI::App& command, bool& showSecrets)
{
    command.add_flag("--show-secrets", showSecrets, "print passwords in clear (else \"*\")");
}

} // namespace kovra::cli
