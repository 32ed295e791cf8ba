// Rows whose address another unit also answers with are marked, and unmarked when it goes.
#include "core/app/address_conflicts.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

struct ConflictCase {
    const char* name;
    std::vector<DeviceRow> rows;
    std::vector<bool> marked;
    std::vector<int> changed;
};

DeviceRow row(const char* mac, const char* ip, bool marked = false)
{
    return { mac, ip, "QM-110", marked };
}

class DeviceListConflicts : public testing::TestWithParam<ConflictCase> { };

} // namespace

TEST_P(DeviceListConflicts, MarksEveryHolderOfASharedAddress)
{
    ConflictCase c = GetParam();
    EXPECT_EQ(markAddressConflicts(c.rows), c.changed);
    std::vector<bool> marked;
    for (const DeviceRow& r : c.rows)
        marked.push_back(r.addressConflict);
    EXPECT_EQ(marked, c.marked);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeviceListConflicts,
    testing::Values(ConflictCase { "distinct", { row("A", "203.0.113.10"), row("B", "203.0.113.11") },
                        { false, false }, {} },
        ConflictCase { "two units, one address",
            { row("A", "203.0.113.10"), row("B", "203.0.113.11"), row("C", "203.0.113.10") },
            { true, false, true }, { 0, 2 } },
        // The same unit twice is not a conflict (a repeated answer), and an empty address none.
        ConflictCase {
            "same unit twice", { row("A", "203.0.113.10"), row("A", "203.0.113.10") }, { false, false }, {} },
        ConflictCase { "no address", { row("A", ""), row("B", "") }, { false, false }, {} },
        ConflictCase { "the other unit went", { row("A", "203.0.113.10", true), row("B", "203.0.113.11") },
            { false, false }, { 0 } },
        ConflictCase { "three holders",
            { row("A", "203.0.113.10"), row("B", "203.0.113.10"), row("C", "203.0.113.10", true) },
            { true, true, true }, { 0, 1 } }),
    [](const testing::TestParamInfo<ConflictCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });
