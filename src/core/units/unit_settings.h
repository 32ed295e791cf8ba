#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kovra {

// Longest text each kind of field holds (the unit's own limits, in cp932 bytes).
constexpr size_t kSettingTextMax = 255; // single-account and connection fields
constexpr size_t kEntryTextMax = 64; // per-entry mail fields
constexpr int kChannelCount = 8; // DI/DO/mail entries per unit

// One unit's function settings as read from the unit: the companion of its UnitRecord.
// The reader overwrites only the fields whose keys arrive. Texts are cp932 bytes.
struct UnitSettings {
    // Connection and single-account group.
    std::array<int32_t, 4> ports {};
    std::string mailHost;
    int32_t mailPort = 0;
    std::string mailUser;
    std::string mailPass;
    std::string mailFrom;
    std::string mailTo1;
    std::string mailTo2;
    std::string mailSubject;
    std::array<std::string, 4> remoteHosts;
    std::array<int32_t, 4> remotePorts {};
    int32_t sketchVersion = 0; // hundredths: 103 is version 1.03; 0 when unknown
    int32_t textVersion = 0;
    int32_t keepIdle = 0;
    int32_t keepInterval = 0;
    int32_t keepCount = 0;
    std::string wifiSsid;
    std::string wifiPass;
    int32_t apMode = 0;
    int32_t apChannel = 0;
    int32_t eRstOption = 0;

    // Per-channel group.
    int32_t sockMode = 0; // 3 = Modbus TCP
    int32_t unitMode = 0;
    int32_t notice = 0;
    int32_t discon = 0;
    int32_t detect = 0;
    int32_t rqReset = 0;
    std::array<int32_t, kChannelCount> doMode {};
    std::array<int32_t, kChannelCount> doExtension {};
    std::array<int32_t, kChannelCount> doOneShot {};
    std::array<int32_t, kChannelCount> diExtension {};
    std::array<int32_t, kChannelCount> mailMode {};
    std::array<std::string, kChannelCount> mailHosts;
    std::array<int32_t, kChannelCount> mailPorts {};
    std::array<std::string, kChannelCount> mailUsers;
    std::array<std::string, kChannelCount> mailPasses;
    std::array<std::string, kChannelCount> mailFroms;
    std::array<std::string, kChannelCount> mailTo1s;
    std::array<std::string, kChannelCount> mailTo2s;
    std::array<std::string, kChannelCount> mailSubjects;

    // Units of kinds 3 and 6 with this flag set keep their address: the address group stays off.
    int32_t addressLock = 0;
};

} // namespace kovra
