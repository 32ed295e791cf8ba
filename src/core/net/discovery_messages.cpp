#include "core/net/discovery_messages.h"

#include <algorithm>
#include <cstring>

namespace kovra {

namespace {

constexpr uint8_t kRecordQueryBase = 0xE0;
constexpr uint8_t kRecordWriteBase = 0xC0;
constexpr uint8_t kRecordWriteFlag = 0x01; // byte 1 of a write header inside a sequence
constexpr int kLastSequenceRecord = 7;

// Search answer fields.
constexpr size_t kAnswerNibbleA = 5;
constexpr size_t kAnswerNibbleB = 6;
constexpr size_t kAnswerTypePair = 8;
constexpr size_t kAnswerMac = 24;

// Record 0 fields.
constexpr size_t kRecordAddress = 4;
constexpr size_t kRecordHostBits = 10;
constexpr size_t kRecordGateway = 16;

constexpr std::array<uint8_t, 4> kAddressSetMark { 0x00, 0x00, 0x00, 0xFC };
constexpr char kAddressSetText[] = "IP-SETUP";

Ipv4 readIpv4(const uint8_t* bytes)
{
    return makeIpv4(bytes[0], bytes[1], bytes[2], bytes[3]);
}

void writeIpv4(uint8_t* bytes, Ipv4 address)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = ipv4Byte(address, i);
}

} // namespace

bool isAcceptedTypePair(uint8_t first, uint8_t second)
{
    return std::any_of(kAcceptedTypePairs.begin(), kAcceptedTypePairs.end(),
        [&](const char* pair) { return uint8_t(pair[0]) == first && uint8_t(pair[1]) == second; });
}

std::array<uint8_t, 4> recordQuery(int n)
{
    return { 0x00, 0x00, 0x00, uint8_t(kRecordQueryBase + (n & 0x07)) };
}

size_t recordAnswerSize(int n)
{
    if (n == 0)
        return kConfigBlock0Size;
    if (n >= 3 && n <= 7)
        return kConfigBlockSize;
    return 0;
}

bool parseSearchAnswer(
    const uint8_t* answer, size_t length, Ipv4 sender, uint16_t senderPort, UnitRecord& unit)
{
    if (length < kSearchAnswerSize)
        return false;
    unit.peerAddress = sender;
    unit.peerPort = senderPort;
    unit.ipText = ipv4ToText(sender);
    std::copy_n(answer + kAnswerMac, unit.mac.size(), unit.mac.begin());
    unit.answerInfo = { uint8_t((answer[kAnswerNibbleA] >> 4) & 0x0F),
        uint8_t((answer[kAnswerNibbleB] >> 4) & 0x0F), answer[kAnswerTypePair], answer[kAnswerTypePair + 1] };
    return isAcceptedTypePair(answer[kAnswerTypePair], answer[kAnswerTypePair + 1]);
}

std::string firmwareTextFromAnswer(const uint8_t* answer, size_t length)
{
    if (length <= kFirmwareTextOffset)
        return {};
    const uint8_t* text = answer + kFirmwareTextOffset;
    const size_t available = std::min(length - kFirmwareTextOffset, kFirmwareTextMax);
    const size_t textLength = size_t(std::find(text, text + available, 0) - text);
    return std::string(reinterpret_cast<const char*>(text), textLength);
}

bool isGcFirmware(const std::string& firmwareText)
{
    return firmwareText.find("GC") != std::string::npos;
}

Ipv4 maskFromHostBits(int hostBits)
{
    if (hostBits > 32)
        return 0; // a record claiming more host bits than an address has: no network part
    return maskFromPrefix(32 - std::max(hostBits, 0));
}

Ipv4 classMask(Ipv4 address)
{
    const uint8_t first = ipv4Byte(address, 0);
    if (first < 128)
        return makeIpv4(255, 0, 0, 0);
    if (first < 192)
        return makeIpv4(255, 255, 0, 0);
    return makeIpv4(255, 255, 255, 0);
}

bool sameAddressFields(const uint8_t* record, const uint8_t* other)
{
    return std::equal(record + kRecordAddress, record + kRecordAddress + 4, other + kRecordAddress)
        && record[kRecordHostBits] == other[kRecordHostBits]
        && std::equal(record + kRecordGateway, record + kRecordGateway + 4, other + kRecordGateway);
}

void deriveWiredNetwork(UnitRecord& unit)
{
    const auto& record = unit.configBlock0;
    const bool staticAddress
        = record[kRecordAddress] != 0 || record[kRecordAddress + 1] != 0 || record[kRecordAddress + 3] != 0;
    if (staticAddress) {
        unit.dhcp = false;
        unit.peerAddress = readIpv4(&record[kRecordAddress]);
        unit.subnetMask = maskFromHostBits(record[kRecordHostBits]);
        unit.gateway = readIpv4(&record[kRecordGateway]);
    } else {
        unit.dhcp = true;
        unit.subnetMask = classMask(unit.peerAddress);
        unit.gateway = 0;
    }
}

std::array<uint8_t, kAddressSetSize> buildAddressSet(const std::array<uint8_t, 6>& mac, Ipv4 newAddress)
{
    std::array<uint8_t, kAddressSetSize> datagram {};
    uint8_t* out = std::copy(kAddressSetMark.begin(), kAddressSetMark.end(), datagram.begin());
    out = std::copy_n(kAddressSetText, std::strlen(kAddressSetText), out);
    out += 2; // two zero bytes
    *out++ = mac[4];
    *out++ = mac[5];
    writeIpv4(out, newAddress);
    return datagram;
}

std::array<uint8_t, kRecordHeaderSize> setupRecordHeader(int n)
{
    if (n == kLastSequenceRecord)
        return { 0x00, 0x00, 0x00, uint8_t(kRecordWriteBase + n) };
    return { 0x00, kRecordWriteFlag, 0x00, uint8_t(kRecordWriteBase + (n & 0x07)) };
}

std::vector<uint8_t> buildSetupRecordWrite(int n, const uint8_t* record, size_t length)
{
    const size_t expected = n == 0 ? kConfigBlock0Size : kConfigBlockSize;
    if (n < 0 || n >= kRecordCount || record == nullptr || length != expected)
        return {};
    std::vector<uint8_t> datagram(record, record + length);
    const auto header = setupRecordHeader(n);
    std::copy(header.begin(), header.end(), datagram.begin());
    return datagram;
}

} // namespace kovra
