#include "text_unit_config.h"

#include "key_vocabulary.h"

namespace sim {

namespace {

constexpr int kMaxVersion = 9999;
constexpr size_t kMaxValueLength = KeyVocabulary::kMaxValueLength;

} // namespace

bool TextUnitConfig::parse(const nlohmann::json& value, std::string& error)
{
    if (!value.is_object()) {
        error = "text must be an object";
        return false;
    }
    for (auto it = value.begin(); it != value.end(); ++it) {
        const nlohmann::json& item = it.value();
        if (it.key() == "sketchVersion" || it.key() == "textVersion") {
            if (!item.is_number_integer() || item.get<int>() < 0 || item.get<int>() > kMaxVersion) {
                error = "text: " + it.key() + " must be an integer 0.." + std::to_string(kMaxVersion);
                return false;
            }
            (it.key() == "sketchVersion" ? sketchVersion : textVersion) = item.get<int>();
        } else if (it.key() == "versionLines") {
            if (!item.is_number_integer() || (item.get<int>() != 1 && item.get<int>() != 2)) {
                error = "text: versionLines must be 1 or 2";
                return false;
            }
            versionLines = item.get<int>();
        } else if (it.key() == "parameters") {
            if (!item.is_object()) {
                error = "text: parameters must map keys to values";
                return false;
            }
            for (auto p = item.begin(); p != item.end(); ++p) {
                const nlohmann::json& v = p.value();
                const bool text = v.is_string() && v.get<std::string>().size() <= kMaxValueLength
                    && v.get<std::string>().find_first_of("\r\n") == std::string::npos;
                if (p.key().empty() || !(text || v.is_number_integer() || v.is_null())) {
                    error = "text: parameter \"" + p.key()
                        + "\" must be an integer, a one-line text of at most "
                        + std::to_string(kMaxValueLength) + " bytes, or null";
                    return false;
                }
                parameters.emplace_back(p.key(), v);
            }
        } else {
            error = "text: unknown field \"" + it.key() + "\"";
            return false;
        }
    }
    return true;
}

} // namespace sim
