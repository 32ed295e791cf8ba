#include "core/settings/write_plan.h"

#include "core/net/command_messages.h"
#include "core/net/direct_command.h"
#include "core/platform/cancel_scope.h"
#include "core/platform/socket_error.h"
#include "core/settings/settings_transport.h"
#include "core/wifi/import_status.h"
#include "core/wifi/module_import.h"
#include "core/wifi/wifi_results.h"

namespace kovra {

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr int kByteDigits = 2;
constexpr char kIndent[] = "  ";

class StepRunner {
public:
    explicit StepRunner(const UnitRecord& unit)
        : m_unit(unit)
    {
    }

    int operator()(const MessageStep& step) const { return SendSettingsMessage(m_unit, step.text); }

    int operator()(const DirectStep& step) const
    {
        if (step.requests.empty())
            return 0;
        DirectCommand command;
        int result = command.open(m_unit);
        std::string answer;
        for (auto request = step.requests.begin(); result == 0 && request != step.requests.end(); ++request) {
            result = command.exchange(request->bytes, request->answerLength, answer, request->skipCheck);
            // The unit takes a moment to act on a request before it reads the next one.
            if (result == 0 && request->pauseAfterMs > 0 && !pauseFor(request->pauseAfterMs))
                result = kSocketInterrupted;
        }
        command.close();
        return result;
    }

    int operator()(const AccessorStep& step) const
    {
        const int result = writeSetting(m_unit, step.accessor, step.value);
        if (result == 0 && step.pauseAfterMs > 0 && !pauseFor(step.pauseAfterMs))
            return kSocketInterrupted;
        return result;
    }

    int operator()(const MemoryStep& step) const
    {
        return memoryWrite(m_unit, step.registerCode, step.bytes.data(), int(step.bytes.size()));
    }

    int operator()(const RecordsStep& step) const
    {
        return writeSetupRecords(m_unit.peerAddress, step.records);
    }

    int operator()(const TunnelStep& step) const
    {
        const int result = importTunnelSettings(m_unit.ipText, step.tunnel);
        if (result != 0)
            return result;
        // Plans run on a flow's worker: it waits for the import's end here.
        waitForImport();
        return importStatus.load() == kImportDone ? 0 : kWifiTransferFailed;
    }

private:
    const UnitRecord& m_unit;
};

std::string byteText(unsigned char c)
{
    return "<" + hexField(c, kByteDigits) + ">";
}

// A request's bytes: printable ASCII as it stands, every other byte as "<C8>".
std::string requestText(const std::string& bytes)
{
    std::string text;
    for (unsigned char c : bytes)
        text += c >= kFirstPrintable && c < kDelete ? std::string(1, char(c)) : byteText(c);
    return text;
}

// A message one line per line, its terminators written out ("\r\n" or "\n") so that mixed
// line ends show; cp932 text as it stands, other control bytes as "<09>".
std::string messageText(const std::string& message)
{
    std::string text;
    bool lineOpen = false;
    for (unsigned char c : message) {
        if (!lineOpen)
            text += kIndent;
        lineOpen = true;
        if (c == kCarriageReturn) {
            text += "\\r";
        } else if (c == kLineFeed) {
            text += "\\n\n";
            lineOpen = false;
        } else if (c < kFirstPrintable || c == kDelete) {
            text += byteText(c);
        } else {
            text += char(c);
        }
    }
    if (lineOpen)
        text += kLineFeed;
    return text;
}

// Key lines whose value is a password end with this.
constexpr char kPasswordKeyEnd[] = "PASS";

// The message with every password value line replaced by "*", its terminator kept.
std::string maskedSecrets(const std::string& message)
{
    std::string masked;
    bool secretNext = false;
    size_t start = 0;
    while (start < message.size()) {
        const size_t end = message.find(kLineFeed, start);
        const size_t next = end == std::string::npos ? message.size() : end + 1;
        std::string line = message.substr(start, next - start);
        std::string content = line.substr(0, line.find_first_of("\r\n"));
        if (secretNext) {
            line = "*" + line.substr(content.size());
            secretNext = false;
        } else {
            const size_t keyEnd = sizeof(kPasswordKeyEnd) - 1;
            secretNext = content.size() >= keyEnd
                && content.compare(content.size() - keyEnd, keyEnd, kPasswordKeyEnd) == 0;
        }
        masked += line;
        start = next;
    }
    return masked;
}

std::string bytesText(const std::vector<uint8_t>& bytes)
{
    std::string text;
    for (uint8_t byte : bytes)
        text += (text.empty() ? "" : " ") + hexField(byte, kByteDigits);
    return text;
}

struct StepDescriber {
    bool maskSecrets = false;

    std::string operator()(const MessageStep& step) const
    {
        return "settings message to port " + std::to_string(kSettingsPort) + ", "
            + std::to_string(step.text.size()) + " bytes:\n"
            + messageText(maskSecrets ? maskedSecrets(step.text) : step.text);
    }

    std::string operator()(const DirectStep& step) const
    {
        std::string text = "direct commands on the command port:\n";
        for (const DirectRequest& request : step.requests) {
            text += kIndent + requestText(request.bytes);
            if (request.answerLength > 0) {
                text += " -> " + std::to_string(request.answerLength) + " bytes";
                if (request.skipCheck)
                    text += ", no echo check";
            }
            if (request.pauseAfterMs > 0)
                text += ", pause " + std::to_string(request.pauseAfterMs) + " ms";
            text += kLineFeed;
        }
        return text;
    }

    std::string operator()(const AccessorStep& step) const
    {
        std::string text
            = std::string("accessor ") + char('A' + int(step.accessor)) + " = " + std::to_string(step.value);
        if (step.pauseAfterMs > 0)
            text += ", pause " + std::to_string(step.pauseAfterMs) + " ms";
        return text + kLineFeed;
    }

    std::string operator()(const MemoryStep& step) const
    {
        return "memory write from register " + hexField(uint32_t(step.registerCode), kByteDigits)
            + "h: " + bytesText(step.bytes) + kLineFeed;
    }

    std::string operator()(const RecordsStep& step) const
    {
        std::string text;
        for (const SetupRecord& record : step.records) {
            text += (text.empty() ? " " : ", ") + std::to_string(record.number) + " ("
                + std::to_string(record.bytes.size()) + " bytes)";
        }
        return "stored records to the discovery port:" + text + kLineFeed;
    }

    std::string operator()(const TunnelStep& step) const
    {
        const ModuleTunnel& tunnel = step.tunnel;
        return "tunnel record to the web configuration: accept port " + std::to_string(tunnel.acceptPort)
            + ", connect mode " + std::to_string(tunnel.tunnelMode) + ", host "
            + ipv4ToText(tunnel.remoteHost) + ":" + std::to_string(tunnel.remotePort) + kLineFeed;
    }
};

} // namespace

int runWritePlan(const WritePlan& plan, const UnitRecord& unit, size_t* failedStep)
{
    const StepRunner runner(unit);
    for (size_t index = 0; index < plan.size(); ++index) {
        const int result = std::visit(runner, plan[index]);
        if (result != 0) {
            if (failedStep)
                *failedStep = index;
            return result;
        }
    }
    return 0;
}

std::string describeWritePlan(const WritePlan& plan, bool maskSecrets)
{
    std::string text;
    int number = 0;
    for (const WriteStep& step : plan)
        text += std::to_string(++number) + ". " + std::visit(StepDescriber { maskSecrets }, step);
    return text;
}

} // namespace kovra
