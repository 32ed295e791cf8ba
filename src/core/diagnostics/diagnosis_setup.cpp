#include "core/diagnostics/diagnosis_setup.h"

#include "core/app/main_window_model.h"
#include "core/app/unit_row_builder.h"

namespace kovra {

FleetProbeSetup diagnosisSetup(const MainWindowModel& model, const std::string& portText)
{
    FleetProbeSetup setup;
    const int selected = model.selectedAdapter();
    if (selected >= 0 && size_t(selected) < model.adapters().size())
        setup.adapter = model.adapters()[size_t(selected)];
    setup.searchPort = parsePortText(portText);
    setup.adapters = enumerateAdapters;
    return setup;
}

} // namespace kovra
