#include "unit.h"

namespace sim {

Unit::Unit(const UnitConfig& config)
    : m_config(config)
    , m_address(config.runningAddress())
{
}

Delivery Unit::deliver(Channel channel, const std::string& request, const std::string& answer)
{
    Delivery delivery;
    delivery.bytes = answer;
    delivery.send = !answer.empty();
    if (delivery.send && m_config.fault.appliesTo(channel, request)) {
        std::lock_guard<std::mutex> lock(m_faultMutex);
        if (m_config.fault.times() == 0 || m_faultsUsed < m_config.fault.times()) {
            ++m_faultsUsed;
            delivery = m_config.fault.spoil(channel, answer);
        }
    }
    delivery.delayMs += m_config.latencyMs;
    if (delivery.restart)
        requestRestart();
    return delivery;
}

} // namespace sim
