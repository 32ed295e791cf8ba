// Benchmark (not a test): a search of a fleet that is already running on the bench, from the
// search button to the last row (the controls back), as the product does it (the units read
// side by side) and, in the same run, with the units read one after another. Then the
// resident memory of the process after the searches.
// Run it with scripts/bench-search, which starts the fleet on the bench.
#include "core/app/event_queue.h"
#include "core/app/headless_view.h"
#include "core/app/main_window_model.h"
#include "core/app/scripted_user_interface.h"
#include "process_memory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace kovra;
using Clock = std::chrono::steady_clock;

namespace {

struct SearchFigures {
    double seconds = 0;
    size_t rows = 0;
    size_t unlisted = 0;
};

SearchFigures timeSearch(MainWindowModel& model, EventQueue& events, int workers)
{
    model.setSearchWorkers(workers);
    const auto start = Clock::now();
    model.onSearch(std::to_string(kDefaultUnitPort));
    // The last row brings the controls back, and with them the end of searching().
    events.runUntil([&] { return !model.searching(); }, std::chrono::minutes(10));
    SearchFigures figures;
    figures.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    model.waitForFlows();
    events.runPending();
    figures.rows = model.rows().size();
    figures.unlisted = model.unlistedUnits().size();
    return figures;
}

} // namespace

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

    const SearchFigures parallel = timeSearch(model, events, kSearchWorkers);
    const SearchFigures serial = timeSearch(model, events, 1);

    std::printf(
        "search, units read side by side (%d workers): %.2f s to the last of %zu rows (%zu unlisted)\n",
        kSearchWorkers, parallel.seconds, parallel.rows, parallel.unlisted);
    std::printf("search, units read one after another: %.2f s to the last of %zu rows (%zu unlisted)\n",
        serial.seconds, serial.rows, serial.unlisted);
    std::printf("ratio one after another / side by side: %.2f\n", serial.seconds / parallel.seconds);
    std::printf(
        "resident memory after the searches: %ld KiB (peak %ld KiB)\n", residentKiB(), peakResidentKiB());
    return 0;
}
