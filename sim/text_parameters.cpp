#include "text_parameters.h"

#include "address_text.h"
#include "model_channels.h"

#include <mutex>
#include <random>

namespace sim {

namespace {

constexpr int kOldVersionOne = 1;
constexpr int kHundredths = 100;
constexpr int kScrambledFrom = 103;
constexpr int kFirstPrintable = 33;
constexpr int kPrintables = 94;
constexpr size_t kCredentialMax = 64;
constexpr int kKeepAliveFives = 12; // 60 s
constexpr int kMaxChannels = 8;
constexpr int kConnections = 4;

std::string text(const nlohmann::json& value)
{
    return value.is_string() ? value.get<std::string>() : std::to_string(value.get<long long>());
}

void set(ParameterList& list, const std::string& key, const std::string& value)
{
    for (auto& entry : list) {
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    }
    list.emplace_back(key, value);
}

std::string n(const char* prefix, int i, const char* suffix = "")
{
    return prefix + std::to_string(i) + suffix;
}

void addNetwork(ParameterList& list, const UnitConfig& config)
{
    list.emplace_back("IP", AddressText::format(config.dhcp ? 0 : config.address));
    list.emplace_back("SUBM", AddressText::format(config.mask));
    list.emplace_back("GWAY", AddressText::format(config.gateway));
}

void addSingleMail(ParameterList& list, const std::string& unitName)
{
    list.insert(list.end(),
        { { "MHOST", "smtp.example.jp" }, { "MPORT", "587" }, { "MUSER", "alert" }, { "MPASS", "alert-pass" },
            { "MFROM", unitName + "@example.jp" }, { "MTO1", "ops@example.jp" }, { "MTO2", "" },
            { "MSUBJ", "KOVRA alert" } });
}

void addKeepAlive(ParameterList& list)
{
    list.insert(list.end(), { { "K_IDL", "30" }, { "K_INT", "10" }, { "K_CNT", "3" } });
}

// Kinds 5 and 7: four connections, DO modes, extension and one mail entry per DI.
void addPerChannel(ParameterList& list, const UnitConfig& config, bool scrambled)
{
    const ModelChannels channels = ModelChannels::of(config.model);
    for (int i = 1; i <= kConnections; ++i) {
        list.emplace_back(n("PORT", i), std::to_string(i == 1 ? config.port : config.port + i - 1));
        list.emplace_back(n("HIP", i), "0.0.0.0");
        list.emplace_back(n("HPORT", i), std::to_string(config.port));
    }
    list.insert(list.end(),
        { { "SOCK", "0" }, { "NOTICE", "0" }, { "DISCON", "0" }, { "RQ_RST", "0" }, { "DETECT", "0" },
            { "MODE", config.unitSwitch == 15 ? "1" : "0" }, { "KEEP_A", std::to_string(kKeepAliveFives) } });
    for (int i = 1; i <= channels.dos && i <= kMaxChannels; ++i) {
        list.emplace_back(n("DO", i, "_MD"), "0");
        list.emplace_back(n("DO", i, "_OT"), "0");
        list.emplace_back(n("DO", i, "_EX"), "0");
    }
    for (int i = 1; i <= channels.dis && i <= kMaxChannels; ++i) {
        list.emplace_back(n("DI", i, "_EX"), "0");
        list.emplace_back(n("M", i, "MODE"), "0");
        list.emplace_back(n("M", i, "HOST"), "smtp.example.jp");
        list.emplace_back(n("M", i, "PORT"), "587");
        list.emplace_back(n(scrambled ? "E" : "M", i, "USER"), n("di", i, "-alert"));
        list.emplace_back(n(scrambled ? "E" : "M", i, "PASS"), n("Pw", i, "!kovra"));
        list.emplace_back(n("M", i, "FROM"), n("unit", i, "@example.jp"));
        list.emplace_back(n("M", i, "TO1"), "ops@example.jp");
        list.emplace_back(n("M", i, "TO2"), "");
        list.emplace_back(n("M", i, "SUBJ"), n("DI", i, " changed"));
    }
}

std::mt19937& generator()
{
    static std::mt19937 engine { std::random_device {}() };
    return engine;
}

std::string randomPad()
{
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    std::uniform_int_distribution<int> printable(0, kPrintables - 1);
    std::string pad;
    for (size_t i = 0; i < kPadLength; ++i)
        pad += static_cast<char>(kFirstPrintable + printable(generator()));
    return pad;
}

} // namespace

int sketchHundredths(int reported)
{
    return reported == kOldVersionOne ? kHundredths : reported;
}

bool scramblesCredentials(int kind, int reportedSketch)
{
    return kind == 7 || (kind == 5 && sketchHundredths(reportedSketch) >= kScrambledFrom);
}

ParameterList defaultParameters(const UnitConfig& config)
{
    ParameterList list
        = { { "MODEL", std::to_string(config.model) }, { "ID", std::to_string(config.unitSwitch) } };
    addNetwork(list, config);
    const std::string name = config.name.empty() ? "unit" : config.name;
    switch (config.kind) {
    case 3:
        list.insert(list.end(),
            { { "PORT", std::to_string(config.port) }, { "HIP", "0.0.0.0" },
                { "HPORT", std::to_string(config.port) } });
        if (sketchHundredths(config.text.sketchVersion) > 126)
            list.emplace_back("E_RST", "0");
        addSingleMail(list, "wifi");
        addKeepAlive(list);
        list.insert(list.end(),
            { { "AP", "0" }, { "AP_CH", "6" }, { "SSID", "plant-floor" }, { "PASS", "wpa-key-0042" } });
        break;
    case 6:
        list.insert(list.end(),
            { { "PORT", std::to_string(config.port) }, { "HIP", "0.0.0.0" },
                { "HPORT", std::to_string(config.port) }, { "SOCK", "0" } });
        addSingleMail(list, "qx");
        addKeepAlive(list);
        break;
    default: // 5 and 7
        addPerChannel(list, config, scramblesCredentials(config.kind, config.text.sketchVersion));
        break;
    }
    for (const auto& [key, value] : config.text.parameters) {
        if (value.is_null()) {
            for (auto it = list.begin(); it != list.end(); ++it) {
                if (it->first == key) {
                    list.erase(it);
                    break;
                }
            }
        } else {
            set(list, key, text(value));
        }
    }
    return list;
}

std::string shiftCredential(const std::string& clear, int shift)
{
    std::string out;
    for (size_t i = 0; i < clear.size() && i < kCredentialMax; ++i) {
        const int c = static_cast<unsigned char>(clear[i]);
        if (c < kFirstPrintable || c >= kFirstPrintable + kPrintables)
            break;
        out += static_cast<char>(
            ((c - kFirstPrintable + shift) % kPrintables + kPrintables) % kPrintables + kFirstPrintable);
    }
    return out;
}

std::string padScrambled(const std::string& clear, int shift)
{
    return randomPad() + shiftCredential(clear, shift) + randomPad();
}

std::string unpadUnscrambled(const std::string& value, int shift)
{
    if (value.size() < 2 * kPadLength)
        return {};
    return shiftCredential(value.substr(kPadLength, value.size() - 2 * kPadLength), -shift);
}

} // namespace sim
