#include "core/net/tcp_exchange.h"

#include "core/platform/connect_with_timeout.h"
#include "core/platform/ipv4.h"
#include "core/platform/socket_error.h"

namespace kovra {

int openUnitConnection(Socket& socket, const std::string& ipText, uint16_t port)
{
    Ipv4 address = 0;
    if (!parseIpv4(ipText, address))
        return kSocketAddressNotAvailable;
    if (createTcpSocket(socket) != 0)
        return kSocketAddressNotAvailable;
    int result = connectWithTimeout(socket, address, port, kCommandTimeoutMs);
    if (result == 0)
        result = setTimeouts(socket, kCommandTimeoutMs);
    if (result != 0) {
        socket.close();
        return result;
    }
    drainInput(socket);
    return 0;
}

int receiveByte(const Socket& socket, uint8_t& byte)
{
    size_t received = 0;
    return receiveSome(socket, &byte, 1, received);
}

} // namespace kovra
