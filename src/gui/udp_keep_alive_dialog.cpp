#include "gui/udp_keep_alive_dialog.h"

#include "core/app/user_interface.h"
#include "gui/dialog_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kovra {

UdpKeepAliveDialog::UdpKeepAliveDialog(UdpKeepAliveForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("その他の設定"));

    m_udpMode = withId(new QCheckBox(tr("UDP通信モード")), kIdUdpMode);
    m_udpMode->setChecked(m_form.udpMode());
    auto* samplingRate = withId(new QComboBox, kIdSamplingRate);
    const auto& rates = samplingRateChoices();
    for (const auto& rate : rates)
        samplingRate->addItem(QString::fromStdString(rate.text), rate.value);
    // A mode value the list does not have shows no row.
    samplingRate->setCurrentIndex(samplingRate->findData(m_form.spsIndex()));

    auto* values = new QFormLayout;
    values->addRow(tr("Keepalive idle(sec):"), fieldEdit(m_form, kKeepIdleField, kIdKeepIdle));
    values->addRow(tr("Keepalive interval(sec):"), fieldEdit(m_form, kKeepIntervalField, kIdKeepInterval));
    values->addRow(tr("Keepalive count(sec):"), fieldEdit(m_form, kKeepCountField, kIdKeepCount));
    values->addRow(m_udpMode);
    values->addRow(tr("ADCサンプリングSPS:"), samplingRate);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values);
    // A No to the UDP mode question clears it in the form: show that.
    layout->addLayout(
        okCancelButtons(this, m_form, m_ui, [this] { m_udpMode->setChecked(m_form.udpMode()); }));

    connect(m_udpMode, &QCheckBox::toggled, this, [this](bool on) { m_form.setUdpMode(on); });
    connect(samplingRate, &QComboBox::currentIndexChanged, this, [this, samplingRate](int index) {
        if (index >= 0)
            m_form.setSpsIndex(samplingRate->itemData(index).toInt());
    });
}

bool openUdpKeepAliveDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* udpKeepAlive = dynamic_cast<UdpKeepAliveForm*>(&form);
    if (!udpKeepAlive)
        return false;
    UdpKeepAliveDialog dialog(*udpKeepAlive, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
