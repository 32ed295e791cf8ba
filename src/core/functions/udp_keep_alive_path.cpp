#include "core/functions/other_settings_paths.h"
#include "core/functions/udp_keep_alive_form.h"
#include "core/net/direct_command.h"
#include "core/net/net_results.h"
#include "core/settings/settings_writers.h"

namespace kovra {

namespace {

// Kind 6: the sampling rate is the unit's mode value, read and written by direct commands;
// UDP mode and keep-alive go in the settings message after it.
class UdpKeepAlivePath : public DialogPath {
public:
    explicit UdpKeepAlivePath(const UnitSlot& unit)
        : m_record(unit.record)
        , m_form(unit.settings)
    {
    }

    DialogForm& form() override { return m_form; }

    int load() override
    {
        DirectCommand command;
        int result = command.open(m_record);
        if (result != 0)
            return result;
        std::string answer;
        result = command.exchange(modeReadRequest(), kModeReadAnswerLength, answer);
        if (result != 0)
            return result;
        int value = 0;
        if (!parseModeReadAnswer(answer, value))
            return kAnswerRefused;
        m_form.setSpsIndex(value);
        return 0;
    }

    WritePlan plan() override
    {
        DirectRequest modeWrite;
        modeWrite.bytes = modeWriteRequest(m_form.spsIndex());
        modeWrite.answerLength = kModeWriteAnswerLength;
        return {
            DirectStep { { modeWrite } },
            MessageStep { sockKeepAliveMessage(
                m_form.udpMode() ? 1 : 0, m_form.keepIdle(), m_form.keepInterval(), m_form.keepCount()) },
        };
    }

    void store(UnitSlot& unit) override
    {
        unit.settings.sockMode = m_form.udpMode() ? 1 : 0;
        unit.settings.keepIdle = m_form.keepIdle();
        unit.settings.keepInterval = m_form.keepInterval();
        unit.settings.keepCount = m_form.keepCount();
    }

private:
    const UnitRecord m_record;
    UdpKeepAliveForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeUdpKeepAlivePath(const UnitSlot& unit)
{
    return std::make_unique<UdpKeepAlivePath>(unit);
}

} // namespace kovra
