// Stored records 0, 3 and 7 as a unit answers them: the input-extension fields read from them
// open the dialog, and written back they change nothing but the fields themselves.
#include "core/functions/extension_setup_image.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kovra::UnitRecord unit;
    const size_t first = std::min(size, unit.configBlock0.size());
    std::copy_n(data, first, unit.configBlock0.begin());
    for (int n : { 3, 7 }) {
        const size_t offset = std::min(size, first + size_t(n == 7) * unit.configBlock(3).size());
        std::copy_n(
            data + offset, std::min(size - offset, unit.configBlock(n).size()), unit.configBlock(n).begin());
    }
    const kovra::ExtensionSetupImage image = kovra::readExtensionSetupImage(unit);
    kovra::UnitRecord written = unit;
    kovra::writeExtensionSetupImage(written, image);
    if (written.configBlock0 != unit.configBlock0 || written.configBlocks3to7 != unit.configBlocks3to7)
        std::abort();
    // A role rebuilt from what it says keeps saying it, and keeps the unit's bits 5-4.
    for (uint8_t role : image.roles) {
        const bool wait = kovra::roleWaits(role);
        const bool request = kovra::roleRequests(role, 0);
        const uint8_t rebuilt = kovra::rebuildRole(role, wait, request, 0);
        if (kovra::roleWaits(rebuilt) != wait || kovra::roleRequests(rebuilt, 0) != request
            || (rebuilt & kovra::kRoleKeptBits) != (role & kovra::kRoleKeptBits))
            std::abort();
    }
    return 0;
}
