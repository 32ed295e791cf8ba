#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kovra {

// The model query's wire texts and their decoding. A unit is first asked "UU"; older
// units answer two bytes at once, the others stay silent and are asked "MI" (4D 49 C8)
// and answer a frame ended by C8h.

constexpr std::array<uint8_t, 2> kModelQuery { 'U', 'U' };
constexpr std::array<uint8_t, 3> kExtendedModelQuery { 'M', 'I', 0xC8 };
constexpr uint8_t kModelFrameEnd = 0xC8;
constexpr size_t kModelShortAnswerSize = 2;
constexpr size_t kModelFrameMax = 16; // collected bytes without end mark: -1
constexpr int kModelReadLimit = 200; // single-byte reads per phase

// What the first two answer bytes to "UU" say.
enum class ShortModelAnswer {
    Model, // a model answer: decoded by decodeShortModelAnswer
    Status, // (b AND 70h) = 70h: 3 more bytes follow; not a model answer
    Text, // "AT": 11 more bytes follow; not a model answer
};

ShortModelAnswer classifyShortModelAnswer(uint8_t first, uint8_t second);

// Bytes that follow a non-model answer and are read and dropped.
size_t trailingBytes(ShortModelAnswer answer);

// A model answer byte b: unitSwitch = 15 - (b AND 0Fh), modelIndex = (b AND 70h) >> 4.
void decodeShortModelAnswer(uint8_t first, int& modelIndex, int& unitSwitch);

// The frame answered to "MI" (and any byte that arrived for "UU" before it), without its
// end mark. unitSwitch = 15 - (a[2] AND 0Fh); the model number is a cascade of nibbles
// where 0Fh passes on to the next byte: a[3], then a[4] (+10h), then a[5] (+20h).
// False (outputs unchanged) when the frame ends before a byte the cascade needs.
bool decodeExtendedModelAnswer(const uint8_t* frame, size_t length, int& modelIndex, int& unitSwitch);

} // namespace kovra
