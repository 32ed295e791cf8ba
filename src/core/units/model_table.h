#pragma once

#include "core/units/unit_record.h"

#include <array>
#include <cstdint>

namespace kovra {

// ModelId: the model number a unit reports, 0 to 32; -1 while unknown.
constexpr int kModelCount = 33;
constexpr int kModelUnknown = -1;

// Model ranges that decide the unit kind when a row is added.
constexpr int kLastNewerWiredModel = 24; // 17..24: kind 4
constexpr int kLastFirstGenerationModel = 16;
constexpr int kLastModel = kModelCount - 1; // 25..32: kind 5

// The three names of a model: first name, Wi-Fi name, third name. An empty text means no
// name; "**" in the Wi-Fi column means the model has no Wi-Fi variant.
struct ModelNames {
    const char* first;
    const char* wifi;
    const char* third;
};

// Names of model `modelId`; three empty names outside 0..32.
const ModelNames& modelNames(int modelId);

// Columns of the capability table.
enum ModelCapabilityColumn : int {
    kCapDoCount = 0,
    kCapDiCount = 1,
    kCapAoCount = 2,
    kCapAiCount = 3,
    kCapMailAlertKind = 10, // 1 to 4
    kCapExtensionKind = 11,
    kCapColumnCount = 13,
};

using ModelCapabilities = std::array<int32_t, kCapColumnCount>;

// The capability row of model `modelId`; all zero outside 0..32.
const ModelCapabilities& modelCapabilities(int modelId);

// Channel counts, shortcuts for the columns above.
int modelDoCount(int modelId);
int modelDiCount(int modelId);

// The row builder's normalisation: a modelIndex above 32 becomes 0; then above 16 sets
// kind 4, above 24 kind 5.
void normalizeModel(UnitRecord& unit);

} // namespace kovra
