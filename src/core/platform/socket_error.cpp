#include "core/platform/socket_error.h"

#include <cerrno>
#include <netdb.h>

namespace kovra {

int socketErrorFromErrno(int errnoValue)
{
    switch (errnoValue) {
    case EINTR:
        return kSocketInterrupted;
    case EBADF:
        return kSocketBadHandle;
    case EACCES:
    case EPERM:
        return kSocketAccessDenied;
    case EFAULT:
        return kSocketBadAddress;
    case EINVAL:
        return kSocketInvalidArgument;
    case EMFILE:
    case ENFILE:
        return kSocketTooManyOpen;
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
    case EAGAIN:
        return kSocketWouldBlock;
    case EINPROGRESS:
        return kSocketInProgress;
    case EALREADY:
        return kSocketAlready;
    case ENOTSOCK:
        return kSocketNotSocket;
    case EDESTADDRREQ:
        return kSocketDestinationRequired;
    case EMSGSIZE:
        return kSocketMessageSize;
    case EPROTOTYPE:
        return kSocketProtocolType;
    case ENOPROTOOPT:
        return kSocketNoProtocolOption;
    case EPROTONOSUPPORT:
        return kSocketProtocolNotSupported;
    case ESOCKTNOSUPPORT:
        return kSocketTypeNotSupported;
    case EOPNOTSUPP:
        return kSocketOperationNotSupported;
    case EPFNOSUPPORT:
        return kSocketFamilyNotSupported;
    case EAFNOSUPPORT:
        return kSocketAddressFamilyNotSupported;
    case EADDRINUSE:
        return kSocketAddressInUse;
    case EADDRNOTAVAIL:
        return kSocketAddressNotAvailable;
    case ENETDOWN:
        return kSocketNetworkDown;
    case ENETUNREACH:
        return kSocketNetworkUnreachable;
    case ENETRESET:
        return kSocketNetworkReset;
    case ECONNABORTED:
        return kSocketConnectionAborted;
    case ECONNRESET:
    case EPIPE:
        return kSocketConnectionReset;
    case ENOBUFS:
    case ENOMEM:
        return kSocketNoBuffers;
    case EISCONN:
        return kSocketAlreadyConnected;
    case ENOTCONN:
        return kSocketNotConnected;
    case ESHUTDOWN:
        return kSocketShutDown;
    case ETIMEDOUT:
        return kSocketTimedOut;
    case ECONNREFUSED:
        return kSocketConnectionRefused;
    case ELOOP:
        return kSocketNameLoop;
    case ENAMETOOLONG:
        return kSocketNameTooLong;
    case EHOSTDOWN:
        return kSocketHostDown;
    case EHOSTUNREACH:
        return kSocketHostUnreachable;
    default:
        return kSocketUnmappedBase + errnoValue;
    }
}

int lastSocketError()
{
    return socketErrorFromErrno(errno);
}

int socketErrorFromResolver(int eaiValue)
{
    switch (eaiValue) {
    case EAI_NONAME:
        return kSocketHostNotFound;
    case EAI_AGAIN:
        return kSocketTryAgain;
    case EAI_FAIL:
        return kSocketNoRecovery;
#ifdef EAI_NODATA
    case EAI_NODATA:
        return kSocketNoData;
#endif
    case EAI_SYSTEM:
        return lastSocketError();
    default:
        return kSocketHostNotFound;
    }
}

} // namespace kovra
