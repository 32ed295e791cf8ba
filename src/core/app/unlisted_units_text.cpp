#include "core/app/unlisted_units_text.h"

#include "core/app/system_texts.h"

namespace kovra {

// More addresses would not fit the status line.
constexpr size_t kAddressesNamed = 3;

std::string unlistedUnitsText(const std::vector<std::string>& addresses)
{
    std::string text
        = texts::kUnitsNotListed + std::to_string(addresses.size()) + texts::kUnitsCounter + " (";
    for (size_t i = 0; i < addresses.size() && i < kAddressesNamed; ++i)
        text += (i > 0 ? ", " : "") + addresses[i];
    return text + (addresses.size() > kAddressesNamed ? ", …)" : ")");
}

} // namespace kovra
