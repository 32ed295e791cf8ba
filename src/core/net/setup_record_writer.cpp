#include "core/net/setup_record_writer.h"

#include "core/net/discovery.h"
#include "core/net/discovery_messages.h"
#include "core/net/net_results.h"

namespace kovra {

SetupRecord storedSetupRecord(const UnitRecord& unit, int n)
{
    if (n == 0)
        return { 0, std::vector<uint8_t>(unit.configBlock0.begin(), unit.configBlock0.end()) };
    if (n >= 3 && n <= 7)
        return { n, std::vector<uint8_t>(unit.configBlock(n).begin(), unit.configBlock(n).end()) };
    return { n, {} };
}

SetupRecord emptySetupRecord(int n)
{
    return { n, std::vector<uint8_t>(n == 0 ? kConfigBlock0Size : kConfigBlockSize, 0) };
}

int writeSetupRecords(Ipv4 unitAddress, const std::vector<SetupRecord>& records)
{
    std::vector<std::vector<uint8_t>> datagrams;
    for (const auto& record : records) {
        datagrams.push_back(buildSetupRecordWrite(record.number, record.bytes.data(), record.bytes.size()));
        if (datagrams.back().empty())
            return kRequestRefused;
    }
    for (const auto& datagram : datagrams) {
        uint8_t answer[kRecordWriteAnswerSize];
        const int result = exchange(unitAddress, datagram.data(), datagram.size(), answer, sizeof answer);
        if (result != 0)
            return result;
    }
    return 0;
}

} // namespace kovra
