// The settings answer parsers on arbitrary bytes: the version lines, and the key/value dump
// with and without its setup-file text, for each text-protocol kind.
#include "core/platform/socket_error.h"
#include "core/settings/settings_answer.h"
#include "core/units/unit_table.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

class FuzzSource : public kovra::ByteSource {
public:
    FuzzSource(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    int next(uint8_t& byte) override
    {
        if (m_at >= m_size)
            return kovra::kSocketDisconnected;
        byte = m_data[m_at++];
        return 0;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kovra::UnitVersions versions;
    FuzzSource versionSource(data, size);
    std::string answer;
    kovra::readVersionAnswer(versionSource, answer);
    kovra::parseVersionAnswer(answer, versions);
    for (int kind : { 3, 5, 6, 7 }) {
        kovra::UnitSlot slot;
        slot.record.kind = kind;
        std::string dump;
        FuzzSource source(data, size);
        kovra::readSettingsPairs(source, slot, kind == 5 ? &dump : nullptr);
        if (dump.size() >= kovra::kDumpTextLimit)
            __builtin_trap();
        for (const auto& entry : slot.settings.mailUsers)
            if (entry.size() > kovra::kEntryTextMax)
                __builtin_trap();
    }
    return 0;
}
