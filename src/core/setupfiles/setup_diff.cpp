#include "core/setupfiles/setup_diff.h"

#include "core/settings/credential_scramble.h"
#include "core/setupfiles/lwi_text.h"
#include "core/setupfiles/rec_image.h"
#include "core/setupfiles/unit_setup.h"

#include <cstdio>
#include <map>

namespace kovra {

namespace {
// A changed byte range shows at most this many bytes of each side.
constexpr size_t kShownRangeBytes = 16;
constexpr const char* kHiddenValue = "*";

using ItemMap = std::vector<std::pair<std::string, std::string>>;

std::vector<SetupChange> diffMaps(const ItemMap& file, const ItemMap& unit)
{
    std::vector<SetupChange> changes;
    std::map<std::string, std::string> unitValues(unit.begin(), unit.end());
    std::map<std::string, std::string> fileValues(file.begin(), file.end());
    for (const auto& [where, value] : file) {
        const auto found = unitValues.find(where);
        if (found == unitValues.end())
            changes.push_back({ SetupChange::Kind::Added, where, {}, value });
        else if (found->second != value)
            changes.push_back({ SetupChange::Kind::Changed, where, found->second, value });
        unitValues.erase(where); // a key twice in the file is compared once
    }
    for (const auto& [where, value] : unit) {
        if (fileValues.count(where) == 0)
            changes.push_back({ SetupChange::Kind::Removed, where, value, {} });
    }
    return changes;
}

bool isScrambledKey(const std::string& key, const char* suffix)
{
    const size_t digits = key.size() - std::string(suffix).size();
    return key.size() > 1 + std::string(suffix).size() && key[0] == 'E'
        && key.compare(digits, std::string::npos, suffix) == 0
        && key.find_first_not_of("0123456789", 1) == digits;
}

// The pairs as they can be compared and shown: scrambled credentials carry fresh random pads
// in every dump, so they are compared by their clear text; passwords are never shown.
ItemMap comparableLwi(const std::string& text)
{
    LwiPairs pairs;
    parseLwiText(text, pairs);
    for (auto& [key, value] : pairs) {
        if (isScrambledKey(key, "USER"))
            value = unscrambledValue(value, kUserShift);
        else if (isScrambledKey(key, "PASS"))
            value = unscrambledValue(value, kPassShift);
    }
    return pairs;
}

void hidePasswords(std::vector<SetupChange>& changes)
{
    for (SetupChange& change : changes) {
        const std::string& key = change.where;
        if (key.size() >= 4 && key.compare(key.size() - 4, 4, "PASS") == 0) {
            change.unitValue = change.unitValue.empty() ? "" : kHiddenValue;
            change.fileValue = change.fileValue.empty() ? "" : kHiddenValue;
        }
    }
}

std::string hexBytes(const std::string& bytes, size_t from, size_t to)
{
    std::string text;
    char digits[4];
    for (size_t i = from; i < to && i - from < kShownRangeBytes; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(bytes[i]));
        text += (text.empty() ? "" : " ") + std::string(digits);
    }
    return to - from > kShownRangeBytes ? text + " ..." : text;
}

std::string rangeName(int block, size_t from, size_t to)
{
    char name[48];
    std::snprintf(name, sizeof name, "block %d 0x%02zX-0x%02zX", block, from, to - 1);
    return name;
}

std::vector<SetupChange> diffRec(const std::string& file, const std::string& unit)
{
    std::vector<MemoryBlock> fileBlocks;
    std::vector<MemoryBlock> unitBlocks;
    parseRecImage(file, fileBlocks);
    parseRecImage(unit, unitBlocks);
    std::map<int, std::string> unitByNumber;
    for (const auto& block : unitBlocks)
        unitByNumber[block.number] = block.bytes;
    std::vector<SetupChange> changes;
    for (const auto& block : fileBlocks) {
        const auto found = unitByNumber.find(block.number);
        if (found == unitByNumber.end()) {
            changes.push_back({ SetupChange::Kind::Added, "block " + std::to_string(block.number), {},
                hexBytes(block.bytes, 0, block.bytes.size()) });
            continue;
        }
        const std::string& theirs = found->second;
        for (size_t i = 0; i < block.bytes.size();) {
            if (block.bytes[i] == theirs[i]) {
                ++i;
                continue;
            }
            size_t end = i;
            while (end < block.bytes.size() && block.bytes[end] != theirs[end])
                ++end;
            changes.push_back({ SetupChange::Kind::Changed, rangeName(block.number, i, end),
                hexBytes(theirs, i, end), hexBytes(block.bytes, i, end) });
            i = end;
        }
        unitByNumber.erase(found);
    }
    for (const auto& [number, bytes] : unitByNumber)
        changes.push_back({ SetupChange::Kind::Removed, "block " + std::to_string(number),
            hexBytes(bytes, 0, bytes.size()), {} });
    return changes;
}

// The text of attribute `name` in a tag: name = "value".
std::string attribute(const std::string& tag, const char* name)
{
    const std::string key = std::string(" ") + name + " = \"";
    const size_t at = tag.find(key);
    if (at == std::string::npos)
        return {};
    const size_t start = at + key.size();
    const size_t end = tag.find('"', start);
    return end == std::string::npos ? std::string() : tag.substr(start, end - start);
}

std::string labelled(const std::string& name, const std::string& instance)
{
    return instance.empty() ? name : name + " " + instance;
}

// Every value of a record as "group instance / item instance [value name]" -> text.
ItemMap recordValues(const std::string& record)
{
    ItemMap values;
    std::string group;
    std::string item;
    for (size_t at = record.find('<'); at != std::string::npos; at = record.find('<', at + 1)) {
        const size_t close = record.find('>', at);
        if (close == std::string::npos)
            break;
        const std::string tag = record.substr(at, close - at + 1);
        if (tag.compare(0, 13, "<configgroup ") == 0) {
            group = labelled(attribute(tag, "name"), attribute(tag, "instance"));
        } else if (tag.compare(0, 12, "<configitem ") == 0) {
            item = labelled(attribute(tag, "name"), attribute(tag, "instance"));
        } else if (tag.compare(0, 6, "<value") == 0) {
            const size_t end = record.find("</value>", close);
            if (end == std::string::npos)
                break;
            const std::string valueName = attribute(tag, "name");
            values.emplace_back(group + " / " + item + (valueName.empty() ? "" : " [" + valueName + "]"),
                record.substr(close + 1, end - close - 1));
        }
    }
    return values;
}
} // namespace

std::vector<SetupChange> diffSetup(SetupFileKind kind, const std::string& file, const std::string& unit)
{
    switch (kind) {
    case SetupFileKind::Lwi: {
        std::vector<SetupChange> changes = diffMaps(comparableLwi(file), comparableLwi(unit));
        hidePasswords(changes);
        return changes;
    }
    case SetupFileKind::Xml: {
        // Only what the write sends can change; the groups it cuts are no difference.
        const std::string sent = setupAsSent(kind, file);
        ItemMap unitValues;
        const ItemMap fileValues = recordValues(sent);
        std::map<std::string, bool> sentGroups;
        for (const auto& [where, value] : fileValues)
            sentGroups[where.substr(0, where.find(" / "))] = true;
        for (auto& entry : recordValues(unit)) {
            if (sentGroups.count(entry.first.substr(0, entry.first.find(" / "))))
                unitValues.push_back(std::move(entry));
        }
        return diffMaps(fileValues, unitValues);
    }
    case SetupFileKind::Rec:
        break;
    }
    return diffRec(file, unit);
}

const char* changeKindName(SetupChange::Kind kind)
{
    switch (kind) {
    case SetupChange::Kind::Added:
        return "added";
    case SetupChange::Kind::Removed:
        return "removed";
    case SetupChange::Kind::Changed:
        break;
    }
    return "changed";
}

std::string diffText(const std::vector<SetupChange>& changes, size_t maxLines)
{
    if (changes.empty())
        return "no changes\n";
    std::string text;
    size_t shown = 0;
    for (const SetupChange& change : changes) {
        if (shown == maxLines) {
            text += "... " + std::to_string(changes.size() - shown) + " more\n";
            break;
        }
        switch (change.kind) {
        case SetupChange::Kind::Added:
            text += "+ " + change.where + ": " + change.fileValue + "\n";
            break;
        case SetupChange::Kind::Removed:
            text += "- " + change.where + ": " + change.unitValue + "\n";
            break;
        case SetupChange::Kind::Changed:
            text += "~ " + change.where + ": " + change.unitValue + " -> " + change.fileValue + "\n";
            break;
        }
        ++shown;
    }
    return text;
}

} // namespace kovra
