#pragma once

#include "core/setupfiles/unit_setup.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kovra {

// One setup written to many units, a bounded number at a time.
struct BatchOptions {
    int jobs = 4; // units written at once (at least 1)
    // The i-th unit (in the given order) gets this address + i; without it every unit keeps
    // its own address, mask and gateway (one file never gives two units one address).
    std::optional<Ipv4> assignFrom;
    SetupPorts ports;
};

struct BatchResult {
    std::string unit; // the unit's address when the batch began
    std::string address; // the address it has after the write (assigned, or its own)
    int result = 0; // 0; kSetupWriteFailed; kSetupFileRefused; kSetupAddressNotCarried
    std::string reason; // for a refusal
};

// Results of a unit's batch write besides those of writeUnitSetup.
constexpr int kSetupFileRefused = -3; // the file is not a setup file of the unit's kind
constexpr int kSetupAddressNotCarried = -4; // an address to assign, but the file cannot carry it

// Writes the file to every unit; each result is reported whole, once, in any order, through
// `reported` (called under a lock, from the workers) and returned in the units' order.
std::vector<BatchResult> writeToUnits(const std::string& file, const std::vector<UnitSlot>& units,
    const BatchOptions& options, const std::function<void(const BatchResult&)>& reported = {});

// Reads the source unit's setup and writes it to the targets, each keeping its own network.
// Results: 0 and the targets' results; kSetupReadFailed when the source could not be read
// (nothing written); kSetupFileRefused when a target is of another setup kind than the
// source (nothing written).
int cloneUnit(const UnitSlot& source, const std::vector<UnitSlot>& targets, const BatchOptions& options,
    std::vector<BatchResult>& results, const std::function<void(const BatchResult&)>& reported = {});

} // namespace kovra
