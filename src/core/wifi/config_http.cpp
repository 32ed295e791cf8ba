#include "core/wifi/config_http.h"

#include "core/platform/bind_address.h"
#include "core/platform/cancel_scope.h"
#include "core/wifi/wifi_results.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <sys/socket.h>
#include <unistd.h>

namespace kovra {

namespace {

constexpr const char* kCredential = "admin:TOLLGATE";
constexpr const char* kRecordPart = "configrecord";
constexpr const char* kImportUserAgent = "curl/7.55.1";
constexpr long kImportBufferSize = 102400;
constexpr long kImportMaxRedirects = 50;
constexpr long kHttpOk = 200;

struct EasyCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MimeFree {
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
};
using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;

// libcurl's global state is set up once, before the first handle of any thread.
EasyHandle newHandle()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    return EasyHandle(curl_easy_init());
}

// The answer collected by the write callback, with room for at most kMaxModuleAnswer bytes.
struct Answer {
    std::string* text;
    bool overflow = false;
};

size_t collect(char* data, size_t size, size_t count, void* user)
{
    auto* answer = static_cast<Answer*>(user);
    const size_t length = size * count;
    if (answer->text->size() + length > kMaxModuleAnswer) {
        answer->overflow = true;
        return 0; // libcurl ends the transfer with a write error
    }
    answer->text->append(data, length);
    return length;
}

// The write callback of an answer nobody reads.
size_t dropBody(char*, size_t size, size_t count, void*)
{
    return size * count;
}

// libcurl's sockets join the cancel scope of the thread that runs the request, so that a
// closing window ends a transfer at once instead of after its time-out.
curl_socket_t openScopedSocket(void* scope, curlsocktype, curl_sockaddr* address)
{
    const int fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (fd >= 0 && scope)
        static_cast<CancelScope*>(scope)->add(fd);
    return fd >= 0 ? fd : CURL_SOCKET_BAD;
}

int closeScopedSocket(void* scope, curl_socket_t fd)
{
    if (scope)
        static_cast<CancelScope*>(scope)->remove(fd);
    return ::close(fd);
}

// What every module request shares besides its own options: the adapter, the time-outs,
// no signals (requests run on worker threads too) and the cancel scope.
void setCommonOptions(CURL* handle, long totalTimeoutMs)
{
    CancelScope* scope = currentCancelScope();
    curl_easy_setopt(handle, CURLOPT_OPENSOCKETFUNCTION, openScopedSocket);
    curl_easy_setopt(handle, CURLOPT_OPENSOCKETDATA, scope);
    curl_easy_setopt(handle, CURLOPT_CLOSESOCKETFUNCTION, closeScopedSocket);
    curl_easy_setopt(handle, CURLOPT_CLOSESOCKETDATA, scope);
    const Ipv4 local = bindAddress();
    if (local != 0) {
        // "host!" names a local address, never an interface name.
        const std::string interfaceText = "host!" + ipv4ToText(local);
        curl_easy_setopt(handle, CURLOPT_INTERFACE, interfaceText.c_str());
    }
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, kModuleConnectTimeoutMs);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, totalTimeoutMs);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
}

// perform, then the status: libcurl reports success for any HTTP answer, a refused
// credential (401) or a module error (500) included.
int performChecked(CURL* handle)
{
    if (curl_easy_perform(handle) != CURLE_OK)
        return kWifiTransferFailed;
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return status == kHttpOk ? 0 : kWifiRefused;
}

} // namespace

std::string moduleUrl(const std::string& ipText, const char* action, uint16_t httpPort)
{
    const std::string host = httpPort == kModuleHttpPort ? ipText : ipText + ":" + std::to_string(httpPort);
    return "http://" + host + "/" + action + "/config";
}

int exportConfig(const std::string& ipText, const std::string& groupList, std::string& out, uint16_t httpPort)
{
    out.clear();
    EasyHandle handle = newHandle();
    if (!handle)
        return kWifiTransferFailed;
    CURL* h = handle.get();
    const std::string url = moduleUrl(ipText, "export", httpPort);
    Answer answer { &out };
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_HTTPAUTH, CURLAUTH_DIGEST);
    curl_easy_setopt(h, CURLOPT_USERPWD, kCredential);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &answer);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, collect);
    // Without a group list the body is set empty all the same: a POST without body data
    // would make libcurl read the body from standard input.
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, groupList.c_str());
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(groupList.size()));
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 1L);
    setCommonOptions(h, kExportTimeoutMs);
    const int result = performChecked(h);
    if (answer.overflow)
        return kWifiTooLong;
    return result;
}

int exportWholeRecord(const std::string& ipText, std::string& out, uint16_t httpPort)
{
    return exportConfig(ipText, std::string(), out, httpPort);
}

int postRecord(const std::string& ipText, const std::string& record, uint16_t httpPort)
{
    EasyHandle handle = newHandle();
    if (!handle)
        return kWifiTransferFailed;
    CURL* h = handle.get();
    // The mime form is libcurl's form post (the older HTTPPOST form list is deprecated and
    // sends the same multipart body); the record is copied into the form.
    std::unique_ptr<curl_mime, MimeFree> form(curl_mime_init(h));
    curl_mimepart* part = curl_mime_addpart(form.get());
    curl_mime_name(part, kRecordPart);
    curl_mime_data(part, record.data(), record.size());
    // The answer body is read to its end (the module reboots once its answer is out) and
    // dropped, however long: the status decides, not what follows it.
    const std::string url = moduleUrl(ipText, "import", httpPort);
    curl_easy_setopt(h, CURLOPT_BUFFERSIZE, kImportBufferSize);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 1L);
    curl_easy_setopt(h, CURLOPT_USERPWD, kCredential);
    curl_easy_setopt(h, CURLOPT_MIMEPOST, form.get());
    curl_easy_setopt(h, CURLOPT_USERAGENT, kImportUserAgent);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, kImportMaxRedirects);
    curl_easy_setopt(h, CURLOPT_HTTPAUTH, CURLAUTH_DIGEST);
    curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, "POST");
    curl_easy_setopt(h, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, dropBody);
    setCommonOptions(h, kImportTimeoutMs);
    const int result = performChecked(h);
    handle.reset(); // the handle goes before the form it uses
    return result;
}

} // namespace kovra
