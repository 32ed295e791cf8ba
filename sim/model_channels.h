#pragma once

namespace sim {

// What a unit of a model carries, as its firmware knows it: digital outputs and inputs, analog
// outputs and inputs, and whether its analog inputs take a thermocouple.
struct ModelChannels {
    int dos = 0;
    int dis = 0;
    int aos = 0;
    int ais = 0;
    bool thermocouple = false;

    // The model's channels; a model the units do not come as has none.
    static ModelChannels of(int model);
};

} // namespace sim
