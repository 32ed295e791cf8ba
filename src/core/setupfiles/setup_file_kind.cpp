#include "core/setupfiles/setup_file_kind.h"

#include "core/units/unit_record.h"

#include <algorithm>

namespace kovra {

SetupFileKind setupFileKindFor(int unitKind)
{
    switch (unitKind) {
    case kKindWifiModule:
        return SetupFileKind::Xml;
    case kKindWifi:
    case kKindKovra4:
    case kKindQx:
    case kKindThirdName:
        return SetupFileKind::Lwi;
    default:
        return SetupFileKind::Rec;
    }
}

const char* setupFileExtension(SetupFileKind kind)
{
    switch (kind) {
    case SetupFileKind::Xml:
        return ".xml";
    case SetupFileKind::Lwi:
        return ".lwi";
    case SetupFileKind::Rec:
        break;
    }
    return ".rec";
}

std::string proposedSetupFileName(const std::string& modelText, int unitKind)
{
    std::string name = modelText + setupFileExtension(setupFileKindFor(unitKind));
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

std::string trimBlanks(const std::string& name)
{
    const char* blanks = " \t";
    const size_t first = name.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(blanks) - first + 1);
}

} // namespace kovra
