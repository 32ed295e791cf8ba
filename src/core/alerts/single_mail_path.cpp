#include "core/alerts/single_mail_path.h"

#include "core/alerts/single_mail_form.h"
#include "core/settings/settings_message.h"
#include "core/settings/settings_transport.h"

namespace kovra {

namespace {

// Kind 3 units report their one mail account with the settings and take it back in one
// message; nothing is read besides what they reported when they entered the list.
class SingleMailPath : public DialogPath {
public:
    explicit SingleMailPath(const UnitSlot& unit)
        : m_settings(unit.settings)
        , m_form(unit.settings)
    {
        // The test button sends from the dialog, on a thread of its own: it gets the unit's
        // record by value, never the path.
        m_form.setMessageSender(
            [record = unit.record](const std::string& text) { return SendSettingsMessage(record, text); });
    }

    DialogForm& form() override { return m_form; }

    // The values go into the settings first; the message is printed from there.
    WritePlan plan() override
    {
        UnitSettings settings = m_settings;
        m_form.applyTo(settings);
        return { MessageStep { singleMailMessage(settings, false) } };
    }

    void store(UnitSlot& unit) override { m_form.applyTo(unit.settings); }

private:
    const UnitSettings m_settings;
    SingleMailForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeSingleMailPath(const UnitSlot& unit)
{
    return std::make_unique<SingleMailPath>(unit);
}

} // namespace kovra
