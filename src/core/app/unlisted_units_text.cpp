#include "core/app/unlisted_units_text.h"

#include "core/app/composed_texts.h"
#include "core/platform/composed_text.h"

namespace kovra {

// More addresses would not fit the status line.
constexpr size_t kAddressesNamed = 3;

std::string unlistedUnitsText(const std::vector<std::string>& addresses)
{
    std::string named;
    for (size_t i = 0; i < addresses.size() && i < kAddressesNamed; ++i)
        named += (i > 0 ? ", " : "") + addresses[i];
    if (addresses.size() > kAddressesNamed)
        named += ", …";
    return composeText(texts::kUnitsNotListed, { std::to_string(addresses.size()), named });
}

} // namespace kovra
