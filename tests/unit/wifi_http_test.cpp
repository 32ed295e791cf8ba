// The Wi-Fi module client over HTTP on loopback: against a digest server that answers what
// the test sets, and against simulated modules (kind 2) in-process.

#include "core/app/event_queue.h"
#include "core/app/headless_view.h"
#include "core/app/main_window_model.h"
#include "core/app/scripted_user_interface.h"
#include "core/app/system_texts.h"
#include "core/wifi/config_http.h"
#include "core/wifi/import_status.h"
#include "core/wifi/module_import.h"
#include "core/wifi/module_reads.h"
#include "core/wifi/wifi_results.h"
#include "sim_test_client.h"
#include "support/free_port.h"
#include "wifi_test_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace kovra;

namespace {

constexpr const char* kLoopback = "127.0.0.1";

struct AnswerCase {
    const char* name;
    unsigned status;
    size_t size;
    int result;
};

class WifiExportAnswer : public testing::TestWithParam<AnswerCase> { };

TEST_P(WifiExportAnswer, NeedsStatus200AndAtMost65535Bytes)
{
    const AnswerCase& c = GetParam();
    wifitest::DigestServer server;
    ASSERT_NE(server.port(), 0);
    server.answer(c.status, std::string(c.size, 'r'));
    std::string out = "old";
    EXPECT_EQ(exportConfig(kLoopback, kGroupTunnelAccept, out, server.port()), c.result);
    if (c.result == 0) {
        EXPECT_EQ(out.size(), c.size);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, WifiExportAnswer,
    testing::Values(AnswerCase { "Exactly65535", 200, 65535, 0 },
        AnswerCase { "OneByteMore", 200, 65536, kWifiTooLong }, AnswerCase { "Empty", 200, 0, 0 },
        AnswerCase { "ServerError", 500, 10, kWifiRefused },
        AnswerCase { "NotFound", 404, 10, kWifiRefused }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WifiHttp, WrongPasswordIsARefusalNotASuccess)
{
    // libcurl's perform succeeds on the server's 401; only the status tells.
    wifitest::DigestServer server("another password");
    std::string out;
    EXPECT_EQ(exportConfig(kLoopback, kGroupInterfaceWlan0, out, server.port()), kWifiRefused);
    EXPECT_EQ(postRecord(kLoopback, "<configrecord/>", server.port()), kWifiRefused);
    EXPECT_EQ(server.authenticated(), 0);
}

TEST(WifiHttp, ExportSendsTheGroupListAsItsBody)
{
    wifitest::DigestServer server;
    server.answer(200, "ok");
    std::string out;
    ASSERT_EQ(exportConfig(kLoopback, kGroupTunnelConnect, out, server.port()), 0);
    EXPECT_EQ(server.path(), "/export/config");
    EXPECT_EQ(server.body(), "optionalGroupList=Tunnel Connect:1");
    EXPECT_EQ(server.contentType(), "application/x-www-form-urlencoded");
    ASSERT_EQ(exportWholeRecord(kLoopback, out, server.port()), 0);
    EXPECT_EQ(server.body(), "");
    EXPECT_EQ(out, "ok");
}

TEST(WifiHttp, ImportPostsTheRecordAsPartConfigrecord)
{
    wifitest::DigestServer server;
    const std::string record(70000, 'q'); // larger than the export limit: imports have none
    ASSERT_EQ(postRecord(kLoopback, record, server.port()), 0);
    EXPECT_EQ(server.path(), "/import/config");
    EXPECT_EQ(server.userAgent(), "curl/7.55.1");
    EXPECT_EQ(server.contentType().rfind("multipart/form-data; boundary=", 0), 0u) << server.contentType();
    const std::string body = server.body();
    EXPECT_NE(body.find("Content-Disposition: form-data; name=\"configrecord\"\r\n\r\n" + record + "\r\n"),
        std::string::npos);
}

TEST(WifiHttp, NobodyListeningIsATransferFailure)
{
    const uint16_t port = simtest::freeUdpPort(); // nothing listens on its TCP twin either
    std::string out;
    EXPECT_EQ(exportConfig(kLoopback, kGroupTunnelAccept, out, port), kWifiTransferFailed);
}

using test_support::freeTcpPort;

std::string moduleUnit(int last, uint16_t httpPort, const std::string& extra)
{
    return "{ \"kind\": 2, \"address\": \"$" + std::to_string(last)
        + "\", \"httpPort\": " + std::to_string(httpPort)
        + ", \"port\": 10011, \"mask\": \"255.255.0.0\", \"gateway\": \"$1\"" + extra + " }";
}

bool waitForImportStatus(int timeoutMs = 15000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (importStatus == kImportRunning && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return importStatus != kImportRunning;
}

TEST(WifiSimulatedModule, ReadsPortAndInterface)
{
    const uint16_t http = freeTcpPort();
    simtest::LoopbackFleet fleet(moduleUnit(5, http, "") + ", " + moduleUnit(6, http, ", \"dhcp\": true"));
    uint16_t port = 0;
    ASSERT_EQ(readTunnelAcceptPort(fleet.address(5), port, http), 0);
    EXPECT_EQ(port, 10011);

    Ipv4 found = 0;
    ASSERT_TRUE(parseIpv4(fleet.address(5), found));
    ModuleInterface network;
    ASSERT_EQ(readInterfaceWlan0(fleet.address(5), found, network, http), 0);
    EXPECT_FALSE(network.dhcp);
    EXPECT_EQ(ipv4ToText(network.address), fleet.address(5));
    EXPECT_EQ(ipv4ToText(network.mask), "255.255.0.0");
    EXPECT_EQ(ipv4ToText(network.gateway), fleet.address(1));

    ASSERT_TRUE(parseIpv4(fleet.address(6), found));
    ASSERT_EQ(readInterfaceWlan0(fleet.address(6), found, network, http), 0);
    EXPECT_TRUE(network.dhcp);
    EXPECT_EQ(ipv4ToText(network.address), fleet.address(6));
    EXPECT_EQ(ipv4ToText(network.mask), "255.0.0.0"); // the class of 127.x
    EXPECT_EQ(network.gateway, 0u);

    TunnelConnect connect;
    ASSERT_EQ(readTunnelConnect(fleet.address(5), connect, http), 0);
    EXPECT_FALSE(connect.enabled);
}

// In a fleet of hundreds of units the simulator's sockets are numbered beyond 1024, where
// select() cannot watch them: the module must still answer there.
TEST(WifiSimulatedModule, AnswersOnASocketNumberedBeyond1024)
{
    constexpr int kHeld = 1040;
    rlimit files {};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &files), 0);
    if (files.rlim_cur < kHeld + 64) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, kHeld + 64);
        if (files.rlim_cur < kHeld + 64 || setrlimit(RLIMIT_NOFILE, &files) != 0)
            GTEST_SKIP() << "the descriptor limit is too low for this case";
    }
    std::vector<int> held;
    for (int i = 0; i < kHeld; ++i)
        held.push_back(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    const uint16_t http = freeTcpPort();
    simtest::LoopbackFleet fleet(moduleUnit(5, http, ""));
    uint16_t port = 0;
    EXPECT_EQ(readTunnelAcceptPort(fleet.address(5), port, http), 0);
    EXPECT_EQ(port, 10011);
    for (int fd : held)
        ::close(fd);
}

TEST(WifiSimulatedModule, ImportedInterfaceMovesTheModuleAfterItsReboot)
{
    const uint16_t http = freeTcpPort();
    simtest::LoopbackFleet fleet(moduleUnit(5, http, ""));
    Ipv4 target = 0;
    ASSERT_TRUE(parseIpv4(fleet.address(9), target));
    ASSERT_EQ(
        importInterfaceSettings(fleet.address(5), false, target, makeIpv4(255, 255, 255, 0), 0, http), 0);
    ASSERT_TRUE(waitForImportStatus());
    EXPECT_EQ(importStatus, kImportDone);
    waitForImport();
    std::this_thread::sleep_for(std::chrono::milliseconds(50)); // the reboot follows the answer
    ASSERT_TRUE(fleet.waitUntilUp());
    ModuleInterface network;
    ASSERT_EQ(readInterfaceWlan0(fleet.address(9), target, network, http), 0);
    EXPECT_EQ(ipv4ToText(network.address), fleet.address(9));
    EXPECT_EQ(ipv4ToText(network.mask), "255.255.255.0");
    EXPECT_EQ(network.gateway, 0u);
    std::string out;
    EXPECT_EQ(exportConfig(fleet.address(5), kGroupInterfaceWlan0, out, http), kWifiTransferFailed);
}

TEST(WifiSimulatedModule, TunnelImportIsReadBack)
{
    const uint16_t http = freeTcpPort();
    simtest::LoopbackFleet fleet(moduleUnit(5, http, ""));
    ModuleTunnel tunnel { 10020, 1, makeIpv4(203, 0, 113, 8), 502 };
    ASSERT_EQ(importTunnelSettings(fleet.address(5), tunnel, http), 0);
    ASSERT_TRUE(waitForImportStatus());
    ASSERT_EQ(importStatus, kImportDone);
    waitForImport();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(fleet.waitUntilUp());
    uint16_t port = 0;
    ASSERT_EQ(readTunnelAcceptPort(fleet.address(5), port, http), 0);
    EXPECT_EQ(port, 10020);
    TunnelConnect connect;
    ASSERT_EQ(readTunnelConnect(fleet.address(5), connect, http), 0);
    EXPECT_TRUE(connect.enabled);
    EXPECT_EQ(connect.host, "203.0.113.8");
    EXPECT_EQ(connect.port, 502);
}

TEST(WifiSimulatedModule, RefusedImportEndsInFailure)
{
    const uint16_t http = freeTcpPort();
    // The module closes the connection without an answer to the import.
    simtest::LoopbackFleet fleet(
        moduleUnit(5, http, ", \"fault\": { \"mode\": \"close\", \"requests\": [\"import\"] }"));
    ASSERT_EQ(importTunnelSettings(fleet.address(5), ModuleTunnel {}, http), 0);
    EXPECT_EQ(importTunnelSettings(fleet.address(5), ModuleTunnel {}, http), kWifiImportBusy);
    ASSERT_TRUE(waitForImportStatus());
    EXPECT_EQ(importStatus, kImportFailed);
    waitForImport();
}

TEST(WifiSimulatedModule, ProgressBarRunsUntilTheImportIsDone)
{
    const uint16_t http = freeTcpPort();
    simtest::LoopbackFleet fleet(moduleUnit(5, http, ", \"latencyMs\": 400"));
    HeadlessView view;
    EventQueue events;
    ScriptedUserInterface ui;
    MainWindowModel model(view, events, ui, ProgramOptions {}, [](std::vector<AdapterEntry>& out) {
        out.push_back(AdapterEntry { 1, "lo", "lo", makeIpv4(127, 0, 0, 1), makeIpv4(255, 0, 0, 0) });
        return 0;
    });
    ASSERT_EQ(model.onInitDialog(), MainWindowModel::StartResult::Ready);
    model.startImportProgress(25);
    ASSERT_EQ(importTunnelSettings(fleet.address(5), ModuleTunnel { 10011, 0, 0, 0 }, http), 0);
    int ticks = 0;
    while (view.progressTimerRunning && ticks < 300) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        model.onProgressTimer();
        ++ticks;
        if (view.progressTimerRunning) {
            EXPECT_TRUE(view.progressVisible);
            EXPECT_FALSE(view.mainControlsEnabled);
            EXPECT_EQ(view.progressValue, model.progress().progressStep() * 100 / 250);
        }
    }
    waitForImport();
    EXPECT_EQ(importStatus, kImportDone);
    EXPECT_GE(ticks, 4); // the module's latency held the answer for a few ticks
    EXPECT_FALSE(view.progressTimerRunning);
    EXPECT_FALSE(view.progressVisible);
    EXPECT_EQ(view.progressValue, 100);
    EXPECT_TRUE(view.mainControlsEnabled);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0], "設定完了しました。\nデバイスを再起動します。");
}

} // namespace
