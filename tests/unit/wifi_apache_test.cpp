// The Wi-Fi module client against a stock web server with digest authentication
// (apache2 with mod_auth_digest), started here on loopback with a configuration of our
// own: our digest handling proven against a server we did not write.

#include "core/wifi/import_status.h"
#include "core/wifi/module_import.h"
#include "core/wifi/module_reads.h"
#include "core/wifi/wifi_results.h"
#include "support/free_port.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace kovra;

namespace {

constexpr const char* kApache = "/usr/sbin/apache2";
constexpr const char* kModules = "/usr/lib/apache2/modules/";
constexpr const char* kRealm = "kovra";

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text, mode_t mode = 0644)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    ::chmod(path.c_str(), mode);
}

using test_support::freeTcpPort;

bool accepting(uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in peer {};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    peer.sin_port = htons(port);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof(peer)) == 0;
    ::close(fd);
    return ok;
}

// apache2 in the foreground with the two module pages as CGI scripts: the export answers
// a Tunnel Accept group and keeps the request body, the import keeps what it was sent.
class WifiApache : public testing::Test {
protected:
    void SetUp() override
    {
        if (::access(kApache, X_OK) != 0
            || ::access((std::string(kModules) + "mod_auth_digest.so").c_str(), R_OK) != 0)
            GTEST_SKIP() << "apache2 with mod_auth_digest is not installed";
        char dir[] = "/tmp/kovra-apache-XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        m_dir = dir;
        // Run as root, apache2 serves as an unprivileged user, which must reach the scripts
        // and leave the request bodies here.
        ::chmod(dir, 0777);
        m_port = freeTcpPort();
        setPassword("TOLLGATE");
        writeFile(m_dir + "/export.cgi",
            "#!/bin/sh\ncat > " + m_dir
                + "/export-body\nprintf 'Content-Type: text/xml\\r\\n\\r\\n'\n"
                  "printf '<configrecord version = \"0.1.0.1\">\\r\\n"
                  "   <configgroup name = \"Tunnel Accept\" instance = \"1\">\\r\\n"
                  "      <configitem name = \"Local Port\">\\r\\n         <value>4321</value>\\r\\n"
                  "      </configitem>\\r\\n   </configgroup>\\r\\n</configrecord>\\r\\n'\n",
            0755);
        writeFile(m_dir + "/import.cgi",
            "#!/bin/sh\ncat > " + m_dir
                + "/import-body\nprintf 'Content-Type: text/plain\\r\\n\\r\\ndone\\r\\n'\n",
            0755);
        std::string conf = "ServerRoot " + m_dir
            + "\nServerName localhost\nListen 127.0.0.1:" + std::to_string(m_port) + "\nPidFile " + m_dir
            + "/httpd.pid\nErrorLog " + m_dir + "/error.log\nDocumentRoot " + m_dir + "\n";
        if (::geteuid() == 0)
            conf += "User nobody\nGroup nogroup\n";
        for (const char* module : { "mpm_prefork", "authn_core", "authn_file", "authz_core", "authz_user",
                 "auth_digest", "cgi", "alias" })
            conf += "LoadModule " + std::string(module) + "_module " + kModules + "mod_" + module + ".so\n";
        conf += "ScriptAlias /export/config " + m_dir + "/export.cgi\nScriptAlias /import/config " + m_dir
            + "/import.cgi\n<Location />\n  AuthType Digest\n  AuthName \"" + kRealm
            + "\"\n  AuthDigestProvider file\n  AuthUserFile " + m_dir
            + "/digest\n  Require valid-user\n</Location>\n";
        writeFile(m_dir + "/httpd.conf", conf);
        m_server = ::fork();
        ASSERT_GE(m_server, 0);
        if (m_server == 0) {
            // A group of its own: apache2 signals its whole process group when it stops.
            ::setsid();
            ::execl(kApache, kApache, "-f", (m_dir + "/httpd.conf").c_str(), "-DFOREGROUND", nullptr);
            ::_exit(127);
        }
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!accepting(m_port) && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(accepting(m_port)) << readFile(m_dir + "/error.log");
    }

    void TearDown() override
    {
        if (m_server > 0) {
            ::kill(m_server, SIGTERM);
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (::waitpid(m_server, nullptr, WNOHANG) == 0) {
                if (std::chrono::steady_clock::now() > end) {
                    ::kill(m_server, SIGKILL);
                    ::waitpid(m_server, nullptr, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        if (!m_dir.empty())
            std::system(("rm -rf " + m_dir).c_str());
    }

    // The digest file's line for admin: user:realm:MD5(user:realm:password), made with the
    // system's md5sum. Apache reads the file on every request.
    void setPassword(const std::string& password)
    {
        const std::string command = "printf '%s' 'admin:" + std::string(kRealm) + ":" + password
            + "' | md5sum | (read hash rest; echo \"admin:" + kRealm + ":$hash\") > " + m_dir + "/digest";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    bool waitImport()
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (importStatus == kImportRunning && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        waitForImport();
        return importStatus != kImportRunning;
    }

    std::string m_dir;
    uint16_t m_port = 0;
    pid_t m_server = -1;
};

TEST_F(WifiApache, ExportWithDigest)
{
    uint16_t port = 0;
    ASSERT_EQ(readTunnelAcceptPort("127.0.0.1", port, m_port), 0) << readFile(m_dir + "/error.log");
    EXPECT_EQ(port, 4321);
    EXPECT_EQ(readFile(m_dir + "/export-body"), "optionalGroupList=Tunnel Accept:1");
}

TEST_F(WifiApache, ImportWithDigest)
{
    ModuleTunnel tunnel { 10001, 1, 0x0A0B0C0Du, 502 };
    ASSERT_EQ(importTunnelSettings("127.0.0.1", tunnel, m_port), 0);
    ASSERT_TRUE(waitImport());
    EXPECT_EQ(importStatus, kImportDone) << readFile(m_dir + "/error.log");
    const std::string body = readFile(m_dir + "/import-body");
    EXPECT_NE(body.find("name=\"configrecord\""), std::string::npos);
    EXPECT_NE(body.find("<value>Any Character</value>"), std::string::npos);
    EXPECT_NE(body.find("</configrecord>"), std::string::npos);
}

TEST_F(WifiApache, WrongPasswordFailsBothRequests)
{
    setPassword("another password");
    uint16_t port = 7;
    EXPECT_EQ(readTunnelAcceptPort("127.0.0.1", port, m_port), kWifiRefused);
    EXPECT_EQ(port, 7);
    ASSERT_EQ(importTunnelSettings("127.0.0.1", ModuleTunnel {}, m_port), 0);
    ASSERT_TRUE(waitImport());
    EXPECT_EQ(importStatus, kImportFailed);
    EXPECT_EQ(::access((m_dir + "/import-body").c_str(), F_OK), -1);
}

} // namespace
