#pragma once

#include "core/app/flow_runner.h"
#include "core/app/unit_kind_readers.h"
#include "core/diagnostics/diagnosis_flow.h"
#include "gui/qt_dispatcher.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kovra {

// The fleet diagnosis from the device list: runs the diagnosis on a worker when it opens
// (and again on request) and shows its report. Closing it waits for a diagnosis still
// running.
class DiagnosisWindow : public QDialog {
    Q_OBJECT
public:
    DiagnosisWindow(
        FleetProbeSetup setup, QWidget* parent = nullptr, DiagnosisFlow::Probe probe = probeFleet);
    ~DiagnosisWindow() override;

    void startDiagnosis();
    bool running() const { return m_running; }
    QString reportText() const;

private:
    void showReport(const FleetDiagnosis& report);

    FleetProbeSetup m_setup;
    DiagnosisFlow::Probe m_probe;
    UnitKindReaders m_readers;
    QtDispatcher m_dispatcher;
    QLabel* m_status = nullptr;
    QPlainTextEdit* m_report = nullptr;
    QPushButton* m_rerunButton = nullptr;
    bool m_running = false;
    FlowRunner m_runner; // last: a running diagnosis ends before what it reports to goes away
};

} // namespace kovra
