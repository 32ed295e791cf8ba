#include "core/setupfiles/lwi_text.h"

namespace kovra {

namespace {
constexpr const char* kLineEnd = "\r\n";
constexpr const char* kEndKey = "END";

// Keys are the units' parameter names: upper-case letters, digits and "_".
bool isKey(const std::string& key)
{
    return !key.empty()
        && key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") == std::string::npos;
}

bool hasControlByte(const std::string& text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    }
    return false;
}
} // namespace

bool parseLwiText(const std::string& text, LwiPairs& pairs)
{
    pairs.clear();
    if (text.empty() || text.size() > kMaxLwiBytes)
        return false;
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find(kLineEnd, at);
        if (end == std::string::npos)
            return false;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    if (lines.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < lines.size(); i += 2) {
        const std::string& key = lines[i];
        const std::string& value = lines[i + 1];
        if (!isKey(key) || key == kEndKey || hasControlByte(value)) {
            pairs.clear();
            return false;
        }
        pairs.emplace_back(key, value);
    }
    return true;
}

std::string lwiText(const LwiPairs& pairs)
{
    std::string text;
    for (const auto& [key, value] : pairs)
        text += key + kLineEnd + value + kLineEnd;
    return text;
}

std::string lwiValue(const LwiPairs& pairs, const std::string& key)
{
    for (const auto& pair : pairs) {
        if (pair.first == key)
            return pair.second;
    }
    return {};
}

bool setLwiValue(LwiPairs& pairs, const std::string& key, const std::string& value)
{
    bool found = false;
    for (auto& pair : pairs) {
        if (pair.first == key) {
            pair.second = value;
            found = true;
        }
    }
    return found;
}

LwiNetwork lwiNetwork(const LwiPairs& pairs)
{
    return { lwiValue(pairs, kLwiAddressKey), lwiValue(pairs, kLwiMaskKey), lwiValue(pairs, kLwiGatewayKey) };
}

void setLwiNetwork(LwiPairs& pairs, const LwiNetwork& network)
{
    setLwiValue(pairs, kLwiAddressKey, network.address);
    setLwiValue(pairs, kLwiMaskKey, network.mask);
    setLwiValue(pairs, kLwiGatewayKey, network.gateway);
}

} // namespace kovra
