#pragma once

#include "unit_config.h"

#include <string>
#include <vector>

namespace sim {

// The configuration record a Wi-Fi module keeps: groups of items of values, as its web
// interface exports and imports them (XML text, one tag per line when exported).
class ModuleConfigRecord {
public:
    struct Value {
        std::string name; // empty: a plain <value>
        std::string text; // as it stands in the XML, entities included ("&lt;None&gt;")
    };
    struct Item {
        std::string name;
        std::string instance;
        std::vector<Value> values;
    };
    struct Group {
        std::string name;
        std::string instance;
        std::vector<Item> items;
    };

    // A module as it leaves the factory with the unit's address settings and its serial
    // tunnel listening on the unit's port.
    static ModuleConfigRecord factory(const UnitConfig& config);

    // The export: every group, or only the groups named "Name:instance" in `only`.
    std::string exportText(const std::vector<std::string>& only) const;

    // Reads an imported record. False when it is no configuration record or a group,
    // item or value is not closed.
    static bool parse(const std::string& text, std::vector<Group>& groups);

    // Sets every value the groups carry; items and groups the module does not have are
    // added. The caller checks the values first.
    void apply(const std::vector<Group>& groups);

    // A value, or nullptr.
    const std::string* value(const std::string& group, const std::string& instance, const std::string& item,
        const std::string& valueName = {}) const;
    static const std::string* valueIn(const std::vector<Group>& groups, const std::string& group,
        const std::string& instance, const std::string& item, const std::string& valueName = {});

private:
    std::vector<Group> m_groups;
};

} // namespace sim
