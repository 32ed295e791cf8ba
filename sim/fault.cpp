#include "fault.h"

namespace sim {

namespace {

struct ModeName {
    const char* name;
    Fault::Mode mode;
};

const ModeName kModes[] = {
    { "none", Fault::Mode::None },
    { "silent", Fault::Mode::Silent },
    { "late", Fault::Mode::Late },
    { "short", Fault::Mode::Short },
    { "garbage", Fault::Mode::Garbage },
    { "refuse", Fault::Mode::Refuse },
    { "close", Fault::Mode::Close },
    { "hangup", Fault::Mode::Hangup },
    { "trickle", Fault::Mode::Trickle },
    { "oversized", Fault::Mode::Oversized },
    { "restart", Fault::Mode::Restart },
};

// Garbage bytes: the model bits of the first byte are all set and no byte is the end mark, so
// neither a model answer nor a framed answer can be read from them.
constexpr unsigned char kGarbageBase = 0x70;

} // namespace

bool Fault::parse(const nlohmann::json& value, std::string& error)
{
    if (!value.is_object()) {
        error = "fault must be an object";
        return false;
    }
    for (auto it = value.begin(); it != value.end(); ++it) {
        const std::string& key = it.key();
        const nlohmann::json& item = it.value();
        if (key == "mode") {
            bool known = false;
            for (const ModeName& entry : kModes) {
                if (item.is_string() && item.get<std::string>() == entry.name) {
                    m_mode = entry.mode;
                    known = true;
                }
            }
            if (!known) {
                error
                    = "fault mode must be one of none, silent, late, short, garbage, refuse, close, hangup, "
                      "trickle, oversized, restart";
                return false;
            }
        } else if (key == "channels") {
            if (!item.is_array() || item.empty()) {
                error = "fault channels must be a non-empty list of \"udp\" and \"tcp\"";
                return false;
            }
            m_udp = m_tcp = false;
            for (const auto& channel : item) {
                if (channel == "udp")
                    m_udp = true;
                else if (channel == "tcp")
                    m_tcp = true;
                else {
                    error = "fault channels must be a non-empty list of \"udp\" and \"tcp\"";
                    return false;
                }
            }
        } else if (key == "requests") {
            if (!item.is_array()) {
                error = "fault requests must be a list of request names";
                return false;
            }
            for (const auto& name : item) {
                if (!name.is_string() || name.get<std::string>().empty()) {
                    error = "fault requests must be a list of request names";
                    return false;
                }
                m_requests.push_back(name.get<std::string>());
            }
        } else if (key == "times" || key == "delayMs" || key == "gapMs") {
            if (!item.is_number_integer() || item.get<long long>() < 0 || item.get<long long>() > 600000) {
                error = "fault " + key + " must be an integer 0..600000";
                return false;
            }
            (key == "times" ? m_times : key == "delayMs" ? m_delayMs : m_gapMs) = item.get<int>();
        } else {
            error = "unknown fault field \"" + key + "\"";
            return false;
        }
    }
    return true;
}

bool Fault::appliesTo(Channel channel, const std::string& request) const
{
    if (m_mode == Mode::None || m_mode == Mode::Refuse)
        return false;
    if ((channel == Channel::Udp && !m_udp) || (channel == Channel::Tcp && !m_tcp))
        return false;
    if (channel == Channel::Udp
        && (m_mode == Mode::Close || m_mode == Mode::Hangup || m_mode == Mode::Trickle))
        return false; // a datagram has no connection to close and comes whole
    if (m_requests.empty())
        return true;
    for (const std::string& prefix : m_requests) {
        if (request.compare(0, prefix.size(), prefix) == 0)
            return true;
    }
    return false;
}

Delivery Fault::spoil(Channel channel, const std::string& answer) const
{
    Delivery delivery;
    delivery.bytes = answer;
    switch (m_mode) {
    case Mode::None:
    case Mode::Refuse:
        break;
    case Mode::Silent:
        delivery.send = false;
        break;
    case Mode::Late:
        delivery.delayMs = m_delayMs;
        break;
    case Mode::Garbage:
        delivery.bytes = garbage(answer.size());
        break;
    case Mode::Short:
    case Mode::Close:
        delivery.bytes = answer.substr(0, answer.size() / 2);
        delivery.send = !delivery.bytes.empty();
        if (channel == Channel::Tcp)
            delivery.after = m_mode == Mode::Short ? Delivery::After::GoSilent : Delivery::After::Close;
        break;
    case Mode::Hangup:
        delivery.send = false;
        delivery.after = Delivery::After::Close;
        break;
    case Mode::Trickle:
        delivery.byteGapMs = m_gapMs;
        break;
    case Mode::Oversized: {
        const size_t size = channel == Channel::Tcp ? kOversizedTcp : kOversizedUdp;
        if (answer.size() < size)
            delivery.bytes += garbage(size - answer.size());
        break;
    }
    case Mode::Restart:
        delivery.send = false;
        delivery.restart = true;
        delivery.after = Delivery::After::Close;
        break;
    }
    return delivery;
}

std::string Fault::garbage(size_t length)
{
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(kGarbageBase | (i & 0x0F));
    return bytes;
}

} // namespace sim
