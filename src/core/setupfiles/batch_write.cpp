#include "core/setupfiles/batch_write.h"

#include "core/setupfiles/setup_network.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace kovra {

namespace {
// The address `steps` after start, counting over the last octet into the ones before it.
Ipv4 addressAfter(Ipv4 start, size_t steps)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | ipv4Byte(start, i);
    value += uint32_t(steps);
    return makeIpv4(uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value));
}

BatchResult writeOne(const std::string& file, const UnitSlot& unit, size_t index, const BatchOptions& options)
{
    BatchResult result;
    result.unit = unit.record.ipText;
    result.address = unit.record.ipText;
    const SetupFileKind kind = setupFileKindFor(unit.record.kind);
    std::string bytes = file;
    if (!setupFileFits(kind, bytes)) {
        result.result = kSetupFileRefused;
        result.reason = std::string("not a ") + setupFileExtension(kind) + " setup file";
        return result;
    }
    if (options.assignFrom) {
        const Ipv4 address = addressAfter(*options.assignFrom, index);
        if (!assignAddress(kind, bytes, address)) {
            result.result = kSetupAddressNotCarried;
            result.reason = std::string("a ") + setupFileExtension(kind) + " file cannot carry an address";
            return result;
        }
        result.address = ipv4ToText(address);
    } else {
        keepUnitNetwork(kind, bytes, unitNetwork(unit.record));
    }
    result.result = writeUnitSetup(unit, bytes, options.ports);
    return result;
}
} // namespace

std::vector<BatchResult> writeToUnits(const std::string& file, const std::vector<UnitSlot>& units,
    const BatchOptions& options, const std::function<void(const BatchResult&)>& reported)
{
    std::vector<BatchResult> results(units.size());
    std::atomic<size_t> next { 0 };
    std::mutex reportMutex;
    auto worker = [&] {
        for (size_t i = next++; i < units.size(); i = next++) {
            results[i] = writeOne(file, units[i], i, options);
            if (reported) {
                std::lock_guard<std::mutex> lock(reportMutex);
                reported(results[i]);
            }
        }
    };
    const size_t jobs = std::min(units.size(), size_t(std::max(1, options.jobs)));
    std::vector<std::thread> workers;
    for (size_t j = 1; j < jobs; ++j)
        workers.emplace_back(worker);
    worker();
    for (auto& thread : workers)
        thread.join();
    return results;
}

int cloneUnit(const UnitSlot& source, const std::vector<UnitSlot>& targets, const BatchOptions& options,
    std::vector<BatchResult>& results, const std::function<void(const BatchResult&)>& reported)
{
    results.clear();
    const SetupFileKind kind = setupFileKindFor(source.record.kind);
    for (const UnitSlot& target : targets) {
        if (setupFileKindFor(target.record.kind) != kind)
            return kSetupFileRefused;
    }
    std::string setup;
    if (readUnitSetup(source, setup, options.ports) != 0)
        return kSetupReadFailed;
    BatchOptions keepNetworks = options;
    keepNetworks.assignFrom.reset();
    results = writeToUnits(setup, targets, keepNetworks, reported);
    return 0;
}

} // namespace kovra
