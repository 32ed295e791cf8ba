// Tests that need interfaces of their own or a peer that stays silent. Each runs itself
// again inside a private network namespace (unshare -rn) prepared for it, and is skipped
// where such namespaces cannot be made. Nothing leaves the namespace.

#include "core/platform/adapter_table.h"
#include "core/platform/icmp_echo.h"
#include "unit/platform_test_peer.h"

#include <chrono>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kovra;
using namespace kovra::test;

namespace {

constexpr int kSetupFailed = 77;
constexpr const char* kInsideMark = "KOVRA_PLATFORM_NETNS";

// v0 (up, two addresses) and its peer v1 (up, none); v2 has an address but is down; the
// namespace ignores echo requests and lets every group use ICMP datagram sockets.
constexpr const char* kNamespaceSetup = "ip link set lo up"
                                        " && ip link add v0 type veth peer name v1"
                                        " && ip link add v2 type veth peer name v3"
                                        " && ip addr add 203.0.113.5/24 dev v0"
                                        " && ip addr add 198.18.0.9/16 dev v0"
                                        " && ip addr add 203.0.113.77/24 dev v2"
                                        " && ip link set v0 up && ip link set v1 up"
                                        " && echo 1 > /proc/sys/net/ipv4/icmp_echo_ignore_all"
                                        " && echo '0 0' > /proc/sys/net/ipv4/ping_group_range";

bool insideNamespace()
{
    return std::getenv(kInsideMark) != nullptr;
}

// Runs the current test again inside the namespace; false when it could not be made.
bool runInsideNamespace(int& exitStatus)
{
    char self[PATH_MAX] = {};
    if (::readlink("/proc/self/exe", self, sizeof self - 1) <= 0
        || std::system("unshare -rn true 2>/dev/null") != 0)
        return false;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string(info->test_suite_name()) + "." + info->name();
    const std::string command = "unshare -rn sh -c \"(" + std::string(kNamespaceSetup)
        + ") >/dev/null 2>&1 || exit " + std::to_string(kSetupFailed) + "; " + kInsideMark + "=1 exec '"
        + self + "' --gtest_filter=" + filter + "\" 2>/dev/null";
    const int status = std::system(command.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) == kSetupFailed)
        return false;
    exitStatus = WEXITSTATUS(status);
    return true;
}

#define RUN_INSIDE_PRIVATE_NAMESPACE()                                                                       \
    if (!insideNamespace()) {                                                                                \
        int exitStatus = 0;                                                                                  \
        if (!runInsideNamespace(exitStatus))                                                                 \
            GTEST_SKIP() << "no private network namespace can be made here";                                 \
        EXPECT_EQ(exitStatus, 0) << "the test failed inside its namespace (its output is above)";            \
        return;                                                                                              \
    }

long msSince(std::chrono::steady_clock::time_point start)
{
    return long(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count());
}

} // namespace

TEST(PlatformPrivateNetwork, AdapterTableListsEachAddressOfTheLinksThatAreUp)
{
    RUN_INSIDE_PRIVATE_NAMESPACE();
    std::vector<AdapterEntry> table;
    ASSERT_EQ(enumerateAdapters(table), 0);
    std::vector<std::string> lines;
    for (const auto& e : table)
        lines.push_back(adapterLine(e) + " " + ipv4ToText(e.mask) + " [" + e.description + "]");
    EXPECT_EQ(lines,
        (std::vector<std::string> {
            "203.0.113.5 (v0) 255.255.255.0 [v0 (veth)]",
            "198.18.0.9 (v0) 255.255.0.0 [v0 (veth)]",
        }));
}

TEST(PlatformPrivateNetwork, AnUnansweredEchoEndsWithNoReplyAfterTheWait)
{
    RUN_INSIDE_PRIVATE_NAMESPACE();
    LoopbackBinding binding;
    // A raw socket also sees its own request pass on loopback: that is no reply either.
    for (auto kind : { IcmpSocketKind::Raw, IcmpSocketKind::Datagram }) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(pingHost("127.0.0.1", kind), -1) << int(kind);
        const long elapsed = msSince(start);
        EXPECT_GE(elapsed, 950) << int(kind);
        EXPECT_LT(elapsed, 2000) << int(kind);
        EXPECT_EQ(pingEcho(loopback(), "ICMP SEND DATA", 300, kind), -1) << int(kind);
    }
}
