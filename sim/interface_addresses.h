#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace sim {

// Puts the addresses of running units on an interface (as /32) and takes them off again, over
// rtnetlink. On the test bench only the addresses of live units then exist, so ARP and ping to a
// free address go unanswered. Needs CAP_NET_ADMIN in the interface's network namespace.
// Addresses that were there before are used but never removed.
class InterfaceAddresses {
public:
    explicit InterfaceAddresses(std::string interfaceName);
    ~InterfaceAddresses();
    InterfaceAddresses(const InterfaceAddresses&) = delete;
    InterfaceAddresses& operator=(const InterfaceAddresses&) = delete;

    // 0, or an errno value (ENODEV: no such interface).
    int add(uint32_t address);
    // Drops one user of the address; the last one takes it off the interface. 0 or an errno value.
    int remove(uint32_t address);

private:
    int request(uint16_t type, uint16_t flags, uint32_t address);

    struct Holder {
        int users = 0;
        bool owned = false;
    };

    std::string m_name;
    int m_fd = -1;
    uint32_t m_sequence = 0;
    std::map<uint32_t, Holder> m_holders;
};

} // namespace sim
