// A composed message carries pieces from files and units (a .lwi's addresses), and the edge
// looks for the core's patterns in it: any text either fits a pattern, giving back the pieces
// that compose it again, or does not, and the English of any text is made without fault.
#include "core/app/composed_texts.h"
#include "core/platform/composed_text.h"
#include "core/platform/text_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* pattern : kovra::texts::kComposedPatterns)
        if (const auto pieces = kovra::composedPieces(pattern, text))
            if (kovra::composeText(pattern, *pieces) != text)
                std::abort();
    // Without a catalogue every text is its own English: a composed one is taken apart and put
    // together again unchanged.
    static const bool english = (kovra::useLanguage(kovra::Language::English, "/nonexistent"), true);
    if (english && kovra::systemText(text) != text)
        std::abort();
    return 0;
}
