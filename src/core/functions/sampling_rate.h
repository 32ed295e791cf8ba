#pragma once

#include "core/app/dialog_form.h"

#include <vector>

namespace kovra {

// The ADC sampling rates of the kind 6 and analog dialogs: the unit's mode value is the row
// index ("10sps" .. "14400sps").
constexpr int kSamplingRateCount = 8;
const std::vector<ChoiceItem>& samplingRateChoices();

} // namespace kovra
