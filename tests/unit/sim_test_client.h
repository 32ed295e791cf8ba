#pragma once

// Plain POSIX clients and a loopback fleet harness for the simulator's tests. Requests are built
// by hand here, from the PC's side, with nothing shared with the simulator's own code.

#include "fleet_config.h"
#include "request_log.h"
#include "simulator.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace simtest {

// Bytes from a hex text with optional spaces ("00 00 00 F6").
inline std::string bytes(const std::string& hex)
{
    std::string result;
    std::string digits;
    for (char c : hex) {
        if (c == ' ')
            continue;
        digits += c;
        if (digits.size() == 2) {
            result += static_cast<char>(std::stoi(digits, nullptr, 16));
            digits.clear();
        }
    }
    return result;
}

inline std::string hex(const std::string& data)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : data) {
        if (!text.empty())
            text += ' ';
        text += digits[c >> 4];
        text += digits[c & 0x0F];
    }
    return text;
}

// 127.A.B.x, with A.B taken from the process id so that test processes running side by side
// never share unit addresses.
inline std::string loopbackBase()
{
    const unsigned pid = static_cast<unsigned>(::getpid());
    return "127." + std::to_string(100 + pid % 100) + "." + std::to_string((pid / 100) % 250) + ".";
}

// A UDP port free at the moment, for the fleet's discovery port: broadcasts of other test
// processes then never reach our units.
inline uint16_t freeUdpPort()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local {};
    local.sin_family = AF_INET;
    ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof(local));
    socklen_t length = sizeof(local);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
    ::close(fd);
    return ntohs(local.sin_port);
}

inline sockaddr_in endpoint(const std::string& address, uint16_t port)
{
    sockaddr_in result {};
    result.sin_family = AF_INET;
    result.sin_port = htons(port);
    ::inet_pton(AF_INET, address.c_str(), &result.sin_addr);
    return result;
}

struct Datagram {
    std::string bytes;
    std::string from;
};

// The PC's datagram socket, bound to 127.0.0.1 with broadcast allowed.
class UdpClient {
public:
    UdpClient()
        : m_fd(::socket(AF_INET, SOCK_DGRAM, 0))
    {
        const int on = 1;
        ::setsockopt(m_fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof(on));
        const sockaddr_in local = endpoint("127.0.0.1", 0);
        ::bind(m_fd, reinterpret_cast<const sockaddr*>(&local), sizeof(local));
    }
    ~UdpClient() { ::close(m_fd); }

    void send(const std::string& address, uint16_t port, const std::string& data)
    {
        const sockaddr_in to = endpoint(address, port);
        ::sendto(m_fd, data.data(), data.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof(to));
    }

    std::optional<Datagram> receive(int timeoutMs)
    {
        pollfd item { m_fd, POLLIN, 0 };
        if (::poll(&item, 1, timeoutMs) <= 0)
            return std::nullopt;
        char buffer[2048];
        sockaddr_in from {};
        socklen_t length = sizeof(from);
        const ssize_t got
            = ::recvfrom(m_fd, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (got < 0)
            return std::nullopt;
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &from.sin_addr, text, sizeof(text));
        return Datagram { std::string(buffer, static_cast<size_t>(got)), text };
    }

    // Every datagram until quietMs pass without one.
    std::vector<Datagram> receiveAll(int quietMs)
    {
        std::vector<Datagram> all;
        while (auto datagram = receive(quietMs))
            all.push_back(*datagram);
        return all;
    }

    // One request and its answer, if one comes within timeoutMs.
    std::optional<Datagram> exchange(
        const std::string& address, uint16_t port, const std::string& data, int timeoutMs = 1000)
    {
        send(address, port, data);
        return receive(timeoutMs);
    }

private:
    int m_fd;
};

// The PC's side of one TCP connection.
class TcpClient {
public:
    // 0 or the connect error.
    int connect(const std::string& address, uint16_t port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in to = endpoint(address, port);
        return ::connect(m_fd, reinterpret_cast<const sockaddr*>(&to), sizeof(to)) == 0 ? 0 : errno;
    }
    ~TcpClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    void send(const std::string& data) { ::send(m_fd, data.data(), data.size(), MSG_NOSIGNAL); }

    // Reads until count bytes, the peer's close or timeoutMs of silence; closed tells which.
    std::string receive(size_t count, int timeoutMs, bool* closed = nullptr)
    {
        std::string data;
        if (closed)
            *closed = false;
        while (data.size() < count) {
            pollfd item { m_fd, POLLIN, 0 };
            if (::poll(&item, 1, timeoutMs) <= 0)
                break;
            char byte = 0;
            if (::recv(m_fd, &byte, 1, 0) != 1) {
                if (closed)
                    *closed = true;
                break;
            }
            data += byte;
        }
        return data;
    }

    // Reads through mark (or until the peer's close or timeoutMs of silence).
    std::string receiveUntil(const std::string& mark, int timeoutMs)
    {
        std::string data;
        while (data.size() < mark.size() || data.compare(data.size() - mark.size(), mark.size(), mark) != 0) {
            const std::string byte = receive(1, timeoutMs);
            if (byte.empty())
                return data;
            data += byte;
        }
        return data;
    }

    // Reads through the end mark C8h (or until timeoutMs of silence).
    std::string receiveFrame(int timeoutMs) { return receiveUntil(bytes("C8"), timeoutMs); }

private:
    int m_fd = -1;
};

// One request and the answer a unit gives it on its command port.
struct Exchange {
    std::string request;
    std::string answer; // empty: no answer
};

// Sends each request on one connection and checks the answer's bytes. Answers are read by their
// expected length (short answers have no end mark); an expected silence waits quietMs.
inline void expectExchanges(
    const std::string& address, uint16_t port, const std::vector<Exchange>& exchanges, int quietMs = 300)
{
    TcpClient pc;
    ASSERT_EQ(pc.connect(address, port), 0);
    for (const Exchange& exchange : exchanges) {
        pc.send(exchange.request);
        const std::string answer = pc.receive(exchange.answer.empty() ? 1 : exchange.answer.size(), quietMs);
        EXPECT_EQ(hex(answer), hex(exchange.answer)) << "request " << hex(exchange.request);
    }
}

// A fleet of units on this process's loopback addresses, run in-process.
class LoopbackFleet {
public:
    // units: the JSON list elements; "$" in them stands for the loopback base (127.A.B.).
    explicit LoopbackFleet(const std::string& units, int restartMs = 150)
        : m_base(loopbackBase())
        , m_port(freeUdpPort())
        , m_logFile(openLog(m_logPath))
        , m_log(m_logFile)
    {
        std::string text = "{ \"discoveryPort\": " + std::to_string(m_port) + ", \"restartMs\": "
            + std::to_string(restartMs) + ", \"broadcastSpreadMs\": 0, \"units\": [" + units + "] }";
        for (size_t at = text.find('$'); at != std::string::npos; at = text.find('$', at))
            text.replace(at, 1, m_base);
        sim::FleetConfig fleet;
        std::string error;
        if (!fleet.parse(text, error)) {
            ADD_FAILURE() << error;
            return;
        }
        m_simulator = std::make_unique<sim::Simulator>(std::move(fleet), m_log);
        if (m_simulator->start(error) != 0)
            ADD_FAILURE() << error;
    }
    ~LoopbackFleet()
    {
        m_simulator.reset();
        std::fclose(m_logFile);
        ::unlink(m_logPath.c_str());
    }

    // "$n" style: the loopback address with last byte n.
    std::string address(int last) const { return m_base + std::to_string(last); }
    std::string broadcast() const { return "127.255.255.255"; }
    uint16_t port() const { return m_port; }
    sim::Simulator& simulator() { return *m_simulator; }

    // Waits until every unit is up again after a restart (false after timeoutMs).
    bool waitUntilUp(int timeoutMs = 3000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            bool all = true;
            for (size_t i = 0; i < m_simulator->unitCount(); ++i)
                all = all && m_simulator->isUp(i);
            if (all)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Waits until the request log holds text at least count times (false after timeoutMs).
    bool waitForLog(const std::string& text, size_t count = 1, int timeoutMs = 3000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            const std::string lines = log();
            size_t found = 0;
            for (size_t at = lines.find(text); at != std::string::npos; at = lines.find(text, at + 1))
                ++found;
            if (found >= count)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // The request log so far (the log flushes every line).
    std::string log() const
    {
        std::ifstream file(m_logPath);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

private:
    static std::FILE* openLog(std::string& path)
    {
        char name[] = "/tmp/kovra-simtest-XXXXXX";
        const int fd = ::mkstemp(name);
        path = name;
        return ::fdopen(fd, "a");
    }

    std::string m_logPath;
    std::string m_base;
    uint16_t m_port;
    std::FILE* m_logFile;
    sim::RequestLog m_log;
    std::unique_ptr<sim::Simulator> m_simulator;
};

} // namespace simtest
