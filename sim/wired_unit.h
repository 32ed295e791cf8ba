#pragma once

#include "analog_commands.h"
#include "memory_console.h"
#include "unit.h"
#include "wire_codes.h"

#include <array>
#include <atomic>
#include <mutex>
#include <string>

namespace sim {

// A unit of the binary family (kinds 0, 1 and 4): discovery, stored configuration records and
// firmware text on the discovery port; on its TCP port the model query, the short binary commands,
// the registers behind "MR"/"MW", the framed commands "AL", "AK", "DM", "DN", "NS", "NJ" and "RSET",
// and the analog side's commands of its model; on the settings port 9998 the classic mail
// dialog's test message (mail_test_port.h).
class WiredUnit : public Unit {
public:
    explicit WiredUnit(const UnitConfig& config);

    // Checks and defaults every binary-family unit shares (model answer form, search answer);
    // empty when the unit is fine, else a message.
    static std::string completeWired(UnitConfig& config);
    // The part of it that every unit with a command port shares (model answer form, search
    // answer, firmware text), for the kinds whose type pairs are their own.
    static std::string completeCommandPort(UnitConfig& config);

    DatagramAnswer datagram(const std::string& request, bool broadcast) override;
    std::vector<uint16_t> tcpPorts() const override;
    void serve(uint16_t port, Connection& connection) override;
    void restart() override;

    // What the unit keeps, for tests and the log.
    std::string record(int n) const;
    uint8_t registerValue(int code) const;
    uint32_t netmask() const override { return m_mask.load(); }

protected:
    // Stores the network settings into record 0, taken into use at the next restart.
    void storeNetwork(bool dhcp, uint32_t address, uint32_t mask, uint32_t gateway, uint16_t port);

private:
    // The answer of one command-port request; name receives the request's name.
    std::string command(const std::string& request, std::string& name);
    std::string searchAnswer() const;
    std::string firmwareAnswer() const;
    std::string recordAnswer(int n) const;
    DatagramAnswer writeRecord(const std::string& request, bool broadcast);
    DatagramAnswer addressSet(const std::string& request);
    std::string modelAnswerOld() const;
    std::string modelAnswerExtended() const;
    std::string shortCommand(const std::string& request);
    std::string memoryRead(const std::string& request) const;
    std::string memoryWrite(const std::string& request);
    std::string alertCommand(const std::string& request);
    std::string diAlertCommand(const std::string& request);
    std::string noticeCommand(const std::string& request);
    std::string resetCommand(const std::string& request);
    // The memory blocks of the line console: block 0 and 1..7 are the bodies of the stored
    // records, block 8 is kept beside them.
    bool hasConsole() const;
    std::string memoryBlock(int n) const;
    void storeMemoryBlock(int n, const std::string& bytes);

    struct Alert {
        uint8_t code = kChannelOffset;
        std::string values = "00000000";
    };

    mutable std::mutex m_mutex;
    std::array<std::string, kRecordCount> m_records;
    AnalogCommands::Registers m_registers {};
    std::array<uint8_t, kShortValueCount> m_shortValues {};
    std::array<Alert, kAlertChannelCount> m_alerts;
    // The DI alert masks of "DM"/"DN": which DIs mail, and which of them on ON.
    uint8_t m_diAlertEnabled = 0;
    uint8_t m_diAlertOn = 0;
    std::array<uint8_t, kNoticeCount> m_notices {};
    AnalogCommands m_analog;
    std::string m_block8;
    MemoryConsole m_console;
    std::atomic<uint16_t> m_port { 0 };
    std::atomic<uint32_t> m_mask { 0 };
};

} // namespace sim
