#include "command_stream.h"

#include "wire_codes.h"

namespace sim {

bool CommandStream::push(uint8_t byte, std::string& request)
{
    m_pending += static_cast<char>(byte);
    const char modelMark = kOldModelQuery[0];
    // A "U" not followed by another is noise: the byte after it starts afresh.
    if (m_pending.size() == 2 && m_pending[0] == modelMark && m_pending[1] != modelMark)
        m_pending.erase(0, 1);
    const uint8_t first = static_cast<uint8_t>(m_pending[0]);
    bool complete = false;
    if ((first >= kShortRead && first <= kShortWriteLast) || m_pending[0] == modelMark)
        complete = m_pending.size() == 2;
    else
        complete = static_cast<uint8_t>(m_pending.back()) == kEndMark || m_pending.size() >= kMaxFrameLength;
    if (!complete)
        return false;
    request.swap(m_pending);
    m_pending.clear();
    return true;
}

} // namespace sim
