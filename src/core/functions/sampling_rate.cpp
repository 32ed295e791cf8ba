#include "core/functions/sampling_rate.h"

namespace kovra {

const std::vector<ChoiceItem>& samplingRateChoices()
{
    static const std::vector<ChoiceItem> choices { { "10sps", 0 }, { "16.6sps", 1 }, { "50sps", 2 },
        { "60sps", 3 }, { "400sps", 4 }, { "1200sps", 5 }, { "3600sps", 6 }, { "14400sps", 7 } };
    return choices;
}

} // namespace kovra
