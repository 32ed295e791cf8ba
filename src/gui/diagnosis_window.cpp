#include "gui/diagnosis_window.h"

#include "core/diagnostics/diagnosis_report.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kovra {

DiagnosisWindow::DiagnosisWindow(FleetProbeSetup setup, QWidget* parent, DiagnosisFlow::Probe probe)
    : QDialog(parent)
    , m_setup(std::move(setup))
    , m_probe(std::move(probe))
    , m_dispatcher(this)
{
    setWindowTitle(tr("診断"));
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel;
    layout->addWidget(m_status);
    m_report = new QPlainTextEdit;
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_report->setMinimumSize(640, 360);
    layout->addWidget(m_report);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    m_rerunButton = buttons->addButton(tr("再診断(&R)"), QDialogButtonBox::ActionRole);
    buttons->button(QDialogButtonBox::Close)->setText(tr("閉じる"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_rerunButton, &QPushButton::clicked, this, &DiagnosisWindow::startDiagnosis);
    startDiagnosis();
}

DiagnosisWindow::~DiagnosisWindow()
{
    m_runner.waitAll();
}

void DiagnosisWindow::startDiagnosis()
{
    if (m_running)
        return;
    m_running = true;
    m_rerunButton->setEnabled(false);
    m_status->setText(tr("診断しています..."));
    auto flow = std::make_shared<DiagnosisFlow>(
        m_setup, m_readers,
        [this](const FleetDiagnosis& report) { m_dispatcher.post([this, report] { showReport(report); }); },
        m_probe);
    m_runner.start([flow] { flow->run(); });
}

QString DiagnosisWindow::reportText() const
{
    return m_report->toPlainText();
}

void DiagnosisWindow::showReport(const FleetDiagnosis& report)
{
    m_running = false;
    m_rerunButton->setEnabled(true);
    m_status->setText(tr("診断結果"));
    m_report->setPlainText(QString::fromStdString(diagnosisText(report)));
}

} // namespace kovra
