#include "gui/udp_keep_alive_dialog.h"

#include "core/app/user_interface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kovra {

namespace {

template <typename Widget> Widget* withId(Widget* widget, int id)
{
    widget->setProperty("controlId", id);
    return widget;
}

// An edit showing a field of the form; every change goes back through the field, so the
// text reads as kovractl reads it. A control the form has no field for stays empty.
QLineEdit* fieldEdit(DialogForm& form, const std::string& name, int id)
{
    auto* edit = withId(new QLineEdit, id);
    if (const FormField* field = form.field(name)) {
        edit->setText(QString::fromStdString(field->get()));
        QObject::connect(edit, &QLineEdit::textEdited, edit,
            [&form, name](const QString& text) { form.setFieldText(name, text.toStdString()); });
    }
    return edit;
}

} // namespace

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

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    withId(buttons->button(QDialogButtonBox::Ok), kIdOk);
    withId(buttons->button(QDialogButtonBox::Cancel), kIdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addWidget(buttons);

    connect(m_udpMode, &QCheckBox::toggled, this, [this](bool on) { m_form.setUdpMode(on); });
    connect(samplingRate, &QComboBox::currentIndexChanged, this, [this, samplingRate](int index) {
        if (index >= 0)
            m_form.setSpsIndex(samplingRate->itemData(index).toInt());
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &UdpKeepAliveDialog::pressOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void UdpKeepAliveDialog::pressOk()
{
    if (acceptDialog(m_form, m_ui))
        accept();
    else
        m_udpMode->setChecked(m_form.udpMode()); // a No clears it
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
