#pragma once

#include "core/net/command_channel.h"
#include "core/units/unit_record.h"

#include <string>

namespace kovra {

// The direct command exchange of the setting dialogs: one connection to the unit's command
// port (its UnitRecord's port) that stays open for several requests, each a byte string
// ended by the end mark C8h. 1500 ms connect wait and time-outs; what the unit already sent
// is drained before each request.
class DirectCommand {
public:
    // Results: those of CommandChannel::open (0, 3 empty address, 10049, connect errors).
    int open(const UnitRecord& unit);
    void close() { m_channel.close(); }

    // Sends `request` whole; with answerLength > 0 waits for that many bytes into `answer`.
    // Without skipCheck the answer's first two bytes must be the request's plus 20h each.
    // `answer` holds the answer only when the result is 0, and is empty otherwise.
    // Results: those of CommandChannel::exchange (0, 1 echo rule fails, socket errors, 10057
    // not open); -5 a request that does not end with C8h (nothing sent).
    int exchange(
        const std::string& request, size_t answerLength, std::string& answer, bool skipCheck = false);

private:
    CommandChannel m_channel;
};

} // namespace kovra
