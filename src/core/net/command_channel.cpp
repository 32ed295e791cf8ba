#include "core/net/command_channel.h"

#include "core/net/command_messages.h"
#include "core/net/net_results.h"
#include "core/net/tcp_exchange.h"
#include "core/platform/cancel_scope.h"
#include "core/platform/socket_error.h"

namespace kovra {

int CommandChannel::open(const std::string& ipText, uint16_t port)
{
    if (ipText.empty())
        return kSendRecvEmptyAddress;
    return openUnitConnection(m_socket, ipText, port);
}

int CommandChannel::exchange(
    const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength, bool skipCheck)
{
    if (!isOpen())
        return kSocketNotConnected;
    drainInput(m_socket);
    int result = sendAll(m_socket, request, requestLength);
    if (result != 0 || answerLength == 0)
        return result;
    size_t collected = 0;
    for (int calls = 0; calls < kCommandReceiveCalls && collected < answerLength; ++calls) {
        size_t received = 0;
        result = receiveSome(m_socket, answer + collected, answerLength - collected, received);
        if (result != 0)
            return result;
        collected += received;
    }
    // An answer still short after every receive call is no answer: its tail would be
    // whatever the buffer held before.
    if (collected < answerLength)
        return kSocketTimedOut;
    if (skipCheck || echoHolds(request, requestLength, answer, answerLength))
        return 0;
    return kSendRecvEchoMismatch;
}

int CommandChannel::exchangeFramed(
    const uint8_t* request, size_t requestLength, uint8_t* answer, size_t maxLength)
{
    if (!isOpen())
        return kSocketNotConnected;
    drainInput(m_socket);
    int result = sendAll(m_socket, request, requestLength);
    if (result != 0)
        return result;
    size_t length = 0;
    int failures = 0;
    for (;;) {
        uint8_t byte = 0;
        result = receiveByte(m_socket, byte);
        if (result != 0) {
            if (++failures >= kFramedReadAttempts)
                return result;
            if (!pauseFor(kFramedRetryPauseMs))
                return result;
            continue;
        }
        failures = 0;
        if (byte == kFrameEnd)
            break;
        if (length >= maxLength)
            return kFramedOverflow;
        answer[length++] = byte;
    }
    return echoHolds(request, requestLength, answer, length) ? int(length) : kFramedEchoMismatch;
}

int sendRecv(const std::string& ipText, uint16_t port, const uint8_t* request, size_t requestLength,
    uint8_t* answer, size_t answerLength, bool skipCheck)
{
    CommandChannel channel;
    const int result = channel.open(ipText, port);
    if (result != 0)
        return result;
    return channel.exchange(request, requestLength, answer, answerLength, skipCheck);
}

int readFramed(const std::string& ipText, uint16_t port, const uint8_t* request, size_t requestLength,
    uint8_t* answer, size_t maxLength)
{
    if (ipText.empty())
        return kFramedEmptyAddress;
    CommandChannel channel;
    const int result = channel.open(ipText, port);
    if (result != 0)
        return result;
    return channel.exchangeFramed(request, requestLength, answer, maxLength);
}

} // namespace kovra
