#pragma once

#include <cstdint>
#include <string>

namespace sim {

// Cuts the byte stream of a unit's TCP port into requests: the short binary commands (a byte
// 90h..9Fh and one value byte), the old model query "UU", and frames ended by C8h. A frame that
// grows past the longest request without its end mark is handed on as it stands, so every byte
// reaches the log and nothing grows without bound.
class CommandStream {
public:
    // Adds one received byte; true when it completes a request, which is then in request.
    bool push(uint8_t byte, std::string& request);

private:
    std::string m_pending;
};

} // namespace sim
