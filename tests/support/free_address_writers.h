#pragma once

#include "core/app/unit_address_writers.h"

namespace kovra::test_support {

// The program's address writers, except that the ARP check finds every address free (the
// neighbour table is no help on loopback) and the look for a unit whose record 0 write went
// unanswered is kept short.
class FreeAddressWriters : public UnitAddressWriters {
public:
    FreeAddressWriters() { m_restartLookMs = 1500; }
    bool addressInUse(const std::string&) override { return false; }
};

} // namespace kovra::test_support
