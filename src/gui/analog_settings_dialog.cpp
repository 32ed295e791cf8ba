#include "gui/analog_settings_dialog.h"

#include "core/app/user_interface.h"
#include "gui/analog_entry_box.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kovra {

namespace {

constexpr int kRangeIds[AnalogSettingsForm::kRangeInputs] = { AnalogSettingsDialog::kIdRangeAi1,
    AnalogSettingsDialog::kIdRangeAi2, AnalogSettingsDialog::kIdRangeAi3 };

} // namespace

AnalogSettingsDialog::AnalogSettingsDialog(AnalogSettingsForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("その他の設定"));
    auto* layout = new QVBoxLayout(this);
    if (m_form.inputCount() > 0)
        layout->addWidget(buildInputs());
    if (m_form.outputCount() > 0)
        layout->addWidget(buildOutputs());
    layout->addLayout(okCancelButtons(this, m_form, m_ui));
}

QWidget* AnalogSettingsDialog::buildInputs()
{
    auto* inputs = new QWidget;
    auto* rows = new QFormLayout(inputs);
    rows->setContentsMargins(0, 0, 0, 0);
    QComboBox* sampling
        = withControlId(coreChoiceCombo(samplingRateChoices(), m_form.samplingRate()), kIdSamplingRate);
    rows->addRow(tr("ADCサンプリングSPS:"), sampling);
    connect(sampling, &QComboBox::currentIndexChanged, this,
        [this, sampling] { m_form.setSamplingRate(sampling->currentData().toInt()); });
    for (int input = 0; input < m_form.inputCount(); ++input) {
        QComboBox* range = withControlId(
            coreChoiceCombo(AnalogSettingsForm::rangeChoices(), m_form.inputRange(input)), kRangeIds[input]);
        rows->addRow(tr("AI%1:").arg(input + 1), range);
        connect(range, &QComboBox::currentIndexChanged, this,
            [this, range, input] { m_form.setInputRange(input, range->currentData().toInt()); });
    }
    return inputs;
}

QWidget* AnalogSettingsDialog::buildOutputs()
{
    auto* group = new QGroupBox(tr("アナログ出力初期値"));
    auto* grid = new QGridLayout(group);
    for (int output = 0; output < m_form.outputCount(); ++output) {
        const QString name = QStringLiteral("ao%1").arg(output + 1);
        auto* kind = new QComboBox;
        kind->setObjectName(name + QStringLiteral(".kind"));
        kind->addItem(tr("電圧(V)"), kOutputVoltage);
        kind->addItem(tr("電流(mA)"), kOutputCurrent);
        kind->setCurrentIndex(kind->findData(m_form.outputKind(output)));
        auto* value = new QLineEdit(QString::fromStdString(m_form.outputText(output)));
        value->setObjectName(name + QStringLiteral(".value"));
        m_outputValues[size_t(output)] = value;
        grid->addWidget(new QLabel(tr("AO%1").arg(output + 1)), output, 0);
        grid->addWidget(kind, output, 1);
        grid->addWidget(value, output, 2);
        connect(kind, &QComboBox::currentIndexChanged, this,
            [this, kind, output] { m_form.setOutputKind(output, kind->currentData().toInt()); });
        connect(value, &QLineEdit::textEdited, this, [this, output] { enterOutput(output); });
    }
    return group;
}

void AnalogSettingsDialog::enterOutput(int output)
{
    QLineEdit* box = m_outputValues[size_t(output)];
    const NumericEntry entry = m_form.enterOutputText(output, box->text().toStdString());
    if (!entry.rejected)
        return;
    m_ui.showMessage(kNonNumericEntryMessage);
    box->setText(QString::fromStdString(entry.accepted));
}

bool openAnalogSettingsDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* analog = dynamic_cast<AnalogSettingsForm*>(&form);
    if (!analog)
        return false;
    AnalogSettingsDialog dialog(*analog, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

QComboBox* coreChoiceCombo(const std::vector<ChoiceItem>& choices, int value)
{
    auto* combo = new QComboBox;
    for (const auto& choice : choices)
        combo->addItem(analogCoreText(choice.text.c_str()), choice.value);
    combo->setCurrentIndex(combo->findData(value));
    return combo;
}

QLayout* okCancelButtons(QDialog* dialog, DialogForm& form, UserInterface& ui)
{
    auto* ok = withControlId(new QPushButton(AnalogSettingsDialog::tr("OK")), AnalogSettingsDialog::kIdOk);
    ok->setDefault(true);
    auto* cancel = withControlId(
        new QPushButton(AnalogSettingsDialog::tr("キャンセル")), AnalogSettingsDialog::kIdCancel);
    QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, &form, &ui] {
        if (acceptDialog(form, ui))
            dialog->accept();
    });
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace kovra
