#include "core/diagnostics/search_answer_verdicts.h"

#include "core/net/discovery_messages.h"
#include "core/units/unit_table.h"

#include <algorithm>
#include <utility>

namespace kovra {

namespace {

constexpr size_t kTypePairOffset = 8;
constexpr size_t kMacOffset = 24;

bool sameUnit(const ReceivedAnswer& a, const ReceivedAnswer& b)
{
    return a.source == b.source && a.mac == b.mac;
}

} // namespace

ReceivedAnswer describeAnswer(const uint8_t* answer, size_t length, Ipv4 source, uint16_t sourcePort)
{
    ReceivedAnswer out;
    out.source = source;
    out.sourcePort = sourcePort;
    out.length = length;
    if (length >= kTypePairOffset + 2)
        out.typePair.assign(reinterpret_cast<const char*>(answer) + kTypePairOffset, 2);
    if (length >= kSearchAnswerSize)
        std::copy(answer + kMacOffset, answer + kMacOffset + out.mac.size(), out.mac.begin());
    return out;
}

std::vector<AnswerVerdict> judgeAnswers(const std::vector<ReceivedAnswer>& answers)
{
    std::vector<AnswerVerdict> verdicts;
    verdicts.reserve(answers.size());
    int slotsUsed = 0;
    for (size_t i = 0; i < answers.size(); ++i) {
        const ReceivedAnswer& answer = answers[i];
        if (answer.length < kSearchAnswerSize) {
            verdicts.push_back(AnswerVerdict::TooShort);
            continue;
        }
        if (!isAcceptedTypePair(uint8_t(answer.typePair[0]), uint8_t(answer.typePair[1]))) {
            verdicts.push_back(AnswerVerdict::UnlistedTypePair);
            continue;
        }
        if (slotsUsed >= kMaxUnits) {
            verdicts.push_back(AnswerVerdict::TableFull);
            continue;
        }
        ++slotsUsed;
        bool seen = false;
        for (size_t j = 0; j < i && !seen; ++j)
            seen = verdicts[j] == AnswerVerdict::Listed && sameUnit(answers[j], answer);
        verdicts.push_back(seen ? AnswerVerdict::Duplicate : AnswerVerdict::Listed);
    }
    return verdicts;
}

std::vector<AddressConflict> findAddressConflicts(
    const std::vector<ReceivedAnswer>& answers, const std::vector<AnswerVerdict>& verdicts)
{
    std::vector<AddressConflict> conflicts;
    std::vector<AddressConflict> holders; // every address with its hardware addresses
    for (size_t i = 0; i < answers.size() && i < verdicts.size(); ++i) {
        if (verdicts[i] == AnswerVerdict::TooShort)
            continue;
        const ReceivedAnswer& answer = answers[i];
        auto holder = std::find_if(holders.begin(), holders.end(),
            [&answer](const AddressConflict& h) { return h.address == answer.source; });
        if (holder == holders.end()) {
            holders.push_back({ answer.source, { answer.mac } });
            continue;
        }
        if (std::find(holder->macs.begin(), holder->macs.end(), answer.mac) == holder->macs.end())
            holder->macs.push_back(answer.mac);
    }
    for (auto& holder : holders)
        if (holder.macs.size() > 1)
            conflicts.push_back(std::move(holder));
    return conflicts;
}

const char* verdictText(AnswerVerdict verdict)
{
    switch (verdict) {
    case AnswerVerdict::Listed:
        return "listed";
    case AnswerVerdict::TooShort:
        return "answer too short";
    case AnswerVerdict::UnlistedTypePair:
        return "unlisted type pair";
    case AnswerVerdict::Duplicate:
        return "duplicate";
    case AnswerVerdict::TableFull:
        return "unit table full";
    }
    return "";
}

} // namespace kovra
