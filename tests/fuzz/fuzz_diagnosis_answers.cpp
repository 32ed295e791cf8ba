// The answers a diagnosis collects from any sender: each input is a run of answers, each a
// length byte, a sender byte and that many bytes (fewer at the end of the input).
#include "core/diagnostics/diagnosis_report.h"
#include "core/net/discovery_messages.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kovra::FleetDiagnosis report;
    report.adapter.chosen = true;
    report.socketBound = true;
    size_t at = 0;
    while (at + 2 <= size) {
        const size_t length = std::min<size_t>(data[at], size - at - 2);
        const kovra::Ipv4 sender = kovra::makeIpv4(203, 0, 113, data[at + 1] & 0x07);
        report.answers.push_back(kovra::describeAnswer(data + at + 2, length, sender, 30718));
        at += 2 + length;
    }
    report.verdicts = kovra::judgeAnswers(report.answers);
    if (report.verdicts.size() != report.answers.size())
        std::abort();
    for (size_t i = 0; i < report.answers.size(); ++i)
        if ((report.answers[i].length < kovra::kSearchAnswerSize)
            != (report.verdicts[i] == kovra::AnswerVerdict::TooShort))
            std::abort();
    report.conflicts = kovra::findAddressConflicts(report.answers, report.verdicts);
    for (const auto& conflict : report.conflicts)
        if (conflict.macs.size() < 2)
            std::abort();
    // Type pairs are any bytes: the report must still be text and valid JSON.
    (void)kovra::diagnosisText(report);
    (void)kovra::diagnosisJson(report).dump();
    return 0;
}
