#include "model_channels.h"

namespace sim {

namespace {

struct Entry {
    int model;
    ModelChannels channels;
};

constexpr Entry kModels[] = {
    { 0, { 2, 3, 0, 0, false } },
    { 1, { 3, 2, 0, 0, false } },
    { 2, { 0, 7, 0, 0, false } },
    { 3, { 5, 0, 0, 0, false } },
    { 4, { 5, 2, 0, 0, false } },
    { 5, { 0, 5, 0, 0, false } },
    { 6, { 3, 3, 0, 0, false } },
    { 8, { 2, 0, 0, 3, false } },
    { 9, { 0, 3, 2, 0, false } },
    { 10, { 2, 0, 0, 3, true } },
    { 11, { 0, 2, 3, 0, false } },
    { 12, { 0, 0, 0, 5, true } },
    { 17, { 4, 4, 0, 0, false } },
    { 19, { 8, 0, 0, 0, false } },
    { 20, { 8, 0, 0, 0, false } },
    { 21, { 0, 8, 0, 0, false } },
    { 22, { 4, 4, 0, 0, false } },
    { 25, { 2, 2, 0, 0, false } },
    { 26, { 2, 2, 0, 0, false } },
    { 27, { 5, 3, 0, 0, false } },
    { 32, { 0, 2, 0, 3, true } },
};

} // namespace

ModelChannels ModelChannels::of(int model)
{
    for (const Entry& entry : kModels)
        if (entry.model == model)
            return entry.channels;
    return {};
}

} // namespace sim
