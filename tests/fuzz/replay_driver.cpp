// Stand-in for libFuzzer when the build is not made with clang: feeds the target
// deterministic pseudo-random inputs (lengths 0 to 4096) so every parser still runs
// under the ordinary test command. The count comes from the first argument.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    std::mt19937 random(12345);
    std::vector<uint8_t> input;
    for (long i = 0; i < runs; ++i) {
        input.resize(random() % 4097);
        // Mostly printable text with line ends, since most parsers read unit text.
        for (auto& byte : input) {
            const unsigned pick = random() % 16;
            byte = pick == 0 ? '\n' : pick == 1 ? '\r' : pick == 2 ? static_cast<uint8_t>(random()) : static_cast<uint8_t>(' ' + random() % 95);
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    return 0;
}
