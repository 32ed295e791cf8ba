#include "core/wifi/module_import.h"

#include "core/platform/cancel_scope.h"
#include "core/wifi/import_status.h"
#include "core/wifi/wifi_results.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace kovra {

namespace {

// The one import thread of the process; joined before the next import and at exit.
class ImportThread {
public:
    ~ImportThread() { wait(); }

    bool start(const std::string& ipText, const std::string& record, uint16_t httpPort)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_running)
            return false;
        if (m_thread.joinable())
            m_thread.join();
        m_running = true;
        importStatus = kImportRunning;
        // The thread owns copies of both texts: the caller's may go at once. It runs in the
        // caller's cancel scope: a closing window ends the transfer.
        m_thread = std::thread([this, ipText, record, httpPort, scope = currentCancelScope()] {
            EnterCancelScope enter(scope);
            const int result = postRecord(ipText, record, httpPort);
            importStatus = result == 0 ? kImportDone : kImportFailed;
            m_running = false;
        });
        return true;
    }

    bool running() const { return m_running; }

    void wait()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::thread m_thread;
    std::atomic<bool> m_running { false };
};

ImportThread& importThread()
{
    static ImportThread thread;
    return thread;
}

int importGroups(const std::string& ipText, const std::string& groups, uint16_t httpPort)
{
    std::string record;
    const int result = assembleRecord(groups, record);
    if (result != 0)
        return result;
    return importRecord(ipText, record, httpPort);
}

} // namespace

int importRecord(const std::string& ipText, const std::string& record, uint16_t httpPort)
{
    return importThread().start(ipText, record, httpPort) ? 0 : kWifiImportBusy;
}

int importInterfaceSettings(
    const std::string& ipText, bool dhcp, Ipv4 address, Ipv4 mask, Ipv4 gateway, uint16_t httpPort)
{
    std::string group;
    const int result = interfaceGroup(dhcp, address, mask, gateway, group);
    if (result != 0)
        return result;
    return importGroups(ipText, group, httpPort);
}

int importTunnelSettings(const std::string& ipText, const ModuleTunnel& tunnel, uint16_t httpPort)
{
    return importGroups(ipText, tunnelGroups(tunnel), httpPort);
}

bool importRunning()
{
    return importThread().running();
}

void waitForImport()
{
    importThread().wait();
}

} // namespace kovra
