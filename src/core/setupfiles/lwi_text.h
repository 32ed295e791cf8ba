#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace kovra {

// The .lwi setup file: the unit's parameter pairs as key "\r\n" value "\r\n", in the order
// the unit sent them, without "END" and without the Wi-Fi keys.
using LwiPairs = std::vector<std::pair<std::string, std::string>>;

// A file must leave room for the "END\r\n" the write appends within the unit's 65536-byte
// message buffer.
constexpr size_t kMaxLwiBytes = 65536 - 5;

// The network keys a .lwi carries from the unit it was saved from.
constexpr const char* kLwiAddressKey = "IP";
constexpr const char* kLwiMaskKey = "SUBM";
constexpr const char* kLwiGatewayKey = "GWAY";

// Splits a .lwi text into its pairs. False when it is not one: empty, over kMaxLwiBytes, a
// line not ended by "\r\n", a key that is not a parameter name (upper-case letters, digits,
// "_"), a key "END" (it would end the message early), a value with a control byte, or a key
// without its value line.
bool parseLwiText(const std::string& text, LwiPairs& pairs);

std::string lwiText(const LwiPairs& pairs);

// The value of key; empty when the pairs have none.
std::string lwiValue(const LwiPairs& pairs, const std::string& key);
// Sets the value of every pair with that key; false when there is none (nothing added: a
// unit that did not report a key is not given one).
bool setLwiValue(LwiPairs& pairs, const std::string& key, const std::string& value);

// The network settings a .lwi carries: IP, SUBM and GWAY as the unit wrote them.
struct LwiNetwork {
    std::string address;
    std::string mask;
    std::string gateway;
    bool operator==(const LwiNetwork& other) const
    {
        return address == other.address && mask == other.mask && gateway == other.gateway;
    }
};
LwiNetwork lwiNetwork(const LwiPairs& pairs);
// Sets the three keys the pairs have.
void setLwiNetwork(LwiPairs& pairs, const LwiNetwork& network);

} // namespace kovra
