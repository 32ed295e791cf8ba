#pragma once

#include "model_channels.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace sim {

// The keys of settings messages as a text-protocol unit takes them: which it keeps, which it only
// reports (MODEL, ID, MODE), which values it accepts, and which keys name one setting.
class KeyVocabulary {
public:
    static constexpr size_t kMaxValueLength = 254; // the longest value line the product reads
    static constexpr size_t kMaxEntryText = 64; // per-entry mail texts

    explicit KeyVocabulary(const ModelChannels& channels);

    // The forms a setting may be kept under, each with the value in that form's units, the key's
    // own form first: PORT/PORT1, HIP/HIP1, HPORT/HPORT1, M%dUSER/E%dUSER, M%dPASS/E%dPASS, and
    // K_INT (seconds) / KEEP_A (fives of seconds). Values are in clear, integers as "%d" prints them.
    using Forms = std::vector<std::pair<std::string, std::string>>;

    // Empty when the unit takes key with value (as it came: scrambled credentials still padded),
    // with forms filled; else why it leaves the pair: "unknown key", "read-only", "no such channel"
    // or what is wrong with the value.
    std::string take(const std::string& key, const std::string& value, Forms& forms) const;

    // Whether key is one of the scrambled per-entry credentials, E%dUSER (user) or E%dPASS.
    static bool isScrambledUser(const std::string& key);
    static bool isScrambledPass(const std::string& key);

private:
    ModelChannels m_channels;
};

} // namespace sim
