#include "module_config_record.h"

#include "address_text.h"

namespace sim {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kHead[] = "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
                         "<!-- Automatically generated XML -->\r\n"
                         "<!DOCTYPE configrecord [\r\n"
                         "   <!ELEMENT configrecord (configgroup+)>\r\n"
                         "   <!ELEMENT configgroup (configitem+)>\r\n"
                         "   <!ELEMENT configitem (value+)>\r\n"
                         "   <!ELEMENT value (#PCDATA)>\r\n"
                         "   <!ATTLIST configrecord version CDATA #IMPLIED>\r\n"
                         "   <!ATTLIST configgroup name CDATA #IMPLIED>\r\n"
                         "   <!ATTLIST configgroup instance CDATA #IMPLIED>\r\n"
                         "   <!ATTLIST configitem name CDATA #IMPLIED>\r\n"
                         "   <!ATTLIST configitem instance CDATA #IMPLIED>\r\n"
                         "   <!ATTLIST value name CDATA #IMPLIED>\r\n"
                         "]>\r\n"
                         "<configrecord version = \"0.1.0.1\">\r\n";
constexpr char kRecordOpen[] = "<configrecord";
constexpr char kRecordClose[] = "</configrecord>";
constexpr char kGroupOpen[] = "<configgroup name = \"";
constexpr char kGroupClose[] = "</configgroup>";
constexpr char kItemOpen[] = "<configitem name = \"";
constexpr char kItemClose[] = "</configitem>";
constexpr char kValueOpen[] = "<value";
constexpr char kValueName[] = " name = \"";
constexpr char kValueClose[] = "</value>";
constexpr char kInstance[] = " instance = \"";
constexpr char kNone[] = "&lt;None&gt;";

using Group = ModuleConfigRecord::Group;
using Item = ModuleConfigRecord::Item;
using Value = ModuleConfigRecord::Value;

Item plain(const std::string& name, const std::string& text)
{
    return Item { name, {}, { Value { {}, text } } };
}

Item host(const std::string& instance, const std::string& address, const std::string& port)
{
    return Item { "Host", instance,
        { { "Address", address }, { "Port", port }, { "Protocol", "TCP" }, { "Credential", "" },
            { "Initial Send", "" }, { "Reception", "Restricted" } } };
}

std::string attributes(const std::string& name, const std::string& instance)
{
    std::string text = "name = \"" + name + "\"";
    if (!instance.empty())
        text += std::string(kInstance) + instance + "\"";
    return text;
}

// Reads `"text"` after `at` (which points just past the opening quote); false when unclosed.
bool quoted(const std::string& text, size_t& at, std::string& out)
{
    const size_t close = text.find('"', at);
    if (close == std::string::npos)
        return false;
    out = text.substr(at, close - at);
    at = close + 1;
    return true;
}

// The name and optional instance of a tag whose name quote starts at `at`; `at` moves past
// the tag's '>'. False when the tag is not closed before `limit`.
bool tagAttributes(
    const std::string& text, size_t& at, size_t limit, std::string& name, std::string& instance)
{
    if (!quoted(text, at, name))
        return false;
    instance.clear();
    if (text.compare(at, sizeof(kInstance) - 1, kInstance) == 0) {
        at += sizeof(kInstance) - 1;
        if (!quoted(text, at, instance))
            return false;
    }
    const size_t close = text.find('>', at);
    if (close == std::string::npos || close >= limit)
        return false;
    at = close + 1;
    return true;
}

bool parseValues(const std::string& text, size_t from, size_t to, std::vector<Value>& values)
{
    for (size_t at = text.find(kValueOpen, from); at != std::string::npos && at < to;
         at = text.find(kValueOpen, at)) {
        at += sizeof(kValueOpen) - 1;
        Value value;
        if (text.compare(at, sizeof(kValueName) - 1, kValueName) == 0) {
            at += sizeof(kValueName) - 1;
            if (!quoted(text, at, value.name))
                return false;
        }
        if (at >= to || text[at] != '>')
            return false;
        ++at;
        const size_t close = text.find(kValueClose, at);
        if (close == std::string::npos || close > to)
            return false;
        value.text = text.substr(at, close - at);
        values.push_back(value);
        at = close + sizeof(kValueClose) - 1;
    }
    return true;
}

template <typename T> T* find(std::vector<T>& list, const std::string& name, const std::string& instance)
{
    for (T& entry : list) {
        if (entry.name == name && entry.instance == instance)
            return &entry;
    }
    return nullptr;
}

template <typename T>
const T* find(const std::vector<T>& list, const std::string& name, const std::string& instance)
{
    return find(const_cast<std::vector<T>&>(list), name, instance);
}

} // namespace

ModuleConfigRecord ModuleConfigRecord::factory(const UnitConfig& config)
{
    const std::string address = config.dhcp
        ? std::string(kNone)
        : AddressText::format(config.address) + "/" + std::to_string(AddressText::prefixLength(config.mask));
    const std::string gateway
        = config.dhcp || config.gateway == 0 ? std::string(kNone) : AddressText::format(config.gateway);
    ModuleConfigRecord record;
    record.m_groups = {
        { "HTTP Server", {}, { plain("State", "Enabled"), plain("Port", std::to_string(config.httpPort)) } },
        { "Radio", {}, { plain("Band", "2.4 GHz"), plain("Power", "Maximum") } },
        { "Access Point", {}, { plain("Mode", "Disabled"), plain("SSID", "") } },
        { "User", "admin", { plain("Password", "TOLLGATE") } },
        { "Interface", "ap0", { plain("State", "Disabled"), plain("IP Address", "192.168.0.1/24") } },
        { "Interface", "wlan0",
            { plain("State", "Enabled"), plain("DHCP Client", config.dhcp ? "Enabled" : "Disabled"),
                plain("IP Address", address), plain("Default Gateway", gateway), plain("Hostname", ""),
                plain("Primary DNS", kNone), plain("Secondary DNS", kNone), plain("MSS", "1460 bytes") } },
        { "Tunnel Accept", "1",
            { plain("Mode", "Always"), plain("Local Port", std::to_string(config.port)),
                plain("Protocol", "TCP"), plain("Flush Line", "Disabled"), plain("Block Line", "Disabled"),
                plain("Block Network", "Disabled"), plain("Password", "") } },
        { "Tunnel Accept", "2", { plain("Mode", "Disabled"), plain("Local Port", "10002") } },
        { "Tunnel Connect", "1",
            { plain("Mode", "Disable"), plain("Local Port", "&lt;Random&gt;"), host("1", "", kNone),
                host("2", "", kNone), plain("Connections", "Sequential"),
                plain("Reconnect Time", "15 seconds"), plain("Flush Line", "Disabled"),
                plain("Block Line", "Disabled"), plain("Block Network", "Disabled") } },
        { "Tunnel Connect", "2", { plain("Mode", "Disable") } },
        { "Clock", {}, { plain("Time Zone", "UTC") } },
    };
    return record;
}

std::string ModuleConfigRecord::exportText(const std::vector<std::string>& only) const
{
    std::string text = kHead;
    for (const Group& group : m_groups) {
        bool wanted = only.empty();
        for (const std::string& entry : only)
            wanted = wanted || entry == group.name + ":" + group.instance;
        if (!wanted)
            continue;
        text += "   <configgroup " + attributes(group.name, group.instance) + ">" + kLineEnd;
        for (const Item& item : group.items) {
            text += "      <configitem " + attributes(item.name, item.instance) + ">" + kLineEnd;
            for (const Value& value : item.values) {
                const std::string name
                    = value.name.empty() ? "" : std::string(kValueName) + value.name + "\"";
                text += "         <value" + name + ">" + value.text + kValueClose + kLineEnd;
            }
            text += std::string("      ") + kItemClose + kLineEnd;
        }
        text += std::string("   ") + kGroupClose + kLineEnd;
    }
    return text + kRecordClose + kLineEnd;
}

bool ModuleConfigRecord::parse(const std::string& text, std::vector<Group>& groups)
{
    groups.clear();
    const size_t record = text.find(kRecordOpen);
    const size_t recordEnd = text.find(kRecordClose);
    if (record == std::string::npos || recordEnd == std::string::npos || recordEnd < record)
        return false;
    for (size_t at = text.find(kGroupOpen, record); at != std::string::npos && at < recordEnd;
         at = text.find(kGroupOpen, at)) {
        const size_t groupEnd = text.find(kGroupClose, at);
        if (groupEnd == std::string::npos)
            return false;
        at += sizeof(kGroupOpen) - 1;
        Group group;
        if (!tagAttributes(text, at, groupEnd, group.name, group.instance))
            return false;
        for (size_t i = text.find(kItemOpen, at); i != std::string::npos && i < groupEnd;
             i = text.find(kItemOpen, i)) {
            const size_t itemEnd = text.find(kItemClose, i);
            if (itemEnd == std::string::npos || itemEnd > groupEnd)
                return false;
            i += sizeof(kItemOpen) - 1;
            Item item;
            if (!tagAttributes(text, i, itemEnd, item.name, item.instance)
                || !parseValues(text, i, itemEnd, item.values))
                return false;
            group.items.push_back(item);
            i = itemEnd;
        }
        groups.push_back(group);
        at = groupEnd;
    }
    return true;
}

void ModuleConfigRecord::apply(const std::vector<Group>& groups)
{
    for (const Group& group : groups) {
        Group* kept = find(m_groups, group.name, group.instance);
        if (!kept) {
            m_groups.push_back(group);
            continue;
        }
        for (const Item& item : group.items) {
            Item* keptItem = find(kept->items, item.name, item.instance);
            if (!keptItem) {
                kept->items.push_back(item);
                continue;
            }
            for (const Value& value : item.values) {
                bool set = false;
                for (Value& keptValue : keptItem->values) {
                    if (keptValue.name == value.name) {
                        keptValue.text = value.text;
                        set = true;
                    }
                }
                if (!set)
                    keptItem->values.push_back(value);
            }
        }
    }
}

const std::string* ModuleConfigRecord::value(const std::string& group, const std::string& instance,
    const std::string& item, const std::string& valueName) const
{
    return valueIn(m_groups, group, instance, item, valueName);
}

const std::string* ModuleConfigRecord::valueIn(const std::vector<Group>& groups, const std::string& group,
    const std::string& instance, const std::string& item, const std::string& valueName)
{
    const Group* g = find(groups, group, instance);
    const Item* i = g ? find(g->items, item, {}) : nullptr;
    if (g && !i)
        i = find(g->items, item, "1");
    if (!i)
        return nullptr;
    for (const Value& value : i->values) {
        if (value.name == valueName)
            return &value.text;
    }
    return nullptr;
}

} // namespace sim
