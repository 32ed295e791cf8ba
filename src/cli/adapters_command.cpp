#include "cli/cli_session.h"
#include "cli/command.h"
#include "cli/text_table.h"
#include "core/platform/ipv4.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace kovra::cli {

namespace {

// `adapters`: the usable network adapters, as list 1131 shows them.
class AdaptersCommand : public Command {
public:
    std::string name() const override { return "adapters"; }
    std::string summary() const override { return "the usable network adapters"; }

    int run(CliSession& session) override
    {
        const auto& adapters = session.model().adapters();
        if (session.options().json) {
            auto list = nlohmann::json::array();
            for (const auto& a : adapters)
                list.push_back({ { "ifIndex", a.ifIndex }, { "friendlyName", a.friendlyName },
                    { "description", a.description }, { "address", ipv4ToText(a.address) },
                    { "mask", ipv4ToText(a.mask) }, { "line", adapterLine(a) } });
            session.out() << list.dump(2) << std::endl;
            return kExitOk;
        }
        std::vector<std::vector<std::string>> rows;
        for (const auto& a : adapters)
            rows.push_back({ std::to_string(a.ifIndex), a.friendlyName, ipv4ToText(a.address),
                ipv4ToText(a.mask), a.description });
        printTextTable(session.out(), { "INDEX", "NAME", "ADDRESS", "MASK", "DESCRIPTION" }, rows);
        return kExitOk;
    }
};

} // namespace

std::unique_ptr<Command> makeAdaptersCommand()
{
    return std::make_unique<AdaptersCommand>();
}

} // namespace kovra::cli
