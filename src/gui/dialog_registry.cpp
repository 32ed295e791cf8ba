#include "gui/dialog_registry.h"

#include "core/alerts/classic_mail_form.h"
#include "core/alerts/do_alert_form.h"
#include "core/alerts/entry_mail_form.h"
#include "core/alerts/single_mail_form.h"
#include "gui/analog_settings_dialog.h"
#include "gui/classic_mail_dialog.h"
#include "gui/connections_dialog.h"
#include "gui/do_alert_dialog.h"
#include "gui/do_modes_dialog.h"
#include "gui/entry_mail_dialog.h"
#include "gui/five_channel_mail_dialog.h"
#include "gui/keep_alive_time_dialog.h"
#include "gui/keep_alive_wifi_dialog.h"
#include "gui/single_mail_dialog.h"
#include "gui/tcp_extension_dialog.h"
#include "gui/thermo_settings_dialog.h"
#include "gui/two_channel_mail_dialog.h"
#include "gui/udp_keep_alive_dialog.h"

#include <map>

namespace kovra {

namespace {

using OpenFunction = bool (*)(QWidget* parent, DialogForm& form, UserInterface& ui);

const std::map<int, OpenFunction>& registry()
{
    static const std::map<int, OpenFunction> dialogs {
        { kDoAlertTemplateId, openDoAlertDialog },
        { kEntryMailTemplateId, openEntryMailDialog },
        { kSingleMailTemplateId, openSingleMailDialog },
        { kTwoChannelMailTemplateId, openTwoChannelMailDialog },
        { kFiveChannelMailTemplateId, openFiveChannelMailDialog },
        { kClassicMailTemplateId, openClassicMailDialog },
        { 131, openTcpExtensionDialog },
        { 132, openAnalogSettingsDialog },
        { 136, openThermoSettingsDialog },
        { 140, openKeepAliveTimeDialog },
        { 141, openKeepAliveWifiDialog },
        { 143, openDoModesDialog },
        { 145, openConnectionsDialog },
        { 147, openUdpKeepAliveDialog },
    };
    return dialogs;
}

} // namespace

bool openRegisteredDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    const auto found = registry().find(form.templateId());
    return found != registry().end() && found->second(parent, form, ui);
}

} // namespace kovra
