#include "gui/core_text.h"

#include "core/platform/text_catalogue.h"

namespace kovra {

QString coreText(const char* text)
{
    return coreText(std::string(text ? text : ""));
}

QString coreText(const std::string& text)
{
    return QString::fromStdString(systemText(text));
}

} // namespace kovra
