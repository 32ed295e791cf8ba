#include "core/setupfiles/memory_records.h"

#include "core/platform/hex_digit.h"

#include <algorithm>
#include <cstdio>

namespace kovra {

namespace {
std::string hexByte(uint8_t value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}
} // namespace

uint8_t recordChecksum(uint16_t offset, const uint8_t* data, size_t count)
{
    unsigned sum = unsigned(count) + (offset >> 8) + (offset & 0xFF) + kDataRecordType;
    for (size_t i = 0; i < count; ++i)
        sum += data[i];
    return uint8_t(0x100 - (sum & 0xFF));
}

std::string dataRecord(uint16_t offset, const uint8_t* data, size_t count)
{
    std::string record = ":" + hexByte(uint8_t(count)) + hexByte(uint8_t(offset >> 8))
        + hexByte(uint8_t(offset & 0xFF)) + hexByte(kDataRecordType);
    for (size_t i = 0; i < count; ++i)
        record += hexByte(data[i]);
    return record + hexByte(recordChecksum(offset, data, count));
}

std::string blockRecords(const std::string& block)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(block.data());
    std::string records;
    for (size_t offset = 0; offset < block.size(); offset += kRecordDataMax) {
        const size_t count = std::min(kRecordDataMax, block.size() - offset);
        records += dataRecord(uint16_t(offset), bytes + offset, count);
    }
    return records;
}

int recordDataCount(const std::string& head)
{
    if (head.size() < 3)
        return -1;
    const int high = hexDigitValue(head[1]);
    const int low = hexDigitValue(head[2]);
    if (high < 0 || low < 0)
        return -1;
    const int count = high * 16 + low;
    return count <= int(kRecordDataMax) ? count : -1;
}

bool appendHexBytes(const std::string& text, std::string& out)
{
    if (text.size() % 2 != 0)
        return false;
    std::string bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = hexDigitValue(text[i]);
        const int low = hexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(char(high * 16 + low));
    }
    out += bytes;
    return true;
}

} // namespace kovra
