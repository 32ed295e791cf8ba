#include "core/wifi/stored_record.h"

#include "core/wifi/module_import.h"
#include "core/wifi/wifi_results.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace kovra {

namespace {

constexpr const char* kGroupClose = "   </configgroup>";
constexpr size_t kLineBreakLength = 2;

// The group lines cut from a stored record, in the order they are looked for.
const std::string kStrippedGroups[] = {
    R"(   <configgroup name = "HTTP Server")",
    R"(   <configgroup name = "HTTP Server Security")",
    R"(   <configgroup name = "Power")",
    R"(   <configgroup name = "Radio")",
    R"(   <configgroup name = "SPI" instance = "1")",
    R"(   <configgroup name = "CLI Server")",
    R"(   <configgroup name = "Discovery" instance = "ap0")",
    R"(   <configgroup name = "Discovery" instance = "wlan0")",
    R"(   <configgroup name = "Modem Emulation" instance = "1")",
    R"(   <configgroup name = "Modem Emulation" instance = "2")",
    R"(   <configgroup name = "Access Point")",
    R"(   <configgroup name = "Radio")",
    R"(   <configgroup name = "Clock")",
    R"(   <configgroup name = "User")",
    R"(   <configgroup name = "Interface" instance = "ap0")",
    R"(   <configgroup name = "Line" instance = "2")",
    R"(   <configgroup name = "WLAN Profile")",
    R"(   <configgroup name = "XML Import Control")",
    "   <configgroup name = \"Modem Emulation\" instance = \"\x5E\x01\"",
    "   <configgroup name = \"Modem Emulation\" instance = \"\x5E\x02\"",
    R"(   <configgroup name = "NTP")",
    R"(   <configgroup name = "Monitor Control")",
    R"(   <configgroup name = "Monitor Initialization")",
    R"(   <configgroup name = "Monitor Poll")",
    R"(   <configgroup name = "Monitor Filter")",
    R"(   <configgroup name = "Monitor Data")",
    R"(   <configgroup name = "Tunnel Accept" instance = "2")",
    R"(   <configgroup name = "Tunnel Line" instance = "2")",
    R"(   <configgroup name = "Tunnel Connect" instance = "2")",
    R"(   <configgroup name = "Tunnel Disconnect" instance = "2")",
    R"(   <configgroup name = "Tunnel Packing" instance = "2")",
};

// Where the first listed group line still in the text starts; npos when none is.
size_t firstListedGroup(const std::string& text)
{
    for (const std::string& line : kStrippedGroups) {
        const size_t at = text.find(line);
        if (at != std::string::npos)
            return at;
    }
    return std::string::npos;
}

} // namespace

std::string rewriteStoredRecord(std::string text)
{
    for (;;) {
        const size_t start = firstListedGroup(text);
        if (start == std::string::npos)
            return text;
        const size_t close = text.find(kGroupClose, start);
        if (close == std::string::npos)
            return text;
        const size_t end
            = std::min(text.size(), close + std::char_traits<char>::length(kGroupClose) + kLineBreakLength);
        text.erase(start, end - start);
    }
}

int importSetupFile(const std::string& path, const std::string& ipText, uint16_t httpPort)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return kWifiFileUnreadable;
    std::string text;
    text.resize(kMaxStoredRecord + 1);
    in.read(&text[0], static_cast<std::streamsize>(text.size()));
    if (in.bad())
        return kWifiFileUnreadable;
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.empty())
        return kWifiFileUnreadable;
    if (text.size() > kMaxStoredRecord)
        return kWifiTooLong;
    // A NUL ends the text, as the record is a zero-terminated text.
    text.resize(std::min(text.size(), text.find('\0')));
    text = rewriteStoredRecord(std::move(text));
    std::ofstream out(kRewrittenRecordFile, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush())
        return kWifiFileUnwritable;
    out.close();
    return importRecord(ipText, text, httpPort);
}

} // namespace kovra
