#include "core/alerts/classic_mail_form.h"
#include "core/alerts/classic_mail_writes.h"
#include "core/alerts/mail_alert_paths.h"
#include "core/alerts/mail_setup_image.h"
#include "core/net/discovery.h"
#include "core/net/net_results.h"
#include "core/net/unit_commands.h"
#include "core/units/model_table.h"

namespace kovra {

namespace {

constexpr int kFirstMailRecord = 3;
constexpr int kLastMailRecord = 7;
constexpr int kMaskBytes = 2; // edge mask, enable mask

// The binary kinds keep their mail settings in stored records, DI masks and analog bands.
// The search read records 0 and 5 only, and another setting may have rewritten the others
// since: the path reads records 3 to 7 afresh, the masks and the bands, on the flow's worker
// before the dialog opens, and writes them back from those copies.
class ClassicMailPath : public DialogPath {
public:
    explicit ClassicMailPath(const UnitSlot& unit)
        : m_unit(unit.record)
        , m_hostName(classicAccountRules(unit.record.kind).hostName)
    {
        openForm({});
    }

    DialogForm& form() override { return *m_form; }

    int load() override
    {
        for (int n = kFirstMailRecord; n <= kLastMailRecord; ++n)
            if (!queryRecord(m_unit, n))
                return kAnswerRefused;
        m_image = readMailSetupImage(m_unit, m_hostName);
        ClassicMailValues values;
        values.account = m_image.account;
        if (const int result = readMasks(values))
            return result;
        if (const int result = readAnalogRows(values))
            return result;
        m_form = std::make_unique<ClassicMailForm>(m_unit, values);
        // The test button sends from the dialog, on a thread of its own: it gets the unit's
        // record by value, never the path.
        m_form->setPlanRunner(
            [record = m_unit](const WritePlan& plan) { return runWritePlan(plan, record); });
        return 0;
    }

    // The DI masks and analog bands first, then the records (the last of which restarts the
    // unit).
    WritePlan plan() override
    {
        const ClassicMailValues values = m_form->accepted();
        WritePlan plan = classicInputWrites(m_unit, values, m_form->analogCount());
        MailSetupImage image = m_image;
        image.account = values.account;
        if (diMaskPath(m_unit) == DiMaskPath::InRecords)
            image.diModes = diModesFromMasks(values.enableMask, values.edgeMask, m_form->diCount());
        m_written = m_unit;
        writeMailSetupImage(m_written, image, m_hostName);
        RecordsStep records;
        records.records = mailSetupRecords(m_written, image, m_hostName);
        plan.emplace_back(std::move(records));
        return plan;
    }

    void store(UnitSlot& unit) override { unit.record.configBlocks3to7 = m_written.configBlocks3to7; }

private:
    void openForm(const ClassicMailValues& values)
    {
        m_form = std::make_unique<ClassicMailForm>(m_unit, values);
        // The test button sends from the dialog, on a thread of its own: it gets the unit's
        // record by value, never the path.
        m_form->setPlanRunner(
            [record = m_unit](const WritePlan& plan) { return runWritePlan(plan, record); });
    }

    int readMasks(ClassicMailValues& values)
    {
        uint32_t enable = 0;
        uint32_t edge = 0;
        int result = 0;
        switch (diMaskPath(m_unit)) {
        case DiMaskPath::Accessors:
        case DiMaskPath::ShortCommands:
            result = readSetting(m_unit, Accessor::A, enable);
            if (result == 0)
                result = readSetting(m_unit, Accessor::B, edge);
            break;
        case DiMaskPath::MemoryWrite: {
            uint8_t bytes[kMaskBytes] {};
            result = memoryRead(m_unit, diMaskRegister(m_unit), kMaskBytes, bytes);
            edge = bytes[0];
            enable = bytes[1];
            break;
        }
        case DiMaskPath::InRecords: {
            uint8_t enableMask = 0;
            uint8_t edgeMask = 0;
            masksFromDiModes(m_image.diModes, modelDiCount(m_unit.modelIndex), enableMask, edgeMask);
            enable = enableMask;
            edge = edgeMask;
            break;
        }
        case DiMaskPath::None:
            break;
        }
        values.enableMask = uint8_t(enable);
        values.edgeMask = uint8_t(edge);
        return result;
    }

    int readAnalogRows(ClassicMailValues& values)
    {
        const int rows = classicAnalogRows(m_unit.modelIndex);
        for (int channel = 0; channel < rows; ++channel) {
            std::array<uint8_t, kAkAnswerLength> answer {};
            if (const int result = sendAkRequest(m_unit, channel, answer))
                return result;
            if (!parseAnalogAlertAnswer(
                    answer.data(), answer.size(), channel, values.analog[size_t(channel)]))
                return kAnswerRefused;
        }
        return 0;
    }

    UnitRecord m_unit;
    const bool m_hostName;
    std::unique_ptr<ClassicMailForm> m_form;
    MailSetupImage m_image;
    UnitRecord m_written;
};

} // namespace

std::unique_ptr<DialogPath> makeClassicMailPath(const UnitSlot& unit)
{
    return std::make_unique<ClassicMailPath>(unit);
}

} // namespace kovra
