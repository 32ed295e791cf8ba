#include "core/functions/extension_timing.h"
#include "core/functions/input_extension_paths.h"
#include "core/functions/tcp_extension_form.h"
#include "core/net/unit_commands.h"
#include "core/settings/settings_writers.h"
#include "core/units/model_table.h"

namespace kovra {

namespace {

// Individual extension under "-WIFIMASK": kind 3 models 2 and 5, at sketch version 99 or from
// 119 on.
constexpr int kMaskModelA = 2;
constexpr int kMaskModelB = 5;
constexpr int kMaskOldSketch = 99;
constexpr int kMaskFromSketch = 119;

bool individualOffered(const UnitSlot& unit, bool wifiMask)
{
    const int model = unit.record.modelIndex;
    const int sketch = unit.settings.sketchVersion;
    return wifiMask && unit.record.kind == kKindWifi && (model == kMaskModelA || model == kMaskModelB)
        && (sketch == kMaskOldSketch || sketch >= kMaskFromSketch);
}

// Kinds 3 and 6 report connection 1 with their settings and take it back in WriteConnection;
// the timing lives in the unit's command memory, asked for and written at once by direct
// commands; the DI mask of the individual extension is accessor B.
class TcpExtensionPath : public DialogPath {
public:
    TcpExtensionPath(const UnitSlot& unit, bool wifiMask)
        : m_record(unit.record)
        , m_openedPort(unit.settings.ports[0])
        , m_withERst(connectionHasERst(unit.record.kind, unit.settings.sketchVersion))
        , m_form(unit.record.kind, unit.record.modelIndex, unit.settings,
              individualOffered(unit, wifiMask) ? modelDiCount(unit.record.modelIndex) : 0)
    {
    }

    DialogForm& form() override { return m_form; }

    int load() override
    {
        if (m_form.individualDiCount() > 0) {
            uint32_t mask = 0;
            if (const int result = readSetting(m_record, Accessor::B, mask))
                return result;
            m_form.loadDiMask(mask);
        }
        return loadExtensionTiming(m_record, m_form);
    }

    // The timing first: the dialog has written it by the time OK returns, whatever the
    // settings message then does.
    WritePlan plan() override
    {
        WritePlan plan;
        const DirectStep timing = extensionTimingWrite(m_form);
        if (!timing.requests.empty())
            plan.push_back(timing);
        if (m_form.individualDiCount() > 0)
            plan.push_back(AccessorStep { Accessor::B, m_form.diMask() });
        plan.push_back(MessageStep { connectionMessage(m_form.values(), m_withERst) });
        return plan;
    }

    void store(UnitSlot& unit) override
    {
        const UnitSettings& written = m_form.values();
        UnitSettings& settings = unit.settings;
        settings.ports[0] = written.ports[0];
        settings.remoteHosts[0] = written.remoteHosts[0];
        settings.remotePorts[0] = written.remotePorts[0];
        settings.eRstOption = written.eRstOption;
        if (written.ports[0] != m_openedPort)
            takeConnectionPort(unit.record, settings);
    }

private:
    const UnitRecord m_record;
    const int m_openedPort;
    const bool m_withERst;
    TcpExtensionForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeTcpExtensionPath(const UnitSlot& unit, bool wifiMask)
{
    return std::make_unique<TcpExtensionPath>(unit, wifiMask);
}

} // namespace kovra
