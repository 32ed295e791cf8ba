#include "simulator.h"

#include "address_text.h"
#include "connection.h"
#include "unit_kind.h"
#include "wire_codes.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr size_t kMaxDatagram = 2048; // longer datagrams are cut and then fit no request
constexpr size_t kMaxSessions = 512; // connections beyond this are closed at once
constexpr int kListenBacklog = 64;
constexpr uint32_t kLimitedBroadcast = 0xFFFFFFFFu;

sockaddr_in socketAddress(uint32_t address, uint16_t port)
{
    sockaddr_in result {};
    result.sin_family = AF_INET;
    result.sin_addr.s_addr = htonl(address);
    result.sin_port = htons(port);
    return result;
}

std::string endpointText(const sockaddr_in& address)
{
    return AddressText::format(ntohl(address.sin_addr.s_addr)) + ":"
        + std::to_string(ntohs(address.sin_port));
}

// A socket bound to address:port with SO_REUSEADDR, so the units and the broadcast receiver can
// share the discovery port and a restarted unit gets its ports back at once. -1 with errno set.
int boundSocket(int type, uint32_t address, uint16_t port)
{
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const int on = 1;
    const sockaddr_in local = socketAddress(address, port);
    if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on)) != 0
        || ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof(local)) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

Simulator::Simulator(FleetConfig fleet, RequestLog& log, std::string interfaceName)
    : m_fleet(std::move(fleet))
    , m_log(log)
    , m_udpChannel("udp:" + std::to_string(m_fleet.discoveryPort))
{
    if (!interfaceName.empty())
        m_addresses = std::make_unique<InterfaceAddresses>(std::move(interfaceName));
}

Simulator::~Simulator()
{
    stop();
}

int Simulator::start(std::string& error)
{
    if (m_running)
        return 0;
    if (m_slots.empty()) {
        if (!m_fleet.complete(error))
            return EINVAL;
        for (const UnitConfig& config : m_fleet.units) {
            auto slot = std::make_unique<Slot>();
            slot->unit = UnitKind::find(config.kind)->create(config);
            slot->unit->setRestartHook([this, index = m_slots.size()] {
                {
                    std::lock_guard<std::mutex> lock(m_restartMutex);
                    m_restartRequests.push_back(index);
                }
                wake();
            });
            m_slots.push_back(std::move(slot));
        }
    }
    m_stopFd = ::eventfd(0, EFD_CLOEXEC);
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_stopFd < 0 || m_wakeFd < 0) {
        const int result = errno;
        error = std::string("cannot create events: ") + std::strerror(result);
        stop();
        return result;
    }
    m_any = boundSocket(SOCK_DGRAM, INADDR_ANY, m_fleet.discoveryPort);
    const int on = 1;
    if (m_any < 0 || ::setsockopt(m_any, IPPROTO_IP, IP_PKTINFO, &on, sizeof(on)) != 0) {
        const int result = errno;
        error = "cannot bind 0.0.0.0:" + std::to_string(m_fleet.discoveryPort) + ": " + std::strerror(result);
        stop();
        return result;
    }
    m_running = true;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        const int result = bringUp(i, error);
        if (result != 0) {
            error = m_slots[i]->unit->config().label() + ": " + error;
            stop();
            return result;
        }
    }
    m_loop = std::thread(&Simulator::loop, this);
    m_log.event("", "ready", { { "units", m_slots.size() }, { "discoveryPort", m_fleet.discoveryPort } });
    return 0;
}

void Simulator::stop()
{
    if (m_stopFd >= 0) {
        const uint64_t one = 1;
        if (::write(m_stopFd, &one, sizeof(one)) < 0) {
            // The loop then only ends with the process; nothing better to do here.
        }
    }
    if (m_loop.joinable())
        m_loop.join();
    reapSessions(true);
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i]->up)
            takeDown(i);
    }
    closeFd(m_any);
    closeFd(m_stopFd);
    closeFd(m_wakeFd);
    m_pending.clear();
    m_running = false;
}

int Simulator::bringUp(size_t index, std::string& error)
{
    Slot& slot = *m_slots[index];
    Unit& unit = *slot.unit;
    const uint32_t address = unit.address();
    const std::string where = AddressText::format(address);
    if (m_addresses) {
        const int result = m_addresses->add(address);
        if (result != 0) {
            error = "cannot add " + where + " to the interface: " + std::strerror(result);
            return result;
        }
    }
    auto fail = [&](const std::string& what) {
        const int result = errno;
        error = "cannot bind " + where + ":" + what + ": " + std::strerror(result);
        closeFd(slot.udp);
        for (auto& listener : slot.listeners)
            closeFd(listener.first);
        slot.listeners.clear();
        if (m_addresses)
            m_addresses->remove(address);
        return result;
    };
    slot.udp = boundSocket(SOCK_DGRAM, address, m_fleet.discoveryPort);
    if (slot.udp < 0)
        return fail(std::to_string(m_fleet.discoveryPort));
    std::vector<uint16_t> ports;
    if (!unit.config().fault.refusesConnections())
        ports = unit.tcpPorts();
    for (uint16_t port : ports) {
        const int fd = boundSocket(SOCK_STREAM | SOCK_NONBLOCK, address, port);
        if (fd < 0)
            return fail(std::to_string(port));
        slot.listeners.emplace_back(fd, port);
        if (::listen(fd, kListenBacklog) != 0)
            return fail(std::to_string(port));
    }
    slot.boundAddress = address;
    slot.up = true;
    m_log.event(where, "up", { { "ports", ports }, { "kind", unit.config().kind } });
    return 0;
}

void Simulator::takeDown(size_t index)
{
    Slot& slot = *m_slots[index];
    closeFd(slot.udp);
    for (auto& listener : slot.listeners)
        closeFd(listener.first);
    slot.listeners.clear();
    {
        // A restarting unit drops its connections.
        std::lock_guard<std::mutex> lock(m_sessionMutex);
        for (Session& session : m_sessions) {
            if (session.slot == index)
                ::shutdown(session.fd, SHUT_RDWR);
        }
    }
    if (m_addresses)
        m_addresses->remove(slot.boundAddress);
    slot.up = false;
}

void Simulator::wake()
{
    const uint64_t one = 1;
    if (::write(m_wakeFd, &one, sizeof(one)) < 0) {
        // The counter is full: the loop is awake anyway.
    }
}

bool Simulator::isBroadcast(uint32_t destination) const
{
    if (destination == kLimitedBroadcast)
        return true;
    // A subnet broadcast of any unit (by its mask, or by its address class as hosts without a
    // mask assume) reaches every unit: they share one link.
    for (const auto& slot : m_slots) {
        if (!slot->up)
            continue;
        const uint32_t address = slot->unit->address();
        if (destination == (address | ~slot->unit->netmask())
            || destination == (address | ~AddressText::classfulMask(address)))
            return true;
    }
    return false;
}

void Simulator::loop()
{
    enum class Source { Stop, Wake, Any, Unit, Listener };
    struct Watched {
        Source source;
        size_t slot;
        int fd;
        uint16_t port;
    };
    std::vector<pollfd> fds;
    std::vector<Watched> watched;
    for (;;) {
        fds.clear();
        watched.clear();
        auto watch = [&](int fd, Source source, size_t slot = 0, uint16_t port = 0) {
            fds.push_back({ fd, POLLIN, 0 });
            watched.push_back({ source, slot, fd, port });
        };
        watch(m_stopFd, Source::Stop);
        watch(m_wakeFd, Source::Wake);
        watch(m_any, Source::Any);
        for (size_t i = 0; i < m_slots.size(); ++i) {
            const Slot& slot = *m_slots[i];
            if (!slot.up)
                continue;
            watch(slot.udp, Source::Unit, i);
            for (const auto& listener : slot.listeners)
                watch(listener.first, Source::Listener, i, listener.second);
        }
        if (::poll(fds.data(), fds.size(), pollTimeout(Clock::now())) < 0 && errno != EINTR)
            return;
        if (fds[0].revents)
            return;
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            const Watched& item = watched[i];
            switch (item.source) {
            case Source::Stop:
                break;
            case Source::Wake: {
                uint64_t count = 0;
                if (::read(m_wakeFd, &count, sizeof(count)) < 0) {
                    // Nothing pending: another wake-up was read already.
                }
                reapSessions(false);
                restartRequested(Clock::now());
                break;
            }
            case Source::Any:
                receiveBroadcast();
                break;
            case Source::Unit:
                // The unit may have gone down for a restart earlier in this round.
                if (m_slots[item.slot]->udp == item.fd)
                    receiveUnicast(item.slot);
                break;
            case Source::Listener:
                if (m_slots[item.slot]->up)
                    accept(item.slot, item.fd, item.port);
                break;
            }
        }
        const Clock::time_point now = Clock::now();
        sendDue(now);
        restartDue(now);
    }
}

int Simulator::pollTimeout(Clock::time_point now) const
{
    Clock::time_point next = Clock::time_point::max();
    if (!m_pending.empty())
        next = m_pending.front().due;
    for (const auto& slot : m_slots) {
        if (!slot->up)
            next = std::min(next, slot->upAt);
    }
    if (next == Clock::time_point::max())
        return -1;
    if (next <= now)
        return 0;
    // Round up so the loop does not wake a moment early and spin.
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count()) + 1;
}

void Simulator::receiveBroadcast()
{
    char buffer[kMaxDatagram];
    char control[CMSG_SPACE(sizeof(in_pktinfo))];
    sockaddr_in from {};
    iovec io { buffer, sizeof(buffer) };
    msghdr message {};
    message.msg_name = &from;
    message.msg_namelen = sizeof(from);
    message.msg_iov = &io;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof(control);
    const ssize_t got = ::recvmsg(m_any, &message, MSG_DONTWAIT);
    if (got < 0)
        return;
    uint32_t destination = 0;
    for (cmsghdr* item = CMSG_FIRSTHDR(&message); item; item = CMSG_NXTHDR(&message, item)) {
        if (item->cmsg_level == IPPROTO_IP && item->cmsg_type == IP_PKTINFO) {
            in_pktinfo info {};
            std::memcpy(&info, CMSG_DATA(item), sizeof(info));
            destination = ntohl(info.ipi_addr.s_addr);
        }
    }
    // A unicast lands here only when no unit holds that address now (one restarting, or an
    // address a unit left): nobody answers it.
    if (!isBroadcast(destination))
        return;
    const std::string bytes(buffer, static_cast<size_t>(got));
    int spread = 0;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (!m_slots[i]->up)
            continue;
        handleDatagram(i, bytes, from, true, spread);
        spread += m_fleet.broadcastSpreadMs;
    }
}

void Simulator::receiveUnicast(size_t index)
{
    char buffer[kMaxDatagram];
    sockaddr_in from {};
    socklen_t length = sizeof(from);
    const ssize_t got = ::recvfrom(m_slots[index]->udp, buffer, sizeof(buffer), MSG_DONTWAIT,
        reinterpret_cast<sockaddr*>(&from), &length);
    if (got < 0)
        return;
    handleDatagram(index, std::string(buffer, static_cast<size_t>(got)), from, false, 0);
}

void Simulator::handleDatagram(
    size_t index, const std::string& bytes, const sockaddr_in& from, bool broadcast, int extraDelayMs)
{
    Unit& unit = *m_slots[index]->unit;
    const DatagramAnswer answer = unit.datagram(bytes, broadcast);
    const Delivery delivery = unit.deliver(Channel::Udp, answer.request, answer.bytes);
    nlohmann::json extra = { { "request", answer.request }, { "from", endpointText(from) },
        { "broadcast", broadcast }, { "answer", delivery.send ? RequestLog::hex(delivery.bytes) : "" } };
    if (!answer.refused.empty())
        extra["refused"] = answer.refused;
    if (delivery.send && delivery.delayMs > 0)
        extra["delayMs"] = delivery.delayMs;
    m_log.request(AddressText::format(unit.address()), m_udpChannel, bytes, extra);
    if (!delivery.send && !answer.restart)
        return;
    Pending pending { Clock::now() + std::chrono::milliseconds(delivery.delayMs + extraDelayMs), index, from,
        delivery.send ? delivery.bytes : std::string(), answer.restart };
    queuePending(pending);
    const auto& conflictMac = unit.config().conflictMac;
    const bool searchAnswer = answer.request == "searchA" || answer.request == "searchB";
    if (conflictMac && searchAnswer && pending.bytes.size() >= kSearchMacOffset + conflictMac->size()) {
        // The other holder of the address answers the same search right after the unit.
        pending.bytes.replace(kSearchMacOffset, conflictMac->size(),
            reinterpret_cast<const char*>(conflictMac->data()), conflictMac->size());
        pending.restart = false;
        queuePending(pending);
    }
}

void Simulator::queuePending(const Pending& pending)
{
    // Kept in due order; equal times keep their arrival order, so an answer leaves before the
    // restart it announces.
    const auto at = std::upper_bound(m_pending.begin(), m_pending.end(), pending.due,
        [](Clock::time_point due, const Pending& item) { return due < item.due; });
    m_pending.insert(at, pending);
}

void Simulator::sendDue(Clock::time_point now)
{
    while (!m_pending.empty() && m_pending.front().due <= now) {
        const Pending pending = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        Slot& slot = *m_slots[pending.slot];
        if (!slot.up)
            continue; // a restarting unit sends nothing
        if (!pending.bytes.empty()) {
            ::sendto(slot.udp, pending.bytes.data(), pending.bytes.size(), 0,
                reinterpret_cast<const sockaddr*>(&pending.to), sizeof(pending.to));
        }
        if (pending.restart)
            takeDownForRestart(pending.slot, now);
    }
}

void Simulator::takeDownForRestart(size_t index, Clock::time_point now)
{
    Slot& slot = *m_slots[index];
    takeDown(index);
    slot.upAt = now + std::chrono::milliseconds(m_fleet.restartMs);
    m_log.event(AddressText::format(slot.boundAddress), "restart", { { "downMs", m_fleet.restartMs } });
}

void Simulator::restartRequested(Clock::time_point now)
{
    std::vector<size_t> requests;
    {
        std::lock_guard<std::mutex> lock(m_restartMutex);
        requests.swap(m_restartRequests);
    }
    for (size_t index : requests) {
        if (m_slots[index]->up)
            takeDownForRestart(index, now);
    }
}

void Simulator::restartDue(Clock::time_point now)
{
    for (size_t i = 0; i < m_slots.size(); ++i) {
        Slot& slot = *m_slots[i];
        if (slot.up || slot.upAt > now)
            continue;
        slot.unit->restart();
        std::string error;
        if (bringUp(i, error) != 0) {
            // The unit keeps trying, as a unit on a wrong address would stay there.
            m_log.event(AddressText::format(slot.unit->address()), "bind failed", { { "error", error } });
            slot.upAt = now + std::chrono::milliseconds(std::max(m_fleet.restartMs, 1));
        }
    }
}

void Simulator::accept(size_t index, int listener, uint16_t port)
{
    sockaddr_in from {};
    socklen_t length = sizeof(from);
    const int fd = ::accept4(listener, reinterpret_cast<sockaddr*>(&from), &length, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    std::lock_guard<std::mutex> lock(m_sessionMutex);
    if (m_sessions.size() >= kMaxSessions) {
        ::close(fd);
        return;
    }
    Session& session = m_sessions.emplace_back();
    session.fd = fd;
    session.slot = index;
    Unit& unit = *m_slots[index]->unit;
    session.thread = std::thread([this, &session, &unit, peer = endpointText(from), port]() {
        {
            Connection connection(session.fd, peer, port, unit, m_log, m_stopFd);
            unit.serve(port, connection);
        }
        // The peer sees the end at once; the socket is closed when the session is reaped.
        ::shutdown(session.fd, SHUT_RDWR);
        session.done = true;
        wake();
    });
}

void Simulator::reapSessions(bool all)
{
    std::list<Session> finished;
    {
        std::lock_guard<std::mutex> lock(m_sessionMutex);
        for (auto it = m_sessions.begin(); it != m_sessions.end();) {
            const auto next = std::next(it);
            if (all || it->done)
                finished.splice(finished.end(), m_sessions, it);
            it = next;
        }
    }
    for (Session& session : finished) {
        if (session.thread.joinable())
            session.thread.join();
        ::close(session.fd);
    }
}

} // namespace sim
