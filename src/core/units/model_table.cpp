#include "core/units/model_table.h"

namespace kovra {

namespace {

constexpr ModelNames kNoNames { "", "", "" };

// Rows without a model have three empty names.
constexpr std::array<ModelNames, kModelCount> kModelNames { {
    { "QM-110", "QM-110W", "QM-N110" }, // 0
    { "QM-120", "QM-120W", "QM-N120" }, { "QM-130", "QM-130W", "QM-N130" },
    { "QM-140", "QM-140W", "QM-N140" }, { "QM-150", "QM-150W", "QM-N150" },
    { "QM-160", "QM-160W", "QM-N160" }, { "QM-170", "QM-170W", "QM-N170" },
    kNoNames, // 7
    { "QM-210", "**", "" }, // 8
    { "QM-220", "**", "" }, { "QM-210 V2", "**", "" }, { "QM-230", "**", "" }, { "QM-240", "**", "" },
    kNoNames, // 13
    kNoNames, kNoNames, kNoNames, { "QM-310", "**", "" }, // 17
    kNoNames, { "QM-320", "**", "" }, // 19
    { "QM-330", "**", "" }, { "QM-340", "**", "" }, { "QM-350", "**", "" },
    kNoNames, // 23
    kNoNames, { "QM-N410", "**", "" }, // 25
    { "QM-N420", "**", "" }, { "", "", "QM-N430" },
    kNoNames, // 28
    kNoNames, kNoNames, kNoNames, { "QX-01", "", "" }, // 32
} };

constexpr ModelCapabilities kNoCapabilities {};

// DO, DI, AO, AI, then the per-model codes read by the setting flows.
constexpr std::array<ModelCapabilities, kModelCount> kCapabilities { {
    { 2, 3, 0, 0, 2, 1, 1, 1, 1, 1, 1, 1, 0 }, // 0
    { 3, 2, 0, 0, 2, 2, 2, 2, 2, 2, 2, 1, 0 }, { 0, 7, 0, 0, 0, 2, 2, 2, 2, 2, 1, 1, 0 },
    { 5, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0 }, { 5, 2, 0, 0, 1, 2, 2, 2, 2, 2, 1, 1, 0 },
    { 0, 5, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 0 }, { 3, 3, 0, 0, 2, 1, 1, 1, 1, 1, 1, 1, 0 },
    kNoCapabilities, // 7
    { 2, 0, 0, 3, 0, 0, 0, 0, 0, 0, 1, 1, 0 }, // 8
    { 0, 3, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0 }, { 2, 0, 0, 3, 0, 0, 0, 0, 0, 0, 1, 1, 0 },
    { 0, 2, 3, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0 }, { 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 1, 1, 0 },
    kNoCapabilities, // 13
    kNoCapabilities, kNoCapabilities, kNoCapabilities, { 4, 4, 0, 0, 3, 3, 3, 3, 3, 3, 3, 3, 0 }, // 17
    kNoCapabilities, { 8, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 1, 0 }, // 19
    { 8, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 1, 0 }, { 0, 8, 0, 0, 0, 3, 3, 3, 3, 3, 3, 3, 0 },
    { 4, 4, 0, 0, 3, 3, 3, 3, 3, 3, 3, 3, 0 },
    kNoCapabilities, // 23
    kNoCapabilities, { 2, 2, 0, 0, 3, 3, 3, 3, 3, 3, 3, 3, 0 }, // 25
    { 2, 2, 0, 0, 3, 3, 3, 3, 3, 3, 3, 3, 0 }, { 5, 3, 0, 0, 1, 2, 2, 2, 2, 2, 1, 1, 0 },
    kNoCapabilities, // 28
    kNoCapabilities, kNoCapabilities, kNoCapabilities, { 0, 2, 0, 3, 0, 0, 0, 0, 0, 0, 4, 1, 0 }, // 32
} };

bool inTable(int modelId)
{
    return modelId >= 0 && modelId < kModelCount;
}

} // namespace

const ModelNames& modelNames(int modelId)
{
    return inTable(modelId) ? kModelNames[size_t(modelId)] : kNoNames;
}

const ModelCapabilities& modelCapabilities(int modelId)
{
    return inTable(modelId) ? kCapabilities[size_t(modelId)] : kNoCapabilities;
}

int modelDoCount(int modelId)
{
    return modelCapabilities(modelId)[kCapDoCount];
}

int modelDiCount(int modelId)
{
    return modelCapabilities(modelId)[kCapDiCount];
}

void normalizeModel(UnitRecord& unit)
{
    if (unit.modelIndex > kLastModel)
        unit.modelIndex = 0;
    if (unit.modelIndex > kLastFirstGenerationModel)
        unit.kind = kKindNewerWired;
    if (unit.modelIndex > kLastNewerWiredModel)
        unit.kind = kKindKovra4;
}

} // namespace kovra
