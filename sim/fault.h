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
    int byteGapMs = 0; // > 0: the bytes go out one at a time, this far apart
    bool restart = false; // the unit restarts instead of answering
    After after = After::Continue;
};

// A unit's fault switch from the fleet file: which answers it spoils, how, and how often.
//   mode:     "silent" no answer, "late" answer after delayMs, "short" only the first half (then
//             silence on a TCP connection), "garbage" the same number of wrong bytes, "refuse" no
//             TCP listener at all, "close" the first half and then the TCP connection is closed,
//             "hangup" the TCP connection is closed without a byte, "trickle" the answer one byte
//             every gapMs, "oversized" the answer followed by wrong bytes up to kOversizedTcp
//             (kOversizedUdp for a datagram), "restart" no answer and the unit restarts
//             (datagrams are not touched by "refuse", "close", "hangup" and "trickle")
//   channels: ["udp", "tcp"] by default
//   requests: request names or their prefixes ("record" covers record0..record7); empty: all
//   times:    only the first this many matching answers are spoiled; 0: every one
//   delayMs:  the extra wait of "late" (default 3000, beyond the product's time-outs)
//   gapMs:    the wait before each byte of "trickle" (default 100)
class Fault {
public:
    enum class Mode {
        None,
        Silent,
        Late,
        Short,
        Garbage,
        Refuse,
        Close,
        Hangup,
        Trickle,
        Oversized,
        Restart
    };

    static constexpr int kDefaultLateMs = 3000;
    static constexpr int kDefaultGapMs = 100;
    static constexpr size_t kOversizedTcp = 65536;
    static constexpr size_t kOversizedUdp = 4096;

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
    int m_gapMs = kDefaultGapMs;
};

} // namespace sim
