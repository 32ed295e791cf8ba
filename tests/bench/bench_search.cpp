// Benchmark (not a test): a search of a fleet that is already running on the bench.
// Prints the time from the search button to the last row as the product does it (one
// model-query worker per unit), then the same search with the model queries and row
// reads made one after another, and the ratio of the two.
// Run it with scripts/bench-search, which starts the fleet on the bench.
#include "core/app/event_queue.h"
#include "core/app/headless_view.h"
#include "core/app/main_window_model.h"
#include "core/app/scripted_user_interface.h"
#include "core/app/unit_row_builder.h"
#include "core/net/discovery.h"
#include "core/net/model_query.h"
#include "core/net/unit_classifier.h"
#include "core/platform/bind_address.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace kovra;
using Clock = std::chrono::steady_clock;

static double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

int main()
{
    if (!std::getenv("KOVRA_NETBENCH")) {
        std::fprintf(stderr, "bench_search runs inside scripts/netbench (see scripts/bench-search)\n");
        return 2;
    }
    HeadlessView view;
    EventQueue events;
    ScriptedUserInterface ui(true);
    MainWindowModel model(view, events, ui, ProgramOptions {});
    if (model.onInitDialog() != MainWindowModel::StartResult::Ready)
        return 1;

    // As the product does it.
    const auto start = Clock::now();
    model.onSearch(std::to_string(kDefaultUnitPort));
    events.runUntil([&] { return !model.searching(); }, std::chrono::minutes(10));
    const double parallel = seconds(start);
    model.waitForFlows();
    events.runPending();
    const size_t rows = model.rows().size();

    // The same with the model queries made one after another.
    const AdapterEntry& adapter = model.adapters()[size_t(model.selectedAdapter())];
    FailingKindReaders readers;
    UnitTable table;
    const auto serialStart = Clock::now();
    const int found = searchUnits(table);
    if (found > 0)
        classifyUnits(table, adapter.address, adapter.mask, readers);
    size_t serialRows = 0;
    for (int slot = 0; slot < table.unitCount(); ++slot) {
        UnitRecord& unit = table.record(slot);
        int modelResult = unit.sameSubnet ? kModelPortDiffers : kModelNotQueried;
        if (unit.sameSubnet && unit.unitPort() == kDefaultUnitPort)
            modelResult = queryModel(unit.ipText, unit.unitPort(), unit.modelIndex, unit.unitSwitch) == 0
                ? unit.modelIndex
                : kModelNotQueried;
        if (buildUnitRow(table.slot(slot), modelResult, false, readers))
            ++serialRows;
    }
    const double serial = seconds(serialStart);

    std::printf("units answering: %d\n", found);
    std::printf("search, one model-query worker per unit: %.2f s to the last of %zu rows\n", parallel, rows);
    std::printf("search, model queries one after another: %.2f s for %zu rows\n", serial, serialRows);
    std::printf("ratio serial / workers: %.2f\n", serial / parallel);
    return 0;
}
