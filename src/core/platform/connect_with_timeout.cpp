#include "core/platform/connect_with_timeout.h"

#include "core/platform/socket_error.h"

#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace kovra {

namespace {

int startConnect(const Socket& socket, Ipv4 destination, uint16_t port)
{
    sockaddr_in to {};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = destination;
    if (::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0)
        return 0;
    // A signal during a non-blocking connect leaves it running, as EINPROGRESS does.
    if (errno == EINPROGRESS || errno == EINTR)
        return kSocketWouldBlock;
    return lastSocketError();
}

int finishConnect(const Socket& socket, int timeoutMs)
{
    const int waited = waitWritable(socket, timeoutMs);
    if (waited != 0)
        return waited;
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return lastSocketError();
    return error == 0 ? 0 : socketErrorFromErrno(error);
}

} // namespace

int connectWithTimeout(Socket& socket, Ipv4 destination, uint16_t port, int timeoutMs)
{
    const int flags = ::fcntl(socket.fd(), F_GETFL);
    if (flags < 0 || ::fcntl(socket.fd(), F_SETFL, flags | O_NONBLOCK) != 0)
        return lastSocketError();
    int result = startConnect(socket, destination, port);
    if (result == kSocketWouldBlock)
        result = finishConnect(socket, timeoutMs);
    if (::fcntl(socket.fd(), F_SETFL, flags) != 0 && result == 0)
        result = lastSocketError();
    return result;
}

} // namespace kovra
