#include "cli/unit_json.h"

#include "cli/secret_text.h"
#include "core/platform/cp932_text.h"

namespace kovra::cli {

namespace {

template <size_t N, typename Convert>
nlohmann::json texts(const std::array<std::string, N>& values, Convert convert)
{
    auto list = nlohmann::json::array();
    for (const auto& value : values)
        list.push_back(convert(value));
    return list;
}

} // namespace

nlohmann::json settingsJson(const UnitSettings& s, bool showSecrets)
{
    const auto text = [](const std::string& cp932) { return cp932ToUtf8(cp932); };
    const auto secret
        = [showSecrets](const std::string& cp932) { return secretText(cp932ToUtf8(cp932), showSecrets); };
    return {
        { "ports", s.ports },
        { "mailHost", cp932ToUtf8(s.mailHost) },
        { "mailPort", s.mailPort },
        { "mailUser", cp932ToUtf8(s.mailUser) },
        { "mailPass", secret(s.mailPass) },
        { "mailFrom", cp932ToUtf8(s.mailFrom) },
        { "mailTo1", cp932ToUtf8(s.mailTo1) },
        { "mailTo2", cp932ToUtf8(s.mailTo2) },
        { "mailSubject", cp932ToUtf8(s.mailSubject) },
        { "remoteHosts", texts(s.remoteHosts, text) },
        { "remotePorts", s.remotePorts },
        { "sketchVersion", s.sketchVersion },
        { "textVersion", s.textVersion },
        { "keepIdle", s.keepIdle },
        { "keepInterval", s.keepInterval },
        { "keepCount", s.keepCount },
        { "wifiSsid", cp932ToUtf8(s.wifiSsid) },
        { "wifiPass", secret(s.wifiPass) },
        { "apMode", s.apMode },
        { "apChannel", s.apChannel },
        { "eRstOption", s.eRstOption },
        { "sockMode", s.sockMode },
        { "unitMode", s.unitMode },
        { "notice", s.notice },
        { "discon", s.discon },
        { "detect", s.detect },
        { "rqReset", s.rqReset },
        { "doMode", s.doMode },
        { "doExtension", s.doExtension },
        { "doOneShot", s.doOneShot },
        { "diExtension", s.diExtension },
        { "mailMode", s.mailMode },
        { "mailHosts", texts(s.mailHosts, text) },
        { "mailPorts", s.mailPorts },
        { "mailUsers", texts(s.mailUsers, text) },
        { "mailPasses", texts(s.mailPasses, secret) },
        { "mailFroms", texts(s.mailFroms, text) },
        { "mailTo1s", texts(s.mailTo1s, text) },
        { "mailTo2s", texts(s.mailTo2s, text) },
        { "mailSubjects", texts(s.mailSubjects, text) },
        { "addressLock", s.addressLock },
    };
}

} // namespace kovra::cli
