#include "gui/keep_alive_wifi_dialog.h"

#include "core/app/user_interface.h"
#include "core/functions/udp_keep_alive_form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

KeepAliveWifiDialog::KeepAliveWifiDialog(KeepAliveWifiForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("その他の設定"));

    auto* keepAlive = new QFormLayout;
    const std::pair<const char*, int> keepAliveEdits[] = {
        { kKeepIdleField, kIdKeepIdle },
        { kKeepIntervalField, kIdKeepInterval },
        { kKeepCountField, kIdKeepCount },
    };
    const QString captions[]
        = { tr("Keepalive idle(sec):"), tr("Keepalive interval(sec):"), tr("Keepalive count(sec):") };
    for (size_t i = 0; i < std::size(keepAliveEdits); ++i) {
        QLineEdit* edit = fieldEdit(m_form, keepAliveEdits[i].first, keepAliveEdits[i].second);
        edit->setMaxLength(int(KeepAliveWifiForm::kKeepAliveEditLimit));
        keepAlive->addRow(captions[i], edit);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    withId(buttons->button(QDialogButtonBox::Ok), kIdOk);
    withId(buttons->button(QDialogButtonBox::Cancel), kIdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(keepAlive);
    layout->addWidget(buildWifiPart());
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &KeepAliveWifiDialog::pressOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QWidget* KeepAliveWifiDialog::buildWifiPart()
{
    auto* part = new QWidget;
    auto* station = withId(new QRadioButton(tr("STAモード")), kIdStation);
    auto* accessPoint = withId(new QRadioButton(tr("APモード")), kIdAccessPoint);
    auto* modes = new QHBoxLayout;
    modes->addWidget(station);
    modes->addWidget(accessPoint);
    modes->addStretch();

    QLineEdit* password = fieldEdit(m_form, KeepAliveWifiForm::kPasswordField, kIdPassword);
    password->setEchoMode(QLineEdit::Password);
    auto* values = new QFormLayout(part);
    values->setContentsMargins(0, 0, 0, 0);
    values->addRow(modes);
    values->addRow(tr("SSID:"), fieldEdit(m_form, KeepAliveWifiForm::kSsidField, kIdSsid));
    values->addRow(tr("パスワード:"), password);
    values->addRow(tr("IPアドレス:"), fieldEdit(m_form, KeepAliveWifiForm::kIpField, kIdAddress));
    values->addRow(tr("サブネットマスク:"), fieldEdit(m_form, KeepAliveWifiForm::kMaskField, kIdMask));
    values->addRow(
        tr("デフォルトゲートウェイ:"), fieldEdit(m_form, KeepAliveWifiForm::kGatewayField, kIdGateway));
    values->addRow(tr("チャンネル:"), fieldEdit(m_form, KeepAliveWifiForm::kChannelField, kIdChannel));

    if (!m_form.wifiLive()) {
        part->setEnabled(false);
        part->setVisible(false);
        return part;
    }
    (m_form.apMode() == KeepAliveWifiForm::kAccessPoint ? accessPoint : station)->setChecked(true);
    connect(accessPoint, &QRadioButton::toggled, this, [this](bool on) {
        m_form.setApMode(on ? KeepAliveWifiForm::kAccessPoint : KeepAliveWifiForm::kStation);
    });
    return part;
}

void KeepAliveWifiDialog::pressOk()
{
    if (acceptDialog(m_form, m_ui))
        accept();
}

bool openKeepAliveWifiDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* keepAliveWifi = dynamic_cast<KeepAliveWifiForm*>(&form);
    if (!keepAliveWifi)
        return false;
    KeepAliveWifiDialog dialog(*keepAliveWifi, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
