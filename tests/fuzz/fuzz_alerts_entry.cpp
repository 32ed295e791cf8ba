// Arbitrary text into every reader of the alert subsystem (hex counts from a unit, percent
// and numeric entries typed by a person) and arbitrary stored values into the DO alert
// form: nothing may read past its data, overflow a conversion or leave the picture range.
#include "core/alerts/analog_entry.h"
#include "core/alerts/analog_scaling.h"
#include "core/alerts/do_alert_form.h"
#include "core/alerts/hex_count.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace {

uint16_t count(const uint8_t* data, size_t size, size_t at)
{
    return at + 1 < size ? uint16_t(data[at] | (data[at + 1] << 8)) : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (const auto raw = kovra::hexToRaw(text)) {
        std::string digits = text.substr(0, 4);
        for (char& c : digits)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        if (kovra::rawToHex(*raw, 4) != digits)
            std::abort();
    }
    if (const auto raw = kovra::percentToRaw(text))
        (void)kovra::rawToPercent(*raw);

    for (kovra::AnalogRangeType type = 0; type <= 7; ++type) {
        for (auto limit : { kovra::AnalogEntryLimit::None, kovra::AnalogEntryLimit::Threshold,
                 kovra::AnalogEntryLimit::Hysteresis }) {
            const kovra::AnalogEntryOutcome outcome = kovra::enterAnalogValue(text, type, limit);
            (void)kovra::formatValue(kovra::rawToValue(outcome.raw, type, false), type, true);
        }
    }

    kovra::DoAlertSetup setup;
    for (size_t i = 0; i < setup.inputs.size(); ++i) {
        setup.inputs[i].ledCondition = size > i ? int8_t(data[i]) : 0;
        setup.inputs[i].high = count(data, size, 3 + 4 * i);
        setup.inputs[i].low = count(data, size, 5 + 4 * i);
        setup.inputs[i].rangeType = size > 15 + i ? data[15 + i] : 0;
    }
    setup.monitoredInput = size > 18 ? int8_t(data[18]) : 0;
    setup.hysteresisWidth = count(data, size, 19);
    setup.hysteresisDirection = size > 21 ? int8_t(data[21]) : 0;
    kovra::DoAlertForm form(setup);
    form.enterHigh(text);
    form.enterWidth(text);
    form.selectMonitoredInput(size > 22 ? int8_t(data[22]) : 0);
    const int picture = form.preview().picture;
    if (picture < kovra::kDoAlertFirstPicture || picture > kovra::kDoAlertLastPicture)
        std::abort();
    (void)form.labelTexts();
    return 0;
}
