#include "core/functions/do_modes_form.h"
#include "core/functions/other_settings_paths.h"
#include "core/net/unit_commands.h"
#include "core/units/model_table.h"

namespace kovra {

namespace {

// Kind-4 units keep the one-shot times of DO1..DO8 in registers 60h-67h.
constexpr int kOneShotRegister = 0x60;

// Kinds 5 and 7 report their DO modes with the settings and take them in one message;
// kind-4 units keep them in registers: keep-alive seconds behind accessor C, the start-ON
// mask behind accessor E and the one-shot times from 60h on.
class DoModesPath : public DialogPath {
public:
    explicit DoModesPath(const UnitSlot& unit)
        : m_record(unit.record)
        , m_form(unit.record.kind, modelDoCount(unit.record.modelIndex),
              keepsRegisters() ? DoModeValues {} : doModeValues(unit.settings))
    {
    }

    DialogForm& form() override { return m_form; }

    int load() override
    {
        if (!keepsRegisters())
            return 0;
        DoModeValues values;
        uint32_t byte = 0;
        int result = readSetting(m_record, Accessor::C, byte);
        if (result != 0)
            return result;
        values.keepAliveSeconds = int(byte);
        result = readSetting(m_record, Accessor::E, values.startOnMask);
        if (result != 0)
            return result;
        const int doCount = m_form.doCount();
        if (doCount > 0) {
            std::array<uint8_t, kChannelCount> times {};
            result = memoryRead(m_record, kOneShotRegister, doCount, times.data());
            if (result != 0)
                return result;
            for (int row = 0; row < doCount; ++row)
                values.oneShot[size_t(row)] = times[size_t(row)];
        }
        m_form.load(values);
        return 0;
    }

    WritePlan plan() override
    {
        const DoModeValues& values = m_form.values();
        const int doCount = m_form.doCount();
        if (!keepsRegisters())
            return { MessageStep { doModesMessage(values, doCount) } };
        WritePlan plan {
            AccessorStep { Accessor::C, uint32_t(values.keepAliveSeconds) },
            AccessorStep { Accessor::E, values.startOnMask },
        };
        if (doCount > 0) {
            MemoryStep times { kOneShotRegister, {} };
            for (int row = 0; row < doCount; ++row)
                times.bytes.push_back(uint8_t(values.oneShot[size_t(row)]));
            plan.push_back(times);
        }
        return plan;
    }

    void store(UnitSlot& unit) override
    {
        if (!keepsRegisters())
            storeDoModes(unit.settings, m_form.values(), m_form.doCount());
    }

private:
    bool keepsRegisters() const { return m_record.kind == kKindNewerWired; }

    const UnitRecord m_record;
    DoModesForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeDoModesPath(const UnitSlot& unit)
{
    return std::make_unique<DoModesPath>(unit);
}

} // namespace kovra
