// Benchmark (not a test): the main window during a search of the fleet running on the bench:
// the longest stall of its event loop (a 5 ms timer's largest gap) from the search button to
// the last row, its resident memory after the search, and how long closing the window takes
// while a search runs and, when KOVRA_BENCH_MODULE names a Wi-Fi module of the fleet, while an
// import into it runs. Run it with scripts/bench-search. Measured on 256 units: 1.96-1.99 s to
// the last row, longest stall 16-28 ms (3 runs).
#include "../../support/message_box_closer.h"
#include "../process_memory.h"
#include "core/wifi/module_import.h"
#include "gui/main_window.h"
#include "spin_until.h"
#include "stall_meter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

using namespace kovra;

namespace {

// Closes the window and destroys it (its flows and an import it started end with it);
// returns how long that took, in ms.
double timeClose(std::unique_ptr<MainWindow> window)
{
    QElapsedTimer closing;
    closing.start();
    window->close();
    window.reset();
    return double(closing.nsecsElapsed()) / 1e6;
}

std::unique_ptr<MainWindow> shownWindow()
{
    auto window = std::make_unique<MainWindow>("");
    if (window->initialize() != MainWindowModel::StartResult::Ready)
        return nullptr;
    window->show();
    return window;
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("KOVRA_NETBENCH")) {
        std::fprintf(stderr, "bench_window runs inside scripts/netbench (see scripts/bench-search)\n");
        return 2;
    }
    QApplication app(argc, argv);
    auto searchButton = [](MainWindow& window) { return qobject_cast<QPushButton*>(window.control(1001)); };

    {
        std::unique_ptr<MainWindow> window = shownWindow();
        if (!window)
            return 1;
        StallMeter stalls;
        QElapsedTimer search;
        search.start();
        stalls.start();
        searchButton(*window)->click();
        spinUntil([&] { return searchButton(*window)->isEnabled(); }, 600000);
        const double searchSeconds = double(search.elapsed()) / 1000;
        stalls.stop();
        std::printf("window: search to the last of %zu rows: %.2f s; longest event-loop stall %lld ms\n",
            window->model().rows().size(), searchSeconds, static_cast<long long>(stalls.longestMs()));
        std::printf("window: resident memory after the search: %ld KiB (peak %ld KiB)\n", residentKiB(),
            peakResidentKiB());

        searchButton(*window)->click();
        spinUntil([] { return false; }, 300); // the search is under way, its units being read
        std::printf("window: close during a search: %.1f ms\n", timeClose(std::move(window)));
    }

    if (const char* module = std::getenv("KOVRA_BENCH_MODULE")) {
        std::unique_ptr<MainWindow> window = shownWindow();
        if (!window)
            return 1;
        // An import that ends early says so in a message box, which would wait for an operator.
        test_support::MessageBoxCloser closer;
        const std::string address = module;
        window->model().startImport(
            [&] {
                return importInterfaceSettings(
                    address, false, makeIpv4(203, 0, 113, 250), makeIpv4(255, 255, 255, 0), 0);
            },
            20);
        spinUntil([] { return false; }, 300);
        const bool running = importRunning();
        const double closeMs = timeClose(std::move(window));
        std::printf("window: close during a Wi-Fi import (%s): %.1f ms\n",
            running ? "running" : qPrintable("already ended: " + closer.texts().join(' ')), closeMs);
    }
    return 0;
}
