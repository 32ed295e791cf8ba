#include "cli/argument_checks.h"
#include "cli/cli_session.h"
#include "cli/command.h"
#include "core/app/setup_file_texts.h"
#include "core/platform/text_catalogue.h"
#include "core/setupfiles/batch_write.h"
#include "core/setupfiles/setup_diff.h"
#include "core/setupfiles/setup_file_store.h"
#include "core/wifi/import_status.h"
#include "core/wifi/module_import.h"

#include <chrono>
#include <nlohmann/json.hpp>
#include <ostream>
#include <thread>

namespace kovra::cli {

namespace {

constexpr size_t kMaxSetupFile = 65536;
constexpr int kProgressTickMs = 100; // the window's progress timer

bool isUnitWord(const std::string& word)
{
    std::string text = word;
    return unitCheck()(text).empty();
}

// Selects the unit and runs a bulk button on it, pumping its events until the flow (and an
// import it started) has ended. An exit status.
template <typename Start>
int runBulkButton(CliSession& session, const std::string& unit, const std::string& file, Start start)
{
    const int slot = session.resolveUnit(unit);
    if (slot < 0)
        return kExitFailed;
    MainWindowModel& model = session.model();
    model.onSelectionChanged(model.table().record(slot).ipText);
    session.ui().answerFilesWith(file);
    std::atomic<SetupFileOutcome> outcome { SetupFileOutcome::Cancelled };
    start(model, [&outcome](SetupFileOutcome ended) { outcome = ended; });
    model.waitForFlows();
    session.pumpEvents();
    // An .xml write goes on in the background: the window's progress timer ends it.
    while (session.view().progressTimerRunning) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kProgressTickMs));
        model.onProgressTimer();
    }
    if (outcome == SetupFileOutcome::Done && importStatus.load() == kImportFailed && !importRunning())
        return kExitFailed;
    return outcome == SetupFileOutcome::Done ? kExitOk : kExitFailed;
}

std::vector<UnitSlot> resolveUnits(CliSession& session, const std::vector<std::string>& words, bool& ok)
{
    std::vector<UnitSlot> units;
    ok = true;
    for (const std::string& word : words) {
        const int slot = session.resolveUnit(word);
        if (slot < 0) {
            ok = false;
            return units;
        }
        units.push_back(session.model().table().slot(slot));
    }
    return units;
}

int printBatch(CliSession& session, const std::vector<BatchResult>& results, double seconds)
{
    size_t failed = 0;
    nlohmann::json array = nlohmann::json::array();
    for (const BatchResult& r : results) {
        failed += r.result != 0;
        array.push_back({ { "unit", r.unit }, { "address", r.address }, { "ok", r.result == 0 },
            { "result", r.result }, { "reason", r.reason } });
    }
    if (session.options().json) {
        session.out() << nlohmann::json {
            { "units", array }, { "failed", failed }, { "seconds", seconds }
        }.dump(2) << std::endl;
    } else {
        session.out() << results.size() - failed << " of " << results.size() << " units written in "
                      << seconds << " s" << std::endl;
    }
    return failed == 0 ? kExitOk : kExitFailed;
}

// One result line per unit, whole, as soon as the unit is done.
std::function<void(const BatchResult&)> lineReporter(CliSession& session)
{
    if (session.options().json)
        return {};
    return [&session](const BatchResult& r) {
        session.out() << r.unit << (r.address != r.unit ? " -> " + r.address : std::string()) << ": "
                      << (r.result == 0 ? "written"
                                        : "failed" + (r.reason.empty() ? "" : " (" + r.reason + ")"))
                      << std::endl;
    };
}

void addBatchOptions(CLI::App& command, int& jobs)
{
    command.add_option("--jobs", jobs, "units written at once (default 4)")
        ->type_name("N")
        ->check(CLI::Range(1, 64));
}

class SaveCommand : public Command {
public:
    std::string name() const override { return "save"; }
    std::string summary() const override { return "the bulk save button: the unit's whole setup into FILE"; }
    void declare(CLI::App& command) override
    {
        addUnitArgument(command, m_unit);
        command.add_option("FILE", m_file, "the setup file (.rec, .lwi or .xml by the unit's kind)")
            ->required();
    }
    int run(CliSession& session) override
    {
        return runBulkButton(session, m_unit, m_file,
            [](MainWindowModel& model, BulkSaveFlow::Done done) { model.onBulkSave(std::move(done)); });
    }

private:
    std::string m_unit;
    std::string m_file;
};

class WriteCommand : public Command {
public:
    std::string name() const override { return "write"; }
    std::string summary() const override
    {
        return "the bulk write button (UNIT FILE), or one file to many units (FILE UNIT UNIT ...)";
    }
    void declare(CLI::App& command) override
    {
        command.add_option("WORDS", m_words, "UNIT FILE, or FILE UNIT [UNIT ...]")
            ->required()
            ->expected(2, -1);
        addBatchOptions(command, m_jobs);
        command
            .add_option("--assign-from", m_assignFrom, "batch: the units get this address and the next ones")
            ->type_name("ADDR")
            ->check(ipv4Check());
    }
    int run(CliSession& session) override
    {
        if (m_words.size() == 2 && isUnitWord(m_words[0]) && m_assignFrom.empty()) {
            return runBulkButton(session, m_words[0], m_words[1],
                [](MainWindowModel& model, BulkWriteFlow::Done done) { model.onBulkWrite(std::move(done)); });
        }
        const std::vector<std::string> unitWords(m_words.begin() + 1, m_words.end());
        for (const std::string& word : unitWords) {
            if (!isUnitWord(word)) {
                session.err() << "kovractl: write FILE UNIT ...: " << word << " is not a unit" << std::endl;
                return kExitUsage;
            }
        }
        std::string file;
        if (readSetupFile(m_words[0], kMaxSetupFile, file) != kFileDone || file.empty()) {
            session.err() << "kovractl: cannot read " << m_words[0] << std::endl;
            return kExitFailed;
        }
        bool resolved = false;
        const std::vector<UnitSlot> units = resolveUnits(session, unitWords, resolved);
        if (!resolved)
            return kExitFailed;
        BatchOptions options;
        options.jobs = m_jobs;
        Ipv4 start = 0;
        if (parseIpv4(m_assignFrom, start))
            options.assignFrom = start;
        const auto began = std::chrono::steady_clock::now();
        const auto results = writeToUnits(file, units, options, lineReporter(session));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
        return printBatch(session, results, took.count());
    }

private:
    std::vector<std::string> m_words;
    int m_jobs = 4;
    std::string m_assignFrom;
};

class DiffCommand : public Command {
public:
    std::string name() const override { return "diff"; }
    std::string summary() const override { return "what writing FILE would change in the unit"; }
    void declare(CLI::App& command) override
    {
        addUnitArgument(command, m_unit);
        command.add_option("FILE", m_file, "the setup file")->required();
    }
    int run(CliSession& session) override
    {
        std::string file;
        if (readSetupFile(m_file, kMaxSetupFile, file) != kFileDone) {
            session.err() << "kovractl: cannot read " << m_file << std::endl;
            return kExitFailed;
        }
        const int slot = session.resolveUnit(m_unit);
        if (slot < 0)
            return kExitFailed;
        const UnitSlot& unit = session.model().table().slot(slot);
        const SetupFileKind kind = setupFileKindFor(unit.record.kind);
        if (!setupFileFits(kind, file)) {
            session.err() << "kovractl: " << m_file << " is not a " << setupFileExtension(kind)
                          << " setup file, which this unit takes" << std::endl;
            return kExitFailed;
        }
        std::string live;
        if (readUnitSetup(unit, live) != 0) {
            session.err() << systemText(texts::kReadFailed) << std::endl;
            return kExitFailed;
        }
        const auto changes = diffSetup(kind, file, live);
        if (!session.options().json) {
            session.out() << diffText(changes) << std::flush;
            return kExitOk;
        }
        nlohmann::json array = nlohmann::json::array();
        for (const SetupChange& c : changes) {
            nlohmann::json entry = { { "change", changeKindName(c.kind) }, { "where", c.where } };
            if (c.kind != SetupChange::Kind::Added)
                entry["unit"] = c.unitValue;
            if (c.kind != SetupChange::Kind::Removed)
                entry["file"] = c.fileValue;
            array.push_back(entry);
        }
        session.out() << array.dump(2) << std::endl;
        return kExitOk;
    }

private:
    std::string m_unit;
    std::string m_file;
};

class CloneCommand : public Command {
public:
    std::string name() const override { return "clone"; }
    std::string summary() const override
    {
        return "the setup of SOURCE written to each TARGET, each keeping its own address, mask and gateway";
    }
    void declare(CLI::App& command) override
    {
        command.add_option("SOURCE", m_source, "the unit to copy")->required()->check(unitCheck());
        command.add_option("TARGET", m_targets, "the units to write")->required()->check(unitCheck());
        addBatchOptions(command, m_jobs);
    }
    int run(CliSession& session) override
    {
        bool resolved = false;
        std::vector<std::string> words { m_source };
        words.insert(words.end(), m_targets.begin(), m_targets.end());
        std::vector<UnitSlot> units = resolveUnits(session, words, resolved);
        if (!resolved)
            return kExitFailed;
        const UnitSlot source = units.front();
        units.erase(units.begin());
        BatchOptions options;
        options.jobs = m_jobs;
        std::vector<BatchResult> results;
        const auto began = std::chrono::steady_clock::now();
        const int result = cloneUnit(source, units, options, results, lineReporter(session));
        if (result == kSetupReadFailed) {
            session.err() << systemText(texts::kReadFailed) << std::endl;
            return kExitFailed;
        }
        if (result != 0) {
            session.err() << "kovractl: every target must take the source's "
                          << setupFileExtension(setupFileKindFor(source.record.kind)) << " setup"
                          << std::endl;
            return kExitFailed;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
        return printBatch(session, results, took.count());
    }

private:
    std::string m_source;
    std::vector<std::string> m_targets;
    int m_jobs = 4;
};

} // namespace

std::unique_ptr<Command> makeSaveCommand()
{
    return std::make_unique<SaveCommand>();
}
std::unique_ptr<Command> makeWriteCommand()
{
    return std::make_unique<WriteCommand>();
}
std::unique_ptr<Command> makeDiffCommand()
{
    return std::make_unique<DiffCommand>();
}
std::unique_ptr<Command> makeCloneCommand()
{
    return std::make_unique<CloneCommand>();
}

} // namespace kovra::cli
