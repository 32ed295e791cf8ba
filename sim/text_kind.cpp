#include "text_kind.h"

#include "text_unit.h"

namespace sim {

namespace {

// Models 0..6 come as every text kind; 25, 26 and 32 only as kind 5 ("_W", the KOVRA4 family);
// the thermocouple models 10 and 12 also as kind 6 (the analog QX units).
bool isModelOf(int kind, int model)
{
    if (model >= 0 && model <= 6)
        return true;
    if (kind == 6 && (model == 10 || model == 12))
        return true;
    return kind == 5 && (model == 25 || model == 26 || model == 32);
}

} // namespace

std::string TextKind::complete(UnitConfig& config) const
{
    if (!config.typePair)
        config.typePair = m_typePair;
    if (*config.typePair != m_typePair)
        return "a kind " + std::to_string(m_kind) + " unit has typePair " + m_typePair;
    if (!isModelOf(m_kind, config.model))
        return "model " + std::to_string(config.model) + " is not a kind " + std::to_string(m_kind)
            + " model";
    if (config.port == kSettingsPort || config.port == kConsolePort)
        return "port " + std::to_string(config.port) + " is the settings or console port";
    if (config.text.sketchVersion == 0)
        config.text.sketchVersion = m_sketchVersion;
    if (config.text.textVersion == 0)
        config.text.textVersion = m_textVersion;
    return WiredUnit::completeCommandPort(config);
}

std::unique_ptr<Unit> TextKind::create(const UnitConfig& config) const
{
    return std::make_unique<TextUnit>(config);
}

} // namespace sim
