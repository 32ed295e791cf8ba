#include "cli/argument_checks.h"
#include "cli/cli_session.h"
#include "cli/command.h"
#include "cli/text_table.h"
#include "core/app/device_list_export.h"

#include <ostream>

namespace kovra::cli {

namespace {

void printRows(CliSession& session, bool csv = false)
{
    const auto& rows = session.model().rows();
    const UnitTable& table = session.model().table();
    if (csv) {
        session.out() << deviceListCsv(table, rows) << std::flush;
        return;
    }
    if (session.options().json) {
        session.out() << deviceListJson(table, rows).dump(2) << std::endl;
        return;
    }
    std::vector<std::vector<std::string>> cells;
    for (const auto& row : rows)
        cells.push_back({ row.mac, row.ip, row.model });
    printTextTable(session.out(), deviceListHeadings(), cells);
}

// `search`: the search button, then the device list.
class SearchCommand : public Command {
public:
    std::string name() const override { return "search"; }
    std::string summary() const override { return "search the adapter's network for units and list them"; }

    void declare(CLI::App& command) override
    {
        command.add_flag("--csv", m_csv,
            "the list as CSV: a header line of the --json keys, then a line per unit (CRLF line ends)");
    }

    int run(CliSession& session) override
    {
        const int status = session.search();
        printRows(session, m_csv);
        if (status == kExitOk && !session.model().unlistedUnits().empty())
            return kExitUnlisted;
        return status;
    }

private:
    bool m_csv = false;
};

// `add IP`: the add button with an address, then the device list.
class AddCommand : public Command {
public:
    std::string name() const override { return "add"; }
    std::string summary() const override { return "add the unit at IP by its address and list it"; }

    void declare(CLI::App& command) override
    {
        command.add_option("IP", m_address, "the unit's IPv4 address (it may be on another subnet)")
            ->required()
            ->type_name("")
            ->check(ipv4Check());
    }

    int run(CliSession& session) override
    {
        const int status = session.add(m_address);
        if (status == kExitOk)
            printRows(session);
        return status;
    }

private:
    std::string m_address;
};

} // namespace

std::unique_ptr<Command> makeSearchCommand()
{
    return std::make_unique<SearchCommand>();
}

std::unique_ptr<Command> makeAddCommand()
{
    return std::make_unique<AddCommand>();
}

} // namespace kovra::cli
