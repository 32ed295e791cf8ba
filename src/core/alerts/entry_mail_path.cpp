#include "core/alerts/entry_mail_form.h"
#include "core/alerts/mail_alert_paths.h"
#include "core/settings/settings_transport.h"
#include "core/settings/settings_writers.h"
#include "core/units/model_table.h"

namespace kovra {

namespace {

// Kinds 5 and 7 report their mail entries with the settings and take them in one message,
// the credentials scrambled from kind 7 and kind 5 at sketch version 103 on.
class EntryMailPath : public DialogPath {
public:
    explicit EntryMailPath(const UnitSlot& unit)
        : m_form(unit.record.kind, unit.settings.sketchVersion, modelDiCount(unit.record.modelIndex),
            unit.settings)
    {
        // The test button sends from the dialog, on a thread of its own: it gets the unit's
        // record by value, never the path.
        m_form.setMessageSender(
            [record = unit.record](const std::string& text) { return SendSettingsMessage(record, text); });
    }

    DialogForm& form() override { return m_form; }

    WritePlan plan() override
    {
        return { MessageStep { entryMailMessage(m_form.entries(), m_form.diCount(), m_form.scrambled()) } };
    }

    void store(UnitSlot& unit) override { storeEntryMail(unit.settings, m_form.entries(), m_form.diCount()); }

private:
    EntryMailForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeEntryMailPath(const UnitSlot& unit)
{
    return std::make_unique<EntryMailPath>(unit);
}

} // namespace kovra
