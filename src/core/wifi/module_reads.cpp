#include "core/wifi/module_reads.h"

namespace kovra {

int readTunnelAcceptPort(const std::string& ipText, uint16_t& port, uint16_t httpPort)
{
    std::string record;
    const int result = exportConfig(ipText, kGroupTunnelAccept, record, httpPort);
    return result != 0 ? result : parseTunnelAcceptPort(record, port);
}

int readInterfaceWlan0(
    const std::string& ipText, Ipv4 discoveredAddress, ModuleInterface& out, uint16_t httpPort)
{
    std::string record;
    const int result = exportConfig(ipText, kGroupInterfaceWlan0, record, httpPort);
    return result != 0 ? result : parseInterface(record, discoveredAddress, out);
}

int readTunnelConnect(const std::string& ipText, TunnelConnect& out, uint16_t httpPort)
{
    std::string record;
    const int result = exportConfig(ipText, kGroupTunnelConnect, record, httpPort);
    return result != 0 ? result : parseTunnelConnect(record, out);
}

bool readWifiModulePort(UnitSlot& slot)
{
    uint16_t port = 0;
    if (readTunnelAcceptPort(slot.record.ipText, port) != 0)
        return false;
    slot.record.setUnitPort(port);
    return true;
}

bool readWifiModuleNetwork(UnitSlot& slot)
{
    UnitRecord& unit = slot.record;
    ModuleInterface network { unit.dhcp, unit.peerAddress, unit.subnetMask, unit.gateway };
    if (readInterfaceWlan0(unit.ipText, unit.peerAddress, network) != 0)
        return false;
    unit.dhcp = network.dhcp;
    unit.peerAddress = network.address;
    unit.subnetMask = network.mask;
    unit.gateway = network.gateway;
    return true;
}

} // namespace kovra
