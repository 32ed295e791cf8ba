#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace sim {

// What a fleet file says about a unit of the text-protocol kinds (3, 5, 6, 7), its "text" object:
//   sketchVersion  the number the unit reports after "SKETCH VER : " (1 means 1.00, else
//                  hundredths: 104 is 1.04); 0 or absent: the kind's default
//   textVersion    the number after "TEXT VER : "; 0 or absent: the kind's default
//   versionLines   2 (default), or 1 for old firmware that answers "VER" with one line and closes
//   parameters     { "KEY": value, ... } over the kind's defaults; a value of null removes the key
struct TextUnitConfig {
    int sketchVersion = 0;
    int textVersion = 0;
    int versionLines = 2;
    std::vector<std::pair<std::string, nlohmann::json>> parameters;

    bool parse(const nlohmann::json& value, std::string& error);
};

} // namespace sim
