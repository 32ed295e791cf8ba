#include "cli/cli_session.h"
#include "cli/command.h"
#include "cli/text_table.h"
#include "cli/unit_json.h"
#include "core/platform/cp932_text.h"

#include <ostream>

namespace kovra::cli {

namespace {

template <typename T, size_t N> nlohmann::json texts(const std::array<T, N>& values)
{
    auto list = nlohmann::json::array();
    for (const auto& value : values)
        list.push_back(cp932ToUtf8(value));
    return list;
}

// Every UnitSettings field by its name; texts from cp932 to UTF-8.
nlohmann::json settingsJson(const UnitSettings& s)
{
    return {
        { "ports", s.ports },
        { "mailHost", cp932ToUtf8(s.mailHost) },
        { "mailPort", s.mailPort },
        { "mailUser", cp932ToUtf8(s.mailUser) },
        { "mailPass", cp932ToUtf8(s.mailPass) },
        { "mailFrom", cp932ToUtf8(s.mailFrom) },
        { "mailTo1", cp932ToUtf8(s.mailTo1) },
        { "mailTo2", cp932ToUtf8(s.mailTo2) },
        { "mailSubject", cp932ToUtf8(s.mailSubject) },
        { "remoteHosts", texts(s.remoteHosts) },
        { "remotePorts", s.remotePorts },
        { "sketchVersion", s.sketchVersion },
        { "textVersion", s.textVersion },
        { "keepIdle", s.keepIdle },
        { "keepInterval", s.keepInterval },
        { "keepCount", s.keepCount },
        { "wifiSsid", cp932ToUtf8(s.wifiSsid) },
        { "wifiPass", cp932ToUtf8(s.wifiPass) },
        { "apMode", s.apMode },
        { "apChannel", s.apChannel },
        { "eRstOption", s.eRstOption },
        { "sockMode", s.sockMode },
        { "unitMode", s.unitMode },
        { "notice", s.notice },
        { "discon", s.discon },
        { "detect", s.detect },
        { "rqReset", s.rqReset },
        { "doMode", s.doMode },
        { "doExtension", s.doExtension },
        { "doOneShot", s.doOneShot },
        { "diExtension", s.diExtension },
        { "mailMode", s.mailMode },
        { "mailHosts", texts(s.mailHosts) },
        { "mailPorts", s.mailPorts },
        { "mailUsers", texts(s.mailUsers) },
        { "mailPasses", texts(s.mailPasses) },
        { "mailFroms", texts(s.mailFroms) },
        { "mailTo1s", texts(s.mailTo1s) },
        { "mailTo2s", texts(s.mailTo2s) },
        { "mailSubjects", texts(s.mailSubjects) },
        { "addressLock", s.addressLock },
    };
}

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
    size_t minArguments() const override { return 1; }
    size_t maxArguments() const override { return 1; }

    int run(CliSession& session, const std::vector<std::string>& arguments) override
    {
        const int slot = session.resolveUnit(arguments[0]);
        if (slot < 0)
            return kExitFailed;
        const UnitSlot& unit = session.model().table().slot(slot);
        const DeviceRow* row = nullptr;
        for (const auto& candidate : session.model().rows())
            if (candidate.ip == unit.record.ipText)
                row = &candidate;
        if (!row) {
            session.err() << arguments[0] << " is not in the device list" << std::endl;
            return kExitFailed;
        }
        const nlohmann::json settings = settingsJson(unit.settings);
        if (session.options().json) {
            session.out() << nlohmann::json {
                { "unit", unitJson(unit, *row) }, { "settings", settings }
            }.dump(2) << std::endl;
            return kExitOk;
        }
        printTextTable(
            session.out(), { "MACアドレス", "IPアドレス", "機種" }, { { row->mac, row->ip, row->model } });
        session.out() << "\n";
        std::vector<std::vector<std::string>> cells;
        for (auto it = settings.begin(); it != settings.end(); ++it)
            cells.push_back({ it.key(), valueText(it.value()) });
        printTextTable(session.out(), { "setting", "value" }, cells);
        return kExitOk;
    }
};

} // namespace

std::unique_ptr<Command> makeShowCommand()
{
    return std::make_unique<ShowCommand>();
}

} // namespace kovra::cli
