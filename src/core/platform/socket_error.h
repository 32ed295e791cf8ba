#pragma once

namespace kovra {

// Results of the network layer are Windows Sockets error numbers, so that a code in a
// trace line or a test means the same on every platform the program has run on.
// 0 is success; -1 is "socket could not be created or bound" where a function says so.
constexpr int kSocketInterrupted = 10004; // WSAEINTR
constexpr int kSocketBadHandle = 10009; // WSAEBADF
constexpr int kSocketAccessDenied = 10013; // WSAEACCES
constexpr int kSocketBadAddress = 10014; // WSAEFAULT
constexpr int kSocketInvalidArgument = 10022; // WSAEINVAL
constexpr int kSocketTooManyOpen = 10024; // WSAEMFILE
constexpr int kSocketWouldBlock = 10035; // WSAEWOULDBLOCK
constexpr int kSocketInProgress = 10036; // WSAEINPROGRESS
constexpr int kSocketAlready = 10037; // WSAEALREADY
constexpr int kSocketNotSocket = 10038; // WSAENOTSOCK
constexpr int kSocketDestinationRequired = 10039; // WSAEDESTADDRREQ
constexpr int kSocketMessageSize = 10040; // WSAEMSGSIZE
constexpr int kSocketProtocolType = 10041; // WSAEPROTOTYPE
constexpr int kSocketNoProtocolOption = 10042; // WSAENOPROTOOPT
constexpr int kSocketProtocolNotSupported = 10043; // WSAEPROTONOSUPPORT
constexpr int kSocketTypeNotSupported = 10044; // WSAESOCKTNOSUPPORT
constexpr int kSocketOperationNotSupported = 10045; // WSAEOPNOTSUPP
constexpr int kSocketFamilyNotSupported = 10046; // WSAEPFNOSUPPORT
constexpr int kSocketAddressFamilyNotSupported = 10047; // WSAEAFNOSUPPORT
constexpr int kSocketAddressInUse = 10048; // WSAEADDRINUSE
constexpr int kSocketAddressNotAvailable = 10049; // WSAEADDRNOTAVAIL
constexpr int kSocketNetworkDown = 10050; // WSAENETDOWN
constexpr int kSocketNetworkUnreachable = 10051; // WSAENETUNREACH
constexpr int kSocketNetworkReset = 10052; // WSAENETRESET
constexpr int kSocketConnectionAborted = 10053; // WSAECONNABORTED
constexpr int kSocketConnectionReset = 10054; // WSAECONNRESET
constexpr int kSocketNoBuffers = 10055; // WSAENOBUFS
constexpr int kSocketAlreadyConnected = 10056; // WSAEISCONN
constexpr int kSocketNotConnected = 10057; // WSAENOTCONN
constexpr int kSocketShutDown = 10058; // WSAESHUTDOWN
constexpr int kSocketTimedOut = 10060; // WSAETIMEDOUT
constexpr int kSocketConnectionRefused = 10061; // WSAECONNREFUSED
constexpr int kSocketNameLoop = 10062; // WSAELOOP
constexpr int kSocketNameTooLong = 10063; // WSAENAMETOOLONG
constexpr int kSocketHostDown = 10064; // WSAEHOSTDOWN
constexpr int kSocketHostUnreachable = 10065; // WSAEHOSTUNREACH
constexpr int kSocketDisconnected = 10101; // WSAEDISCON: the peer closed the connection
constexpr int kSocketHostNotFound = 11001; // WSAHOST_NOT_FOUND
constexpr int kSocketTryAgain = 11002; // WSATRY_AGAIN
constexpr int kSocketNoRecovery = 11003; // WSANO_RECOVERY
constexpr int kSocketNoData = 11004; // WSANO_DATA

// An errno without a twin becomes kSocketUnmappedBase + errno: never 0 (a failure is never
// read as success), never one of the numbers above, and the cause stays readable in a trace.
constexpr int kSocketUnmappedBase = 20000;

// The Windows Sockets twin of an errno value:
//
//   errno            result   errno              result   errno          result
//   EINTR            10004    EPROTOTYPE         10041    ECONNRESET     10054
//   EBADF            10009    ENOPROTOOPT        10042    EPIPE          10054
//   EACCES, EPERM    10013    EPROTONOSUPPORT    10043    ENOBUFS        10055
//   EFAULT           10014    ESOCKTNOSUPPORT    10044    ENOMEM         10055
//   EINVAL           10022    EOPNOTSUPP         10045    EISCONN        10056
//   EMFILE, ENFILE   10024    EPFNOSUPPORT       10046    ENOTCONN       10057
//   EAGAIN           10035    EAFNOSUPPORT       10047    ESHUTDOWN      10058
//   EINPROGRESS      10036    EADDRINUSE         10048    ETIMEDOUT      10060
//   EALREADY         10037    EADDRNOTAVAIL      10049    ECONNREFUSED   10061
//   ENOTSOCK         10038    ENETDOWN           10050    ELOOP          10062
//   EDESTADDRREQ     10039    ENETUNREACH        10051    ENAMETOOLONG   10063
//   EMSGSIZE         10040    ENETRESET          10052    EHOSTDOWN      10064
//                             ECONNABORTED       10053    EHOSTUNREACH   10065
//   anything else (0 included): kSocketUnmappedBase + errno
//
// EPIPE is a send on a connection the peer has reset, which Windows reports as 10054.
// EAGAIN is "would block" here; the socket operations report an expired send or receive
// time-out as 10060 themselves, as Windows does.
int socketErrorFromErrno(int errnoValue);

// socketErrorFromErrno(errno): the result for the call that just failed.
int lastSocketError();

// The Windows Sockets twin of a getaddrinfo result (EAI_NONAME 11001, EAI_AGAIN 11002,
// EAI_FAIL 11003, EAI_NODATA 11004, EAI_SYSTEM: errno, others kSocketHostNotFound).
int socketErrorFromResolver(int eaiValue);

} // namespace kovra
