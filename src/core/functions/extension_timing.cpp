#include "core/functions/extension_timing.h"

#include "core/functions/analog_commands.h"
#include "core/net/command_messages.h"
#include "core/net/direct_command.h"

namespace kovra {

namespace {

enum TimingIndex : int { kDisconIndex = 0, kNoticeIndex = 1, kDetectIndex = 2 };
constexpr int kTimingPauseMs = 50;
constexpr size_t kTimingIndexOffset = 2; // "nj", the index byte, two hex digits, C8h

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

} // namespace

int loadExtensionTiming(const UnitRecord& unit, TcpExtensionForm& form)
{
    const TimingShown& shown = form.timingShown();
    if (!shown.discon && !shown.notice && !shown.detect)
        return 0;
    DirectCommand command;
    int result = command.open(unit);
    int discon = 0;
    int notice = 0;
    int detect = 0;
    if (result == 0 && shown.discon)
        result = readTiming(command, kDisconIndex, discon);
    if (result == 0 && shown.notice)
        result = readTiming(command, kNoticeIndex, notice);
    if (result == 0 && shown.detect)
        result = readTiming(command, kDetectIndex, detect);
    command.close();
    if (result == 0)
        form.loadTiming(discon, notice, detect);
    return result;
}

DirectStep extensionTimingWrite(const TcpExtensionForm& form)
{
    DirectStep timing;
    const TimingShown& shown = form.timingShown();
    if (shown.discon)
        timing.requests.push_back(timingWrite(kDisconIndex, form.disconRow()));
    // A notification only counts without a disconnect time.
    if (shown.notice && (!shown.discon || form.disconRow() == TcpExtensionForm::kDisconNoneRow))
        timing.requests.push_back(timingWrite(kNoticeIndex, form.noticeRow()));
    if (shown.detect)
        timing.requests.push_back(timingWrite(kDetectIndex, form.detectMs()));
    return timing;
}

} // namespace kovra
