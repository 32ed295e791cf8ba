#include "core/net/direct_command.h"

#include "core/net/command_messages.h"
#include "core/net/net_results.h"

namespace kovra {

int DirectCommand::open(const UnitRecord& unit)
{
    return m_channel.open(unit.ipText, unit.unitPort());
}

int DirectCommand::exchange(
    const std::string& request, size_t answerLength, std::string& answer, bool skipCheck)
{
    answer.clear();
    // Without its end mark the unit would wait for the rest of the request.
    if (request.empty() || uint8_t(request.back()) != kFrameEnd)
        return kRequestRefused;
    std::string received(answerLength, '\0');
    const int result = m_channel.exchange(reinterpret_cast<const uint8_t*>(request.data()), request.size(),
        reinterpret_cast<uint8_t*>(received.data()), answerLength, skipCheck);
    if (result == 0)
        answer = std::move(received);
    return result;
}

} // namespace kovra
