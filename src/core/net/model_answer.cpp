#include "core/net/model_answer.h"

namespace kovra {

namespace {

constexpr uint8_t kModelBits = 0x70;
constexpr uint8_t kNibble = 0x0F;
constexpr int kSwitchBase = 15;
constexpr size_t kSwitchByte = 2;
constexpr size_t kFirstModelByte = 3;
constexpr int kCascadeSteps = 3; // a[3], a[4], a[5]
constexpr int kCascadeStep = 0x10;
constexpr size_t kStatusTrailing = 3;
constexpr size_t kTextTrailing = 11;

} // namespace

ShortModelAnswer classifyShortModelAnswer(uint8_t first, uint8_t second)
{
    if ((first & kModelBits) == kModelBits)
        return ShortModelAnswer::Status;
    if (first == 'A' && second == 'T')
        return ShortModelAnswer::Text;
    return ShortModelAnswer::Model;
}

size_t trailingBytes(ShortModelAnswer answer)
{
    switch (answer) {
    case ShortModelAnswer::Status:
        return kStatusTrailing;
    case ShortModelAnswer::Text:
        return kTextTrailing;
    case ShortModelAnswer::Model:
        break;
    }
    return 0;
}

void decodeShortModelAnswer(uint8_t first, int& modelIndex, int& unitSwitch)
{
    unitSwitch = kSwitchBase - (first & kNibble);
    modelIndex = (first & kModelBits) >> 4;
}

bool decodeExtendedModelAnswer(const uint8_t* frame, size_t length, int& modelIndex, int& unitSwitch)
{
    for (int step = 0; step < kCascadeSteps; ++step) {
        const size_t at = kFirstModelByte + size_t(step);
        if (at >= length)
            return false;
        const int nibble = frame[at] & kNibble;
        // 0Fh passes on to the next byte, except in the last one, which is taken as it is.
        if (nibble != kNibble || step == kCascadeSteps - 1) {
            modelIndex = nibble | (step * kCascadeStep);
            unitSwitch = kSwitchBase - (frame[kSwitchByte] & kNibble);
            return true;
        }
    }
    return false;
}

} // namespace kovra
