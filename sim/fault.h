#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace sim {

enum class Channel { Udp, Tcp };

// What becomes of one answer on its way out.
struct Delivery {
    enum class After {
        Continue, // the unit goes on answering
        GoSilent, // the unit reads on but answers nothing more on this connection
        Close // the unit closes the connection
    };
    bool send = true;
    std::string bytes;
    int delayMs = 0;
    After after = After::Continue;
};

// A unit's fault switch from the fleet file: which answers it spoils, how, and how often.
//   mode:     "silent" no answer, "late" answer after delayMs, "short" only the first half (then
//             silence on a TCP connection), "garbage" the same number of wrong bytes, "refuse" no
//             TCP listener at all, "close" the first half and then the TCP connection is closed
//             (datagrams are not touched by "refuse" and "close")
//   channels: ["udp", "tcp"] by default
//   requests: request names or their prefixes ("record" covers record0..record7); empty: all
//   times:    only the first this many matching answers are spoiled; 0: every one
//   delayMs:  the extra wait of "late" (default 3000, beyond the product's time-outs)
class Fault {
public:
    enum class Mode { None, Silent, Late, Short, Garbage, Refuse, Close };

    static constexpr int kDefaultLateMs = 3000;

    // Reads the "fault" object of a unit; false with a message when it is malformed.
    bool parse(const nlohmann::json& value, std::string& error);

    Mode mode() const { return m_mode; }
    int times() const { return m_times; }
    bool refusesConnections() const { return m_mode == Mode::Refuse; }
    bool appliesTo(Channel channel, const std::string& request) const;
    // The spoiled delivery of answer (only meaningful where appliesTo holds).
    Delivery spoil(Channel channel, const std::string& answer) const;

    static std::string garbage(size_t length);

private:
    Mode m_mode = Mode::None;
    bool m_udp = true;
    bool m_tcp = true;
    std::vector<std::string> m_requests;
    int m_times = 0;
    int m_delayMs = kDefaultLateMs;
};

} // namespace sim
