#include "core/functions/keep_alive_wifi_form.h"
#include "core/functions/other_settings_paths.h"
#include "core/settings/settings_writers.h"

namespace kovra {

namespace {

// Kind 3: everything goes in one keep-alive message; nothing is read besides the settings
// the unit reported when it entered the list.
class KeepAliveWifiPath : public DialogPath {
public:
    explicit KeepAliveWifiPath(const UnitSlot& unit)
        : m_settings(unit.settings)
        , m_form(unit)
    {
    }

    DialogForm& form() override { return m_form; }

    WritePlan plan() override
    {
        UnitSettings settings = m_settings;
        m_form.applyTo(settings);
        return { MessageStep { keepAliveMessage(
            settings, settings.sketchVersion, m_form.ipText(), m_form.maskText(), m_form.gatewayText()) } };
    }

    void store(UnitSlot& unit) override { m_form.applyTo(unit.settings); }

private:
    const UnitSettings m_settings;
    KeepAliveWifiForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeKeepAliveWifiPath(const UnitSlot& unit)
{
    return std::make_unique<KeepAliveWifiPath>(unit);
}

} // namespace kovra
