// A setup file from disk or a unit on arbitrary bytes: the .lwi text splits only into pairs it
// is made of, and the list of changes of every kind reads no further than its texts.
#include "core/setupfiles/lwi_text.h"
#include "core/setupfiles/setup_diff.h"
#include "core/setupfiles/setup_network.h"
#include "core/setupfiles/unit_setup.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kovra::LwiPairs pairs;
    if (kovra::parseLwiText(bytes, pairs) && kovra::lwiText(pairs) != bytes)
        std::abort();
    // The first half against the second, as file and unit.
    const std::string file = bytes.substr(0, size / 2);
    const std::string unit = bytes.substr(size / 2);
    for (const auto kind :
        { kovra::SetupFileKind::Lwi, kovra::SetupFileKind::Rec, kovra::SetupFileKind::Xml }) {
        kovra::diffText(kovra::diffSetup(kind, file, unit), 20);
        std::string copy = bytes;
        if (kovra::setupFileFits(kind, copy))
            kovra::keepUnitNetwork(kind, copy, kovra::SetupNetwork {});
    }
    return 0;
}
