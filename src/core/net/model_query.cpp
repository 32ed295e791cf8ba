#include "core/net/model_query.h"

#include "core/net/model_answer.h"
#include "core/net/tcp_exchange.h"
#include "core/platform/socket.h"

namespace kovra {

namespace {

constexpr int kNotModelAnswer = 1;
constexpr int kFrameWithoutEnd = -1;

// Reads single bytes into `frame` (from `length` on) until `wanted` bytes are there, at
// most kModelReadLimit reads. Results: 0 or the error of the read that failed.
int readBytes(const Socket& socket, uint8_t* frame, size_t& length, size_t wanted)
{
    for (int reads = 0; reads < kModelReadLimit && length < wanted; ++reads) {
        const int result = receiveByte(socket, frame[length]);
        if (result != 0)
            return result;
        ++length;
    }
    return 0;
}

// Drops the bytes that follow a non-model answer; their failure does not matter.
void dropTrailing(const Socket& socket, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        uint8_t byte = 0;
        if (receiveByte(socket, byte) != 0)
            return;
    }
}

// The "MI" phase: the frame collects after the bytes the "UU" phase had read.
int readExtendedAnswer(const Socket& socket, uint8_t* frame, size_t length, int& modelIndex, int& unitSwitch)
{
    drainInput(socket);
    int result = sendAll(socket, kExtendedModelQuery.data(), kExtendedModelQuery.size());
    if (result != 0)
        return result;
    while (length < kModelFrameMax) {
        uint8_t byte = 0;
        result = receiveByte(socket, byte);
        if (result != 0)
            return result;
        if (byte == kModelFrameEnd)
            return decodeExtendedModelAnswer(frame, length, modelIndex, unitSwitch) ? 0 : kNotModelAnswer;
        frame[length++] = byte;
    }
    return kFrameWithoutEnd;
}

} // namespace

int queryModel(const std::string& ipText, uint16_t port, int& modelIndex, int& unitSwitch)
{
    modelIndex = -1;
    unitSwitch = -1;
    Socket socket;
    int result = openUnitConnection(socket, ipText, port);
    if (result != 0)
        return result;
    result = sendAll(socket, kModelQuery.data(), kModelQuery.size());
    if (result != 0)
        return result;

    uint8_t frame[kModelFrameMax] = {};
    size_t length = 0;
    if (readBytes(socket, frame, length, kModelShortAnswerSize) == 0 && length == kModelShortAnswerSize) {
        const ShortModelAnswer kind = classifyShortModelAnswer(frame[0], frame[1]);
        if (kind != ShortModelAnswer::Model) {
            dropTrailing(socket, trailingBytes(kind));
            return kNotModelAnswer;
        }
        decodeShortModelAnswer(frame[0], modelIndex, unitSwitch);
        return 0;
    }
    return readExtendedAnswer(socket, frame, length, modelIndex, unitSwitch);
}

} // namespace kovra
