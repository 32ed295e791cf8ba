#include "core/functions/analog_commands.h"
#include "core/functions/input_extension_paths.h"
#include "core/functions/tcp_extension_form.h"
#include "core/net/command_messages.h"
#include "core/net/direct_command.h"
#include "core/net/unit_commands.h"
#include "core/settings/settings_writers.h"
#include "core/units/model_table.h"

namespace kovra {

namespace {

// The unit keeps its extension timing behind "NJ"/"NS": index 0 the disconnect row, 1 the
// notification row, 2 the chattering milliseconds.
enum TimingIndex : int { kDisconIndex = 0, kNoticeIndex = 1, kDetectIndex = 2 };
constexpr int kTimingPauseMs = 50;
constexpr size_t kTimingIndexOffset = 2; // "nj", the index byte, two hex digits, C8h

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

std::string bytesOf(const CommandBytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

DirectRequest timingRead(int index)
{
    return { bytesOf(buildNjRequest(index)), kNjAnswerLength, false, kTimingPauseMs };
}

DirectRequest timingWrite(int index, int value)
{
    return { bytesOf(buildNsRequest(index, uint8_t(value))), kNsAnswerLength, false, kTimingPauseMs };
}

// One timing value; the answer must be about the index asked and end with the end mark.
int readTiming(DirectCommand& command, int index, int& value)
{
    const DirectRequest request = timingRead(index);
    return runDirectRead(command, request, [&request, &value](const std::string& answer) {
        uint8_t parsed = 0;
        if (answer.size() != kNjAnswerLength
            || answer[kTimingIndexOffset] != request.bytes[kTimingIndexOffset]
            || uint8_t(answer.back()) != kFrameEnd
            || !parseNjAnswer(reinterpret_cast<const uint8_t*>(answer.data()), answer.size(), parsed))
            return false;
        value = parsed;
        return true;
    });
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
        const TimingShown& shown = m_form.timingShown();
        if (!shown.discon && !shown.notice && !shown.detect)
            return 0;
        DirectCommand command;
        int result = command.open(m_record);
        int discon = 0;
        int notice = 0;
        int detect = 0;
        if (result == 0 && shown.discon)
            result = readTiming(command, kDisconIndex, discon);
        if (result == 0 && shown.notice)
            result = readTiming(command, kNoticeIndex, notice);
        if (result == 0 && shown.detect)
            result = readTiming(command, kDetectIndex, detect);
        if (result == 0)
            m_form.loadTiming(discon, notice, detect);
        return result;
    }

    // The timing first: the dialog has written it by the time OK returns, whatever the
    // settings message then does.
    WritePlan plan() override
    {
        WritePlan plan;
        const TimingShown& shown = m_form.timingShown();
        DirectStep timing;
        if (shown.discon)
            timing.requests.push_back(timingWrite(kDisconIndex, m_form.disconRow()));
        // A notification only counts without a disconnect time.
        if (shown.notice && (!shown.discon || m_form.disconRow() == TcpExtensionForm::kDisconNoneRow))
            timing.requests.push_back(timingWrite(kNoticeIndex, m_form.noticeRow()));
        if (shown.detect)
            timing.requests.push_back(timingWrite(kDetectIndex, m_form.detectMs()));
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
