#include "cli/cli_options.h"

namespace kovra::cli {

bool parseCliOptions(const std::vector<std::string>& words, CliOptions& options, std::string& error)
{
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= words.size()) {
                error = word + " needs a value";
                return false;
            }
            into = words[++i];
            return true;
        };
        if (word == "--adapter") {
            if (!value(options.adapter))
                return false;
        } else if (word == "--port") {
            if (!value(options.port))
                return false;
            if (options.port.empty() || options.port.find_first_not_of("0123456789") != std::string::npos
                || options.port.size() > 5 || std::stoi(options.port) > 65535) {
                error = "--port takes a number from 0 to 65535";
                return false;
            }
        } else if (word == "--json") {
            options.json = true;
        } else if (word == "--yes") {
            options.yes = true;
        } else if (word == "--view-versions") {
            options.viewVersions = true;
        } else if (word == "--wifi-mask") {
            options.wifiMask = true;
        } else if (word.size() > 2 && word.compare(0, 2, "--") == 0 && options.command.empty()) {
            error = "unknown option " + word;
            return false;
        } else if (options.command.empty()) {
            options.command = word;
        } else {
            options.arguments.push_back(word);
        }
    }
    if (options.command.empty()) {
        error = "no command given";
        return false;
    }
    return true;
}

std::string commandLineOf(const CliOptions& options)
{
    std::string line;
    if (options.viewVersions)
        line += " -VIEWVER";
    if (options.wifiMask)
        line += " -WIFIMASK";
    return line;
}

std::string usageText()
{
    return "usage: kovractl [options] COMMAND [ARGS]\n"
           "\n"
           "options:\n"
           "  --adapter ADDR     use the network adapter with this IPv4 address (default: the first)\n"
           "  --port N           the units' TCP port for the search (default 10001)\n"
           "  --json             print results as JSON\n"
           "  --yes              answer OK/Yes to every question\n"
           "  --view-versions    show firmware versions in the model column\n"
           "  --wifi-mask        enable the extra input-extension branch for Wi-Fi units\n"
           "\n"
           "commands:\n"
           "  adapters           list the usable network adapters\n"
           "  search             search the adapter's network for units and list them\n"
           "  add IP             add the unit at IP by its address and list it\n"
           "  show UNIT          the unit's row and its settings as read from it\n"
           "  ping IP [--unit UNIT]\n"
           "                     the PING check of IP (exit 0: a reply, 1: none); with --unit,\n"
           "                     a reply from that unit's own address is no conflict\n"
           "  set-address UNIT (--dhcp | --ip A [--mask M] [--gateway G])\n"
           "                     give the unit an address or DHCP; mask and gateway default to\n"
           "                     the unit's current ones; asks first unless --yes\n"
           "\n"
           "A UNIT argument is an IPv4 address (the unit is added by address) or a hardware\n"
           "address XX-XX-XX-XX-XX-XX (the network is searched for it).\n"
           "Exit status: 0 success, 1 the operation failed, 2 usage.\n";
}

} // namespace kovra::cli
