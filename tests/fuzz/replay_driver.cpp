// Stand-in for libFuzzer when the build is not made with clang: replays every file of the
// target's seed corpus (the directory in the second argument), then feeds it deterministic
// pseudo-random inputs (lengths 0 to 4096) so every parser still runs under the ordinary
// test command. The count of random inputs comes from the first argument.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// Replays the seed files; the count replayed, or -1 when the directory cannot be read (a
// missing corpus must fail the test, not pass it silently).
long replaySeeds(const char* directory)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(directory, error);
    if (error)
        return -1;
    long replayed = 0;
    for (const auto& entry : entries) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<uint8_t> seed { std::istreambuf_iterator<char>(file),
            std::istreambuf_iterator<char>() };
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
        ++replayed;
    }
    return replayed;
}

} // namespace

int main(int argc, char** argv)
{
    const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    if (argc > 2 && replaySeeds(argv[2]) <= 0) {
        std::fprintf(stderr, "no seed corpus in %s\n", argv[2]);
        return 1;
    }
    std::mt19937 random(12345);
    std::vector<uint8_t> input;
    for (long i = 0; i < runs; ++i) {
        input.resize(random() % 4097);
        // Mostly printable text with line ends, since most parsers read unit text.
        for (auto& byte : input) {
            const unsigned pick = random() % 16;
            byte = pick == 0 ? '\n'
                : pick == 1  ? '\r'
                : pick == 2  ? static_cast<uint8_t>(random())
                             : static_cast<uint8_t>(' ' + random() % 95);
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    return 0;
}
