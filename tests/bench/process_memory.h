#pragma once

#include <fstream>
#include <string>

// The process's resident memory from /proc/self/status, in KiB (-1 when unreadable).
inline long statusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    return -1;
}

inline long residentKiB()
{
    return statusKiB("VmRSS");
}

inline long peakResidentKiB()
{
    return statusKiB("VmHWM");
}
