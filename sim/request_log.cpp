#include "request_log.h"

#include <chrono>

namespace sim {

RequestLog::RequestLog(std::FILE* out)
    : m_out(out)
{
}

std::string RequestLog::hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (unsigned char c : bytes) {
        if (!text.empty())
            text += ' ';
        text += digits[c >> 4];
        text += digits[c & 0x0F];
    }
    return text;
}

void RequestLog::request(const std::string& unit, const std::string& channel, const std::string& bytes,
    const nlohmann::json& extra)
{
    nlohmann::json line = extra;
    line["unit"] = unit;
    line["channel"] = channel;
    line["hex"] = hex(bytes);
    line["length"] = bytes.size();
    write(std::move(line));
}

void RequestLog::event(const std::string& unit, const std::string& what, const nlohmann::json& extra)
{
    nlohmann::json line = extra;
    if (!unit.empty())
        line["unit"] = unit;
    line["event"] = what;
    write(std::move(line));
}

void RequestLog::write(nlohmann::json line)
{
    using namespace std::chrono;
    line["t"] = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::string text = line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    std::lock_guard<std::mutex> lock(m_mutex);
    std::fputs(text.c_str(), m_out);
    std::fflush(m_out);
}

} // namespace sim
