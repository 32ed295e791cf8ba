#include "core/settings/settings_reader.h"

#include "core/net/tcp_exchange.h"
#include "core/platform/connect_with_timeout.h"
#include "core/platform/socket_error.h"
#include "core/settings/settings_answer.h"
#include "core/settings/settings_message.h"
#include "core/settings/settings_transport.h"
#include "core/units/unit_table.h"

#include <cstring>

namespace kovra {

namespace {

// Half the answer's time-out: the first request's wait, then the repeated one's.
constexpr int kVersionRepeatMs = kCommandTimeoutMs / 2;

class SocketByteSource : public ByteSource {
public:
    explicit SocketByteSource(const Socket& socket)
        : m_socket(socket)
    {
    }
    int next(uint8_t& byte) override { return receiveByte(m_socket, byte); }

private:
    const Socket& m_socket;
};

int readVersions(const std::string& ipText, uint16_t port, UnitVersions& versions, VersionAnswer& kind)
{
    Socket socket;
    int result = openUnitConnection(socket, ipText, port);
    if (result != 0)
        return result;
    // The request goes out with its terminating zero, as the units expect. A unit that lets
    // it pass unanswered is asked once more, within the same wait for the answer.
    result = sendAll(socket, kVersionRequest, sizeof kVersionRequest);
    if (result == 0 && waitReadable(socket, kVersionRepeatMs) == kSocketTimedOut) {
        result = sendAll(socket, kVersionRequest, sizeof kVersionRequest);
        if (result == 0)
            result = waitReadable(socket, kVersionRepeatMs);
    }
    if (result != 0)
        return result;
    SocketByteSource source(socket);
    std::string answer;
    result = readVersionAnswer(source, answer);
    if (result != 0)
        return result;
    kind = parseVersionAnswer(answer, versions);
    return kind == VersionAnswer::Unreadable ? kSettingsVersionUnreadable : 0;
}

} // namespace

const char* dumpRequestFor(int kind, int sketchVersion)
{
    const bool getParam
        = kind == kKindThirdName || (kind == kKindKovra4 && sketchVersion >= kGetParamSketchVersion);
    return getParam ? kGetParamRequest : kDumpRequest;
}

int ReadUnitSettings(UnitSlot& slot, std::string* dump)
{
    return readUnitSettingsAt(slot, kSettingsPort, dump);
}

int readUnitSettingsAt(UnitSlot& slot, uint16_t port, std::string* dump)
{
    UnitSettings& settings = slot.settings;
    settings.sketchVersion = 0;
    settings.textVersion = 0;
    if (dump)
        dump->clear();
    UnitVersions versions;
    VersionAnswer kind = VersionAnswer::Unreadable;
    int result = readVersions(slot.record.ipText, port, versions, kind);
    if (result != 0 || kind == VersionAnswer::SingleLine)
        return result;
    settings.sketchVersion = versions.sketch;
    settings.textVersion = versions.text;

    Socket socket;
    result = openUnitConnection(socket, slot.record.ipText, port);
    if (result != 0)
        return result;
    char block[kDumpRequestBlock] = {};
    const char* request = dumpRequestFor(slot.record.kind, settings.sketchVersion);
    std::memcpy(block, request, std::strlen(request));
    result = sendAll(socket, block, sizeof block);
    if (result != 0)
        return result;
    SocketByteSource source(socket);
    return readSettingsPairs(source, slot, dump);
}

} // namespace kovra
