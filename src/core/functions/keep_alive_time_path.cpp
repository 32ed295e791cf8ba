#include "core/functions/keep_alive_time_form.h"
#include "core/functions/other_settings_paths.h"
#include "core/net/unit_commands.h"

namespace kovra {

namespace {

// The older units keep their keep-alive seconds in one byte behind accessor C.
class KeepAliveTimePath : public DialogPath {
public:
    explicit KeepAliveTimePath(const UnitSlot& unit)
        : m_record(unit.record)
    {
    }

    DialogForm& form() override { return m_form; }

    int load() override
    {
        uint32_t seconds = 0;
        const int result = readSetting(m_record, Accessor::C, seconds);
        if (result == 0)
            m_form.setSeconds(int(seconds));
        return result;
    }

    WritePlan plan() override { return { AccessorStep { Accessor::C, uint32_t(m_form.seconds()) } }; }

private:
    const UnitRecord m_record;
    KeepAliveTimeForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeKeepAliveTimePath(const UnitSlot& unit)
{
    return std::make_unique<KeepAliveTimePath>(unit);
}

} // namespace kovra
