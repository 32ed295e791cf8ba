#include "core/platform/program_version.h"

namespace kovra {

ProgramVersion programVersion()
{
    return ProgramVersion { KOVRA_VERSION_MAJOR, KOVRA_VERSION_MINOR, KOVRA_VERSION_BUILD, KOVRA_VERSION_REVISION };
}

} // namespace kovra
