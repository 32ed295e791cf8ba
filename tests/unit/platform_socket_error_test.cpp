#include "core/platform/socket_error.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <netdb.h>

using namespace kovra;

TEST(PlatformSocketErrors, ErrnoValuesBecomeTheirWindowsTwins)
{
    const std::pair<int, int> cases[] = {
        { EINTR, 10004 },
        { EBADF, 10009 },
        { EACCES, 10013 },
        { EPERM, 10013 },
        { EFAULT, 10014 },
        { EINVAL, 10022 },
        { EMFILE, 10024 },
        { ENFILE, 10024 },
        { EAGAIN, 10035 },
        { EWOULDBLOCK, 10035 },
        { EINPROGRESS, 10036 },
        { EALREADY, 10037 },
        { ENOTSOCK, 10038 },
        { EDESTADDRREQ, 10039 },
        { EMSGSIZE, 10040 },
        { EPROTOTYPE, 10041 },
        { ENOPROTOOPT, 10042 },
        { EPROTONOSUPPORT, 10043 },
        { ESOCKTNOSUPPORT, 10044 },
        { EOPNOTSUPP, 10045 },
        { EPFNOSUPPORT, 10046 },
        { EAFNOSUPPORT, 10047 },
        { EADDRINUSE, 10048 },
        { EADDRNOTAVAIL, 10049 },
        { ENETDOWN, 10050 },
        { ENETUNREACH, 10051 },
        { ENETRESET, 10052 },
        { ECONNABORTED, 10053 },
        { ECONNRESET, 10054 },
        { EPIPE, 10054 },
        { ENOBUFS, 10055 },
        { ENOMEM, 10055 },
        { EISCONN, 10056 },
        { ENOTCONN, 10057 },
        { ESHUTDOWN, 10058 },
        { ETIMEDOUT, 10060 },
        { ECONNREFUSED, 10061 },
        { ELOOP, 10062 },
        { ENAMETOOLONG, 10063 },
        { EHOSTDOWN, 10064 },
        { EHOSTUNREACH, 10065 },
        // No twin: kept recognisable, never success, never a mapped number.
        { ENOENT, 20000 + ENOENT },
        { EIO, 20000 + EIO },
        { 0, 20000 },
    };
    for (const auto& [errnoValue, expected] : cases)
        EXPECT_EQ(socketErrorFromErrno(errnoValue), expected) << "errno " << errnoValue;
}

TEST(PlatformSocketErrors, ResolverFailuresBecomeHostErrors)
{
    const std::pair<int, int> cases[] = {
        { EAI_NONAME, 11001 },
        { EAI_AGAIN, 11002 },
        { EAI_FAIL, 11003 },
        { EAI_NODATA, 11004 },
        { EAI_FAMILY, 11001 },
    };
    for (const auto& [eai, expected] : cases)
        EXPECT_EQ(socketErrorFromResolver(eai), expected) << "getaddrinfo " << eai;
}
