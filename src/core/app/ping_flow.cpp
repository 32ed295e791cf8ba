#include "core/app/ping_flow.h"

#include "core/app/address_texts.h"
#include "core/app/system_texts.h"
#include "core/platform/icmp_echo.h"
#include "core/platform/socket_error.h"

namespace kovra {

namespace {

int echoRequest(Ipv4 address)
{
    return pingEcho(address, kPingCheckData, kPingCheckTimeoutMs);
}

} // namespace

PingFlow::PingFlow(UserInterface& ui, std::string addressText, Ipv4 unitAddress, Done done, Echo echo)
    : m_ui(ui)
    , m_addressText(std::move(addressText))
    , m_unitAddress(unitAddress)
    , m_done(std::move(done))
    , m_echo(echo ? std::move(echo) : Echo(echoRequest))
{
}

void PingFlow::run()
{
    const PingOutcome outcome = ping();
    if (m_done)
        m_done(outcome);
}

PingOutcome PingFlow::ping()
{
    // Nothing to ping, but the operator pressed the button: tell why nothing happens.
    if (m_addressText.empty()) {
        m_ui.showMessage(texts::kEnterIpAddress);
        return PingOutcome::Nothing;
    }
    Ipv4 address = 0;
    if (!parseIpv4(m_addressText, address)) {
        m_ui.showMessage(texts::kIpAddressInvalid);
        return PingOutcome::Nothing;
    }
    const int result = m_echo(address);
    if (result == 0) {
        const bool fromUnit = m_unitAddress != 0 && address == m_unitAddress;
        m_ui.showMessage(fromUnit ? texts::kPingReplyFromUnit : texts::kPingReplyConflict);
        return PingOutcome::Reply;
    }
    // The kernel's "host unreachable" is its ARP going unanswered: nobody holds the address.
    if (result == -1 || result == kSocketHostUnreachable) {
        m_ui.showMessage(texts::kPingNoReply);
        return PingOutcome::NoReply;
    }
    // An echo that could not even be sent says nothing about the address: calling it free
    // would invite a conflict.
    m_ui.showMessage(texts::kCommunicationError);
    return PingOutcome::Failed;
}

} // namespace kovra
