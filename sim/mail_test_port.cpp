#include "mail_test_port.h"

#include "connection.h"

#include <map>
#include <string>

namespace sim {

namespace {

constexpr char kEnd[] = "END";
constexpr char kNoReset[] = "NORESET";
constexpr char kMailTest[] = "MAILTEST";
constexpr size_t kMaxLine = 1024;
constexpr size_t kMaxMessage = 4096; // far above one account's message
constexpr int kSingleAccount = 0;

} // namespace

void serveMailTestPort(Connection& connection, const std::function<void()>& restart)
{
    std::string raw;
    std::string line;
    std::map<std::string, std::string> pairs;
    std::string pendingKey;
    bool keyPending = false;
    bool noReset = false;
    bool mailTest = false;
    uint8_t byte = 0;
    while (connection.readByte(byte)) {
        raw += static_cast<char>(byte);
        if (raw.size() > kMaxMessage) {
            connection.reply("incomplete", raw, {}, { { "refused", "message too long" } });
            return;
        }
        if (byte != '\n') {
            if (byte != 0 && line.size() < kMaxLine)
                line += static_cast<char>(byte);
            continue;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string current = line;
        line.clear();
        if (keyPending) {
            pairs[pendingKey] = current;
            keyPending = false;
        } else if (current == kNoReset) {
            noReset = true;
        } else if (current == kMailTest) {
            mailTest = true;
        } else if (current == kEnd) {
            if (!connection.reply("settings", raw, {}))
                return;
            if (mailTest) {
                // What the test mail goes out with: the account of the message itself.
                connection.reply("mailTest", kMailTest, {},
                    { { "entry", kSingleAccount }, { "host", pairs["MHOST"] }, { "sender", pairs["MFROM"] },
                        { "to", { pairs["MTO1"], pairs["MTO2"] } } });
            }
            if (!noReset)
                restart();
            return;
        } else {
            pendingKey = current;
            keyPending = true;
        }
    }
    if (!raw.empty())
        connection.reply("incomplete", raw, {});
}

} // namespace sim
