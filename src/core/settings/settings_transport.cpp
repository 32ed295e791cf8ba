#include "core/settings/settings_transport.h"

#include "core/net/tcp_exchange.h"
#include "core/platform/cancel_scope.h"
#include "core/units/unit_record.h"

#include <algorithm>

namespace kovra {

int sendInPieces(const std::string& text, const std::function<int(const char*, size_t)>& send)
{
    for (size_t at = 0; at < text.size();) {
        const size_t piece = std::min(kSettingsPieceBytes, text.size() - at);
        const int result = send(text.data() + at, piece);
        if (result != 0)
            return result;
        at += piece;
    }
    return 0;
}

int SendSettingsMessage(const UnitRecord& unit, const std::string& text)
{
    return sendSettingsMessageTo(unit.ipText, kSettingsPort, text);
}

int sendSettingsMessageTo(const std::string& ipText, uint16_t port, const std::string& text)
{
    Socket socket;
    int result = openUnitConnection(socket, ipText, port);
    if (result != 0)
        return result;
    result
        = sendInPieces(text, [&](const char* data, size_t length) { return sendAll(socket, data, length); });
    if (result != 0)
        return result;
    pauseFor(kSettingsLingerMs);
    return 0;
}

} // namespace kovra
