#include "cli/argument_checks.h"
#include "cli/cli_session.h"
#include "cli/command.h"
#include "cli/text_table.h"
#include "cli/unit_json.h"
#include "core/app/device_list_export.h"

#include <ostream>

namespace kovra::cli {

namespace {

std::string valueText(const nlohmann::json& value)
{
    if (value.is_string())
        return value.get<std::string>();
    if (!value.is_array())
        return value.dump();
    std::string joined;
    for (const auto& item : value)
        joined += (joined.empty() ? "" : " | ") + valueText(item);
    return joined;
}

// `show UNIT`: the unit's device-list row and the settings read when it was listed.
class ShowCommand : public Command {
public:
    std::string name() const override { return "show"; }
    std::string summary() const override { return "the unit's row and its settings as read from it"; }

    void declare(CLI::App& command) override
    {
        addUnitArgument(command, m_unit);
        addShowSecretsFlag(command, m_showSecrets);
    }

    int run(CliSession& session) override
    {
        const int slot = session.resolveUnit(m_unit);
        if (slot < 0)
            return kExitFailed;
        const UnitSlot& unit = session.model().table().slot(slot);
        const DeviceRow* row = nullptr;
        for (const auto& candidate : session.model().rows())
            if (candidate.ip == unit.record.ipText)
                row = &candidate;
        if (!row) {
            session.err() << m_unit << " is not in the device list" << std::endl;
            return kExitFailed;
        }
        const nlohmann::json settings = settingsJson(unit.settings, m_showSecrets);
        if (session.options().json) {
            session.out() << nlohmann::json {
                { "unit", nlohmann::json(deviceRowJson(unit, *row)) }, { "settings", settings }
            }.dump(2) << std::endl;
            return kExitOk;
        }
        printTextTable(session.out(), deviceListHeadings(), { { row->mac, row->ip, row->model } });
        session.out() << "\n";
        std::vector<std::vector<std::string>> cells;
        for (auto it = settings.begin(); it != settings.end(); ++it)
            cells.push_back({ it.key(), valueText(it.value()) });
        printTextTable(session.out(), { "setting", "value" }, cells);
        return kExitOk;
    }

private:
    std::string m_unit;
    bool m_showSecrets = false;
};

} // namespace

std::unique_ptr<Command> makeShowCommand()
{
    return std::make_unique<ShowCommand>();
}

} // namespace kovra::cli
