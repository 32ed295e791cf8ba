// Benchmark (not a test): the main window's longest event-loop stall (a 5 ms timer's largest
// gap) during settings writes through the function buttons and setup-file transfers, each
// from the button press to the end of its flow (the final message answered), with a simulated
// operator answering the dialogs, questions and messages from a 20 ms timer. The timer keeps
// ticking inside the modal windows' own loops, so the stall is what the operator feels, the
// time the dialogs are open included; the durations include the operator's reactions. Runs on
// the fleet of scripts/bench-search (13 units or more), which starts it (KOVRA_BENCH_RUNS
// rounds, default 3).
//
// Measured (3 runs of 3 rounds, offscreen; longest stall, durations): other settings on kind 5
// 12 ms, 0.52-0.55 s; on kind 0 20 ms, 0.06-0.08 s; on kind 4 17 ms, 0.16-0.19 s; mail alert
// on kind 0 15 ms, 0.25-0.30 s; .rec save 43 ms, 1.87-1.96 s, and write 36 ms, 2.92-2.96 s;
// .lwi save 39 ms, 0.27-0.30 s, and write 40 ms, 0.79-0.82 s. Every stall above 17 ms fell where
// a modal window came or went, mostly the file dialog closing. Table: docs/reliability.md.
#include "gui/main_window.h"
#include "modal_operator.h"
#include "spin_until.h"
#include "stall_meter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace kovra;

namespace {

constexpr int kMailAlert = 1000;
constexpr int kOtherSettings = 1009;
constexpr int kBulkSave = 1010;
constexpr int kBulkWrite = 1011;

// One operation on a unit of the fleet: the button, the edits typed over in its dialog, the
// extension of the setup file its file dialog is given (one per unit and round, in the run's
// folder, so that no overwrite question comes between).
struct Operation {
    const char* name;
    const char* address;
    int button;
    std::vector<ModalOperator::Entry> entries;
    const char* extension;
};

// The fleet of scripts/bench-search: 203.0.113.3 is a kind 5 unit (text protocol), .4 a Wi-Fi
// module, .6-.8 kind 0 units of models 3-5, .15 a kind 4 unit of model 17, every answer 20 ms
// late. A write makes its unit restart for a second: the order leaves each unit that long
// before its next turn.
const Operation kOperations[] = {
    { "other settings, kind 5 (text)", "203.0.113.3", kOtherSettings, { { 1132, "60" } }, "" },
    { "bulk save .rec, kind 0", "203.0.113.8", kBulkSave, {}, ".rec" },
    { "bulk save .lwi, kind 5", "203.0.113.3", kBulkSave, {}, ".lwi" },
    { "bulk write .lwi, kind 5", "203.0.113.3", kBulkWrite, {}, ".lwi" },
    { "bulk write .rec, kind 0", "203.0.113.8", kBulkWrite, {}, ".rec" },
    { "other settings, kind 0 (binary)", "203.0.113.6", kOtherSettings, { { 1111, "40" } }, "" },
    { "other settings, kind 4 (binary)", "203.0.113.15", kOtherSettings, { { 1132, "60" } }, "" },
    { "mail alert, kind 0", "203.0.113.7", kMailAlert, { { 1330, "203.0.113.1" }, { 1331, "25" } }, "" },
    { "bulk save .xml, Wi-Fi module", "203.0.113.4", kBulkSave, {}, ".xml" },
    { "bulk write .xml, Wi-Fi module", "203.0.113.4", kBulkWrite, {}, ".xml" },
};

// Lists the unit through the add box unless it is listed; false when it cannot be.
bool listUnit(MainWindow& window, const QString& address)
{
    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    if (list->findItems(address, Qt::MatchExactly, 1).isEmpty()) {
        qobject_cast<QLineEdit*>(window.control(1205))->setText(address);
        qobject_cast<QPushButton*>(window.control(1002))->click();
        spinUntil([&] { return !window.model().adding(); }, 30000);
    }
    return !list->findItems(address, Qt::MatchExactly, 1).isEmpty();
}

void selectUnit(MainWindow& window, const QString& address)
{
    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    QTreeWidgetItem* item = list->findItems(address, Qt::MatchExactly, 1).first();
    list->clearSelection();
    list->setCurrentItem(item);
    item->setSelected(true);
}

struct Figures {
    qint64 longestStallMs = 0;
    double shortestSeconds = 1e9;
    double longestSeconds = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("KOVRA_NETBENCH")) {
        std::fprintf(stderr, "bench_window_writes runs inside scripts/netbench (see scripts/bench-search)\n");
        return 2;
    }
    QApplication app(argc, argv);
    const int rounds
        = std::max(1, std::atoi(std::getenv("KOVRA_BENCH_RUNS") ? std::getenv("KOVRA_BENCH_RUNS") : "3"));
    MainWindow window("");
    if (window.initialize() != MainWindowModel::StartResult::Ready)
        return 1;
    window.show();
    for (const Operation& operation : kOperations) {
        if (!listUnit(window, operation.address)) {
            std::fprintf(stderr, "%s is not in the fleet\n", operation.address);
            return 1;
        }
    }

    // The module's import leaves its rewritten record in the working directory: keep it in the
    // run's folder with the setup files.
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    ModalOperator person;
    StallMeter stalls;
    std::map<std::string, Figures> figures;
    int failed = 0;
    for (int round = 1; round <= rounds; ++round) {
        for (const Operation& operation : kOperations) {
            selectUnit(window, operation.address);
            const QString file
                = QString("%1-%2%3").arg(operation.address).arg(round).arg(operation.extension);
            person.expect(operation.entries, folder.filePath(file));
            QElapsedTimer clock;
            clock.start();
            stalls.start();
            qobject_cast<QPushButton*>(window.control(operation.button))->click();
            // A module's import goes on after the flow, under the progress display, until its
            // final message: the controls come back after that.
            const bool ended = spinUntil(
                [&] { return !window.model().settingCommandRunning() && window.control(1001)->isEnabled(); },
                120000);
            const double seconds = double(clock.elapsed()) / 1000;
            stalls.stop();
            const QString messages = person.messages().join(" | ").replace('\n', ' ');
            std::printf("round %d, %s: longest stall %lld ms (%s), %.2f s; %s%s\n", round, operation.name,
                static_cast<long long>(stalls.longestMs()), qPrintable(stalls.where()), seconds,
                qPrintable(messages), person.refused() ? " (OK refused)" : "");
            if (!ended || person.refused())
                ++failed;
            Figures& f = figures[operation.name];
            f.longestStallMs = std::max(f.longestStallMs, stalls.longestMs());
            f.shortestSeconds = std::min(f.shortestSeconds, seconds);
            f.longestSeconds = std::max(f.longestSeconds, seconds);
        }
    }
    for (const Operation& operation : kOperations) {
        const Figures& f = figures[operation.name];
        std::printf("window: %s: longest event-loop stall %lld ms over %d rounds, %.2f-%.2f s\n",
            operation.name, static_cast<long long>(f.longestStallMs), rounds, f.shortestSeconds,
            f.longestSeconds);
    }
    return failed == 0 ? 0 : 1;
}
