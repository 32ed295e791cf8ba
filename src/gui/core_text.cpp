#include "gui/core_text.h"

#include "core/platform/text_catalogue.h"

namespace kovra {

QString coreText(const char* text)
{
    return QString::fromUtf8(systemText(text));
}

QString coreText(const std::string& text)
{
    return coreText(text.c_str());
}

} // namespace kovra
