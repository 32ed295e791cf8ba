#pragma once

// A small HTTP server with digest authentication for the Wi-Fi module client's tests: it
// answers every request with a set status and body and keeps what it received. Built on
// the server library the simulator uses, with nothing of src/core.

#include <array>
#include <atomic>
#include <cstring>
#include <microhttpd.h>
#include <mutex>
#include <netinet/in.h>
#include <string>

namespace wifitest {

class DigestServer {
public:
    explicit DigestServer(std::string password = "TOLLGATE")
        : m_password(std::move(password))
    {
        sockaddr_in local {};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_daemon = MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_ERROR_LOG, 0, nullptr, nullptr,
            &DigestServer::handle, this, MHD_OPTION_SOCK_ADDR, &local, MHD_OPTION_NOTIFY_COMPLETED,
            &DigestServer::completed, this, MHD_OPTION_DIGEST_AUTH_RANDOM, m_seed.size(), m_seed.data(),
            MHD_OPTION_END);
        if (m_daemon)
            m_port = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT)->port;
    }
    ~DigestServer()
    {
        if (m_daemon)
            MHD_stop_daemon(m_daemon);
    }

    uint16_t port() const { return m_port; }
    void answer(unsigned status, std::string body)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_status = status;
        m_body = std::move(body);
    }
    // The last authenticated request: its path, Content-Type, User-Agent and body.
    std::string path() const { return locked(m_lastPath); }
    std::string contentType() const { return locked(m_lastType); }
    std::string userAgent() const { return locked(m_lastAgent); }
    std::string body() const { return locked(m_lastBody); }
    int authenticated() const { return m_authenticated; }

private:
    struct Request {
        std::string body;
    };

    std::string locked(const std::string& text) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return text;
    }

    static MHD_Result handle(void* cls, MHD_Connection* connection, const char* url, const char*, const char*,
        const char* data, size_t* size, void** context)
    {
        auto* server = static_cast<DigestServer*>(cls);
        if (!*context) {
            *context = new Request;
            return MHD_YES;
        }
        auto* request = static_cast<Request*>(*context);
        if (*size) {
            request->body.append(data, *size);
            *size = 0;
            return MHD_YES;
        }
        const int check = MHD_digest_auth_check2(
            connection, "test", "admin", server->m_password.c_str(), 300, MHD_DIGEST_ALG_MD5);
        if (check != MHD_YES) {
            MHD_Response* denied = MHD_create_response_from_buffer(0, nullptr, MHD_RESPMEM_PERSISTENT);
            const MHD_Result queued = MHD_queue_auth_fail_response2(connection, "test", "o", denied,
                check == MHD_INVALID_NONCE ? MHD_YES : MHD_NO, MHD_DIGEST_ALG_MD5);
            MHD_destroy_response(denied);
            return queued;
        }
        std::lock_guard<std::mutex> lock(server->m_mutex);
        ++server->m_authenticated;
        server->m_lastPath = url;
        server->m_lastBody = request->body;
        const char* type = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Type");
        const char* agent = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "User-Agent");
        server->m_lastType = type ? type : "";
        server->m_lastAgent = agent ? agent : "";
        MHD_Response* response = MHD_create_response_from_buffer(
            server->m_body.size(), const_cast<char*>(server->m_body.data()), MHD_RESPMEM_MUST_COPY);
        const MHD_Result queued = MHD_queue_response(connection, server->m_status, response);
        MHD_destroy_response(response);
        return queued;
    }

    static void completed(void*, MHD_Connection*, void** context, MHD_RequestTerminationCode)
    {
        delete static_cast<Request*>(*context);
        *context = nullptr;
    }

    std::string m_password;
    std::array<unsigned char, 16> m_seed { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 };
    MHD_Daemon* m_daemon = nullptr;
    uint16_t m_port = 0;
    mutable std::mutex m_mutex;
    unsigned m_status = 200;
    std::string m_body;
    std::string m_lastPath;
    std::string m_lastType;
    std::string m_lastAgent;
    std::string m_lastBody;
    std::atomic<int> m_authenticated { 0 };
};

} // namespace wifitest
