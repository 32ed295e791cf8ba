#pragma once

#include <filesystem>

namespace kovra::test_support {

// The open descriptors and the threads of this process, as the kernel lists them.
struct ProcessResources {
    long descriptors = 0;
    long threads = 0;

    static ProcessResources now()
    {
        ProcessResources counted;
        counted.descriptors = entries("/proc/self/fd");
        counted.threads = entries("/proc/self/task");
        return counted;
    }

private:
    static long entries(const char* directory)
    {
        long count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(directory)) {
            (void)entry;
            ++count;
        }
        return count;
    }
};

} // namespace kovra::test_support
