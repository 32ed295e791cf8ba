#include "connection.h"

#include "address_text.h"
#include "request_log.h"
#include "unit.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>

namespace sim {

Connection::Connection(int fd, std::string peer, uint16_t port, Unit& unit, RequestLog& log, int stopFd)
    : m_fd(fd)
    , m_peer(std::move(peer))
    , m_channel("tcp:" + std::to_string(port))
    , m_unit(unit)
    , m_log(log)
    , m_stopFd(stopFd)
{
}

bool Connection::readByte(uint8_t& byte)
{
    for (;;) {
        pollfd fds[2] = { { m_fd, POLLIN, 0 }, { m_stopFd, POLLIN, 0 } };
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (fds[1].revents)
            return false;
        const ssize_t got = ::recv(m_fd, &byte, 1, 0);
        if (got < 0 && errno == EINTR)
            continue;
        return got == 1;
    }
}

bool Connection::pause(int ms)
{
    if (ms <= 0)
        return true;
    pollfd stop = { m_stopFd, POLLIN, 0 };
    return ::poll(&stop, 1, ms) == 0;
}

bool Connection::reply(const std::string& name, const std::string& request, const std::string& answer,
    const nlohmann::json& details)
{
    Delivery delivery = m_unit.deliver(Channel::Tcp, name, answer);
    if (m_silent)
        delivery.send = false;
    nlohmann::json extra = details;
    extra["request"] = name;
    extra["from"] = m_peer;
    extra["answer"] = delivery.send ? RequestLog::hex(delivery.bytes) : "";
    if (delivery.send && delivery.delayMs > 0)
        extra["delayMs"] = delivery.delayMs;
    if (delivery.send && delivery.byteGapMs > 0)
        extra["byteGapMs"] = delivery.byteGapMs;
    m_log.request(AddressText::format(m_unit.address()), m_channel, request, extra);
    if (delivery.send) {
        if (!pause(delivery.delayMs))
            return false;
        size_t sent = 0;
        while (sent < delivery.bytes.size()) {
            if (sent > 0 && !pause(delivery.byteGapMs))
                return false;
            const size_t piece = delivery.byteGapMs > 0 ? 1 : delivery.bytes.size() - sent;
            const ssize_t n = ::send(m_fd, delivery.bytes.data() + sent, piece, MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            sent += static_cast<size_t>(n);
        }
    }
    if (delivery.after == Delivery::After::Close)
        return false;
    if (delivery.after == Delivery::After::GoSilent)
        m_silent = true;
    return true;
}

void Connection::log(const std::string& name, const std::string& request, const std::string& answer)
{
    m_log.request(AddressText::format(m_unit.address()), m_channel, request,
        { { "request", name }, { "from", m_peer }, { "answer", RequestLog::hex(answer) } });
}

} // namespace sim
