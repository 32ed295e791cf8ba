#include "core/app/address_conflicts.h"

namespace kovra {

std::vector<int> markAddressConflicts(std::vector<DeviceRow>& rows)
{
    std::vector<int> changed;
    for (size_t i = 0; i < rows.size(); ++i) {
        bool conflict = false;
        for (size_t j = 0; j < rows.size() && !conflict; ++j)
            conflict
                = j != i && !rows[i].ip.empty() && rows[j].ip == rows[i].ip && rows[j].mac != rows[i].mac;
        if (rows[i].addressConflict != conflict) {
            rows[i].addressConflict = conflict;
            changed.push_back(int(i));
        }
    }
    return changed;
}

} // namespace kovra
