#pragma once

#include <string>

namespace kovra {

// The three setup-file formats; the unit's kind decides which one a unit saves and takes.
enum class SetupFileKind {
    Rec, // memory blocks over the line console
    Lwi, // the parameter text over the settings port
    Xml, // the Wi-Fi module's configuration record over HTTP
};

SetupFileKind setupFileKindFor(int unitKind);
// ".rec", ".lwi", ".xml".
const char* setupFileExtension(SetupFileKind kind);

// The file dialog's filter of both buttons, caption|pattern pairs closed by "||".
constexpr const char* kSetupFileFilter
    = "Setup files(*.rec;*.xml;*.lwi)|*.rec;*.xml;*.lwi|All files (*.*)|*.*||";

// The save dialog's proposed name: the row's model text with the kind's extension, every
// "/" turned into "_".
std::string proposedSetupFileName(const std::string& modelText, int unitKind);

// The name without blanks (spaces, tabs) at either end.
std::string trimBlanks(const std::string& name);

} // namespace kovra
