#include "wifi_module_unit.h"

#include "address_text.h"
#include "connection.h"
#include "wire_codes.h"
#include "wired_unit.h"

#include <cstring>
#include <microhttpd.h>
#include <poll.h>
#include <random>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr char kRealm[] = "KOVRA Wi-Fi module";
constexpr char kUser[] = "admin";
constexpr char kPassword[] = "TOLLGATE";
constexpr unsigned kNonceTimeoutS = 300;
constexpr char kExportPath[] = "/export/config";
constexpr char kImportPath[] = "/import/config";
constexpr char kGroupListKey[] = "optionalGroupList";
constexpr char kRecordPart[] = "configrecord";
constexpr size_t kMaxBody = 1 << 20; // a request body beyond this is refused
constexpr size_t kPostBufferSize = 4096;
constexpr int kMaxPrefix = 32;
constexpr char kNone[] = "&lt;None&gt;";

constexpr char kInterfaceGroup[] = "Interface";
constexpr char kInterfaceInstance[] = "wlan0";
constexpr char kAcceptGroup[] = "Tunnel Accept";
constexpr char kControlGroup[] = "XML Import Control";

void putAddress(std::string& bytes, size_t offset, uint32_t address)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>(address >> (24 - 8 * i));
}

// "a.b.c.d/n".
bool parseAddressPrefix(const std::string& text, uint32_t& address, uint32_t& mask)
{
    const size_t slash = text.find('/');
    if (slash == std::string::npos || slash + 1 >= text.size() || text.size() - slash > 3
        || text.find_first_not_of("0123456789", slash + 1) != std::string::npos)
        return false;
    const int prefix = std::stoi(text.substr(slash + 1));
    if (prefix > kMaxPrefix || !AddressText::parse(text.substr(0, slash), address))
        return false;
    mask = AddressText::maskFromPrefix(prefix);
    return true;
}

bool parsePort(const std::string& text, uint16_t& port)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int value = std::stoi(text);
    if (value < 1 || value > 65535)
        return false;
    port = static_cast<uint16_t>(value);
    return true;
}

// The export's group list "Name:instance", several joined by ';'.
std::vector<std::string> groupNames(const std::string& list)
{
    std::vector<std::string> names;
    size_t at = 0;
    while (at <= list.size() && !list.empty()) {
        const size_t end = std::min(list.find(';', at), list.size());
        if (end > at)
            names.push_back(list.substr(at, end - at));
        at = end + 1;
    }
    return names;
}

// Brings the imported Interface and Tunnel Accept values into the module's own form;
// false with the reason when one cannot be taken.
bool checkImport(std::vector<ModuleConfigRecord::Group>& groups, std::string& reason)
{
    for (auto& group : groups) {
        for (auto& item : group.items) {
            for (auto& value : item.values) {
                std::string& text = value.text;
                uint32_t address = 0;
                uint32_t mask = 0;
                uint16_t port = 0;
                if (group.name == kInterfaceGroup && group.instance == kInterfaceInstance) {
                    if (item.name == "DHCP Client") {
                        // The import writes "Enable"/"Disable"; the module keeps and exports the
                        // "-d" forms.
                        if (text == "Enable" || text == "Disable")
                            text += "d";
                        if (text != "Enabled" && text != "Disabled")
                            reason = "DHCP Client \"" + text + "\"";
                    } else if (item.name == "IP Address" && text != kNone
                        && !parseAddressPrefix(text, address, mask)) {
                        reason = "IP Address \"" + text + "\"";
                    } else if (item.name == "Default Gateway" && text != kNone
                        && !AddressText::parse(text, address)) {
                        reason = "Default Gateway \"" + text + "\"";
                    }
                } else if (group.name == kAcceptGroup && group.instance == "1" && item.name == "Local Port"
                    && !parsePort(text, port)) {
                    reason = "Local Port \"" + text + "\"";
                }
                if (!reason.empty())
                    return false;
            }
        }
    }
    return true;
}

} // namespace

// An HTTP connection: the serving thread waits on `ended` until the library closes it.
struct WifiModuleUnit::Session {
    explicit Session(Connection& served)
        : connection(&served)
        , ended(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    {
    }
    ~Session()
    {
        if (ended >= 0)
            ::close(ended);
    }
    std::mutex mutex;
    Connection* connection; // null once the serving thread has left
    int ended;
};

struct WifiModuleUnit::Request {
    std::shared_ptr<Session> session;
    std::string path;
    std::string body; // the raw body, for the log
    std::string groupList;
    std::string record;
    bool hasRecord = false;
    bool tooLong = false;
    bool reboot = false;
    MHD_PostProcessor* post = nullptr;
};

WifiModuleUnit::WifiModuleUnit(const UnitConfig& config)
    : Unit(config)
    , m_serial(std::make_unique<WiredUnit>(config))
    , m_record(ModuleConfigRecord::factory(config))
{
    std::random_device random;
    for (auto& byte : m_nonceSeed)
        byte = static_cast<unsigned char>(random());
    // The library serves connections the simulator accepted and hands over; each gets a
    // thread, so an answer held back by a fault switch delays no other connection. poll(), not
    // select(): in a large fleet the simulator's sockets are numbered beyond select()'s 1024,
    // and the library would close such a connection unanswered.
    m_daemon = MHD_start_daemon(MHD_USE_POLL_INTERNAL_THREAD | MHD_USE_THREAD_PER_CONNECTION
            | MHD_USE_NO_LISTEN_SOCKET | MHD_USE_ITC,
        0, nullptr, nullptr, &WifiModuleUnit::accessHandler, this, MHD_OPTION_NOTIFY_COMPLETED,
        &WifiModuleUnit::requestCompleted, this, MHD_OPTION_NOTIFY_CONNECTION,
        &WifiModuleUnit::connectionNotice, this, MHD_OPTION_DIGEST_AUTH_RANDOM, m_nonceSeed.size(),
        m_nonceSeed.data(), MHD_OPTION_END);
    restart();
}

WifiModuleUnit::~WifiModuleUnit()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_daemon)
        MHD_stop_daemon(m_daemon);
}

void WifiModuleUnit::restart()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::string* dhcp = m_record.value(kInterfaceGroup, kInterfaceInstance, "DHCP Client");
    const std::string* address = m_record.value(kInterfaceGroup, kInterfaceInstance, "IP Address");
    const std::string* port = m_record.value(kAcceptGroup, "1", "Local Port");
    uint32_t running = config().address;
    uint32_t mask = config().mask;
    if (dhcp && *dhcp == "Enabled") {
        running = config().lease ? config().lease : config().address;
        mask = AddressText::classfulMask(running);
    } else if (address) {
        parseAddressPrefix(*address, running, mask);
    }
    setAddress(running);
    m_mask = mask;
    if (port)
        parsePort(*port, m_tunnelPort);
}

uint32_t WifiModuleUnit::netmask() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mask;
}

std::vector<uint16_t> WifiModuleUnit::tcpPorts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_tunnelPort == config().httpPort)
        return { config().httpPort };
    return { m_tunnelPort, config().httpPort };
}

std::string WifiModuleUnit::recordText() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_record.exportText({});
}

DatagramAnswer WifiModuleUnit::datagram(const std::string& request, bool)
{
    DatagramAnswer answer;
    answer.request = "unknown";
    const SearchAnswer wanted = config().searchAnswer;
    if (request == kSearchRequestB) {
        answer.request = "searchB";
        if (wanted == SearchAnswer::B || wanted == SearchAnswer::Both)
            answer.bytes = searchAnswer();
    } else if (request.size() == kHeaderLength && request[0] == 0 && request[1] == 0 && request[2] == 0
        && static_cast<uint8_t>(request[kCodeOffset]) == kSearchRequestCode) {
        answer.request = "searchA";
        if (wanted == SearchAnswer::A || wanted == SearchAnswer::Both)
            answer.bytes = searchAnswer();
    }
    return answer;
}

std::string WifiModuleUnit::searchAnswer() const
{
    const UnitConfig& unit = config();
    std::string bytes(kSearchAnswerLength, '\0');
    bytes[kCodeOffset] = static_cast<char>(kSearchAnswerCode);
    bytes[kSearchInfoOffset] = static_cast<char>(unit.info[0] << 4);
    bytes[kSearchInfoOffset + 1] = static_cast<char>(unit.info[1] << 4);
    bytes.replace(kSearchTypePairOffset, 2, *unit.typePair);
    putAddress(bytes, kSearchAddressOffset, address());
    uint16_t port = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        port = m_tunnelPort;
    }
    bytes[kSearchPortOffset] = static_cast<char>(port & 0xFF);
    bytes[kSearchPortOffset + 1] = static_cast<char>(port >> 8);
    for (size_t i = 0; i < unit.mac->size(); ++i)
        bytes[kSearchMacOffset + i] = static_cast<char>((*unit.mac)[i]);
    return bytes;
}

void WifiModuleUnit::serve(uint16_t port, Connection& connection)
{
    if (port == config().httpPort)
        serveHttp(connection);
    else
        m_serial->serve(port, connection);
}

void WifiModuleUnit::serveHttp(Connection& connection)
{
    if (!m_daemon)
        return;
    auto session = std::make_shared<Session>(connection);
    const int handed = ::dup(connection.socket());
    if (handed < 0 || session->ended < 0) {
        if (handed >= 0)
            ::close(handed);
        return;
    }
    sockaddr_storage peer {};
    socklen_t length = sizeof(peer);
    ::getpeername(handed, reinterpret_cast<sockaddr*>(&peer), &length);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pendingSessions[handed] = session;
    }
    if (MHD_add_connection(m_daemon, handed, reinterpret_cast<sockaddr*>(&peer), length) != MHD_YES) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pendingSessions.erase(handed);
        return; // the library closed the socket
    }
    // Until the library is done with the connection, the simulator stops, or the unit goes
    // down (its socket is shut down then).
    for (;;) {
        pollfd fds[3] = { { session->ended, POLLIN, 0 }, { connection.stopEvent(), POLLIN, 0 },
            { connection.socket(), 0, 0 } };
        if (::poll(fds, 3, -1) < 0 && errno != EINTR)
            break;
        if (fds[0].revents || fds[1].revents || (fds[2].revents & (POLLHUP | POLLERR | POLLNVAL)))
            break;
    }
    {
        std::lock_guard<std::mutex> lock(session->mutex);
        session->connection = nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pendingSessions.erase(handed);
    }
    m_changed.notify_all();
    // A connection the library still holds (a request held back by a fault switch) ends
    // when the simulator shuts the socket down.
}

void WifiModuleUnit::connectionNotice(
    void* cls, MHD_Connection* connection, void** socketContext, MHD_ConnectionNotificationCode code)
{
    auto* unit = static_cast<WifiModuleUnit*>(cls);
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        const MHD_ConnectionInfo* info
            = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
        std::lock_guard<std::mutex> lock(unit->m_mutex);
        const auto found
            = info ? unit->m_pendingSessions.find(info->connect_fd) : unit->m_pendingSessions.end();
        if (found != unit->m_pendingSessions.end())
            *socketContext = new std::shared_ptr<Session>(found->second);
        return;
    }
    auto* session = static_cast<std::shared_ptr<Session>*>(*socketContext);
    if (!session)
        return;
    const uint64_t one = 1;
    if (::write((*session)->ended, &one, sizeof(one)) < 0) {
        // The counter is full: the serving thread is awake anyway.
    }
    delete session;
    *socketContext = nullptr;
}

namespace {

MHD_Result collectField(void* cls, MHD_ValueKind, const char* key, const char*, const char*, const char*,
    const char* data, uint64_t, size_t size)
{
    auto* request = static_cast<WifiModuleUnit::Request*>(cls);
    if (std::strcmp(key, kGroupListKey) == 0)
        request->groupList.append(data, size);
    else if (std::strcmp(key, kRecordPart) == 0) {
        request->record.append(data, size);
        request->hasRecord = true;
    }
    return MHD_YES;
}

} // namespace

MHD_Result WifiModuleUnit::accessHandler(void* cls, MHD_Connection* connection, const char* url,
    const char* method, const char*, const char* uploadData, size_t* uploadDataSize, void** context)
{
    auto* unit = static_cast<WifiModuleUnit*>(cls);
    auto* request = static_cast<Request*>(*context);
    if (!request) {
        request = new Request;
        *context = request;
        request->path = url;
        const MHD_ConnectionInfo* info
            = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
        if (info && info->socket_context)
            request->session = *static_cast<std::shared_ptr<Session>*>(info->socket_context);
        if (std::strcmp(method, MHD_HTTP_METHOD_POST) == 0)
            request->post = MHD_create_post_processor(connection, kPostBufferSize, &collectField, request);
        return MHD_YES;
    }
    if (*uploadDataSize > 0) {
        if (request->body.size() + *uploadDataSize > kMaxBody)
            request->tooLong = true;
        else
            request->body.append(uploadData, *uploadDataSize);
        if (request->post && !request->tooLong)
            MHD_post_process(request->post, uploadData, *uploadDataSize);
        *uploadDataSize = 0;
        return MHD_YES;
    }
    return unit->respond(connection, *request);
}

MHD_Result WifiModuleUnit::respond(MHD_Connection* connection, Request& request)
{
    const std::string name = request.path == kExportPath ? "export"
        : request.path == kImportPath                    ? "import"
                                                         : "unknown";
    char* user = MHD_digest_auth_get_username(connection);
    const bool named = user && std::strcmp(user, kUser) == 0;
    if (user)
        MHD_free(user);
    const int check = named
        ? MHD_digest_auth_check2(connection, kRealm, kUser, kPassword, kNonceTimeoutS, MHD_DIGEST_ALG_MD5)
        : MHD_NO;
    if (check != MHD_YES) {
        static const char kDenied[] = "authentication required";
        MHD_Response* response = MHD_create_response_from_buffer(
            sizeof(kDenied) - 1, const_cast<char*>(kDenied), MHD_RESPMEM_PERSISTENT);
        const MHD_Result queued = MHD_queue_auth_fail_response2(connection, kRealm, "kovra", response,
            check == MHD_INVALID_NONCE ? MHD_YES : MHD_NO, MHD_DIGEST_ALG_MD5);
        MHD_destroy_response(response);
        return queued;
    }
    Answer answer { MHD_HTTP_NOT_FOUND, "no such page\r\n" };
    if (request.tooLong)
        answer = { MHD_HTTP_CONTENT_TOO_LARGE, "request too long\r\n" };
    else if (name == "export")
        answer = exportAnswer(request.groupList);
    else if (name == "import")
        answer = request.hasRecord ? importAnswer(request.record)
                                   : Answer { MHD_HTTP_BAD_REQUEST, "no configrecord\r\n" };

    Delivery delivery = deliver(Channel::Tcp, name, answer.body);
    {
        std::shared_ptr<Session> session = request.session;
        if (session) {
            std::lock_guard<std::mutex> lock(session->mutex);
            if (session->connection)
                session->connection->log(name, "POST " + request.path + "\r\n\r\n" + request.body,
                    delivery.send ? delivery.bytes : std::string());
        }
    }
    // A fault switch holds the answer back (until the unit stops or its connection ends) or
    // closes the connection without one.
    auto held = [&]() {
        std::shared_ptr<Session> session = request.session;
        std::lock_guard<std::mutex> lock(session->mutex);
        return m_stopping || !session->connection;
    };
    if (delivery.after == Delivery::After::Close && !delivery.send)
        return MHD_NO; // hung up (or restarting) without a byte
    if (!delivery.send || delivery.delayMs > 0) {
        std::unique_lock<std::mutex> lock(m_mutex);
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(delivery.delayMs);
        while (!m_stopping && (!request.session || !held())) {
            if (delivery.send && std::chrono::steady_clock::now() >= until)
                break;
            m_changed.wait_for(lock, std::chrono::milliseconds(50));
        }
        if (m_stopping || !delivery.send)
            return MHD_NO;
    }
    if (delivery.after == Delivery::After::Close)
        return MHD_NO;
    request.reboot = answer.reboot && answer.status == MHD_HTTP_OK;
    MHD_Response* response = delivery.byteGapMs > 0
        ? trickleResponse(delivery.bytes, delivery.byteGapMs)
        : MHD_create_response_from_buffer(
            delivery.bytes.size(), const_cast<char*>(delivery.bytes.data()), MHD_RESPMEM_MUST_COPY);
    MHD_add_response_header(
        response, MHD_HTTP_HEADER_CONTENT_TYPE, name == "export" ? "text/xml" : "text/plain");
    const MHD_Result queued = MHD_queue_response(connection, answer.status, response);
    MHD_destroy_response(response);
    return queued;
}

bool WifiModuleUnit::pause(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopping; });
}

MHD_Response* WifiModuleUnit::trickleResponse(const std::string& bytes, int gapMs)
{
    struct Trickle {
        WifiModuleUnit* unit;
        std::string bytes;
        int gapMs;
    };
    auto read = [](void* cls, uint64_t at, char* buffer, size_t) -> ssize_t {
        auto* trickle = static_cast<Trickle*>(cls);
        if (at >= trickle->bytes.size())
            return MHD_CONTENT_READER_END_OF_STREAM;
        if (at > 0 && !trickle->unit->pause(trickle->gapMs))
            return MHD_CONTENT_READER_END_WITH_ERROR;
        buffer[0] = trickle->bytes[at];
        return 1;
    };
    auto release = [](void* cls) { delete static_cast<Trickle*>(cls); };
    return MHD_create_response_from_callback(
        bytes.size(), 1, read, new Trickle { this, bytes, gapMs }, release);
}

void WifiModuleUnit::requestCompleted(
    void* cls, MHD_Connection*, void** context, MHD_RequestTerminationCode code)
{
    auto* unit = static_cast<WifiModuleUnit*>(cls);
    auto* request = static_cast<Request*>(*context);
    if (!request)
        return;
    // The module reboots once its answer to the import is out.
    const bool reboot = request->reboot && code == MHD_REQUEST_TERMINATED_COMPLETED_OK;
    if (request->post)
        MHD_destroy_post_processor(request->post);
    delete request;
    *context = nullptr;
    if (reboot)
        unit->requestRestart();
}

WifiModuleUnit::Answer WifiModuleUnit::exportAnswer(const std::string& groupList) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return { MHD_HTTP_OK, m_record.exportText(groupNames(groupList)) };
}

WifiModuleUnit::Answer WifiModuleUnit::importAnswer(const std::string& record)
{
    std::vector<ModuleConfigRecord::Group> groups;
    if (!ModuleConfigRecord::parse(record, groups))
        return { MHD_HTTP_BAD_REQUEST, "not a configuration record\r\n" };
    std::string reason;
    if (!checkImport(groups, reason))
        return { MHD_HTTP_BAD_REQUEST, "bad value: " + reason + "\r\n" };
    const std::string* reboot = ModuleConfigRecord::valueIn(groups, kControlGroup, {}, "Reboot");
    std::vector<ModuleConfigRecord::Group> kept;
    for (auto& group : groups) {
        if (group.name != kControlGroup)
            kept.push_back(group);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_record.apply(kept);
    Answer answer { MHD_HTTP_OK, "import done\r\n" };
    answer.reboot = reboot && *reboot == "Enabled";
    return answer;
}

} // namespace sim
