// The units' side of the setting commands, from the PC's side over loopback: settings messages on
// port 9998 that the next dump shows, and the other-settings dialogs' direct commands on the
// command port.
#include "sim_test_client.h"
#include "support/free_port.h"

#include <nlohmann/json.hpp>

using simtest::bytes;
using simtest::Exchange;
using simtest::LoopbackFleet;
using simtest::TcpClient;

namespace {

constexpr uint16_t kSettingsPort = 9998;
constexpr uint16_t kPort = 10001;
constexpr int kQuietMs = 200;
constexpr int kAnswerMs = 2000;
constexpr size_t kReadRequestLength = 64; // the PC pads its read requests with zero bytes
// The PC's credential shifts and pads, written here from the PC's side.
constexpr int kUserShift = 23;
constexpr int kPassShift = 58;
constexpr size_t kPad = 5;
const std::string kEnd = bytes("C8");

using Pairs = std::vector<std::pair<std::string, std::string>>;

std::string shifted(const std::string& text, int shift)
{
    std::string out;
    for (unsigned char c : text)
        out += static_cast<char>(((c - 33 + shift) % 94 + 94) % 94 + 33);
    return out;
}

std::string scrambled(const std::string& clear, int shift)
{
    return "a#Z9~" + shifted(clear, shift) + "q!0Mz";
}

std::string unscrambled(const std::string& value, int shift)
{
    return value.size() < 2 * kPad ? std::string()
                                   : shifted(value.substr(kPad, value.size() - 2 * kPad), -shift);
}

std::string message(const Pairs& pairs, bool noReset)
{
    std::string text = noReset ? "NORESET\r\n" : "";
    for (const auto& [key, value] : pairs)
        text += key + "\r\n" + value + "\r\n";
    return text + "END\r\n";
}

// Sends a settings message and waits until the unit has taken it: it closes the connection.
void send(const std::string& address, const std::string& text)
{
    TcpClient pc;
    ASSERT_EQ(pc.connect(address, kSettingsPort), 0);
    pc.send(text);
    bool closed = false;
    EXPECT_EQ(pc.receive(1, kAnswerMs, &closed), "");
    EXPECT_TRUE(closed);
}

// The unit's parameters as its dump lists them.
Pairs dump(const std::string& address, bool getParam)
{
    TcpClient pc;
    EXPECT_EQ(pc.connect(address, kSettingsPort), 0);
    std::string request = getParam ? "GETPARAM\nEND\n" : "DUMP\nEND\n";
    request.resize(kReadRequestLength, '\0');
    pc.send(request);
    const std::string text = pc.receiveUntil("END\r\n\r\n", kAnswerMs);
    Pairs pairs;
    size_t at = 0;
    for (;;) {
        const size_t keyEnd = text.find("\r\n", at);
        const size_t valueEnd = keyEnd == std::string::npos ? keyEnd : text.find("\r\n", keyEnd + 2);
        if (valueEnd == std::string::npos) {
            ADD_FAILURE() << "dump without END: " << text;
            return pairs;
        }
        const std::string key = text.substr(at, keyEnd - at);
        if (key == "END")
            return pairs;
        pairs.emplace_back(key, text.substr(keyEnd + 2, valueEnd - keyEnd - 2));
        at = valueEnd + 2;
    }
}

std::optional<std::string> valueOf(const Pairs& pairs, const std::string& key)
{
    for (const auto& [name, value] : pairs)
        if (name == key)
            return value;
    return std::nullopt;
}

// The first request log line of that request name, parsed.
nlohmann::json logLine(const LoopbackFleet& fleet, const std::string& request)
{
    std::istringstream lines(fleet.log());
    std::string line;
    while (std::getline(lines, line)) {
        const nlohmann::json entry = nlohmann::json::parse(line);
        if (entry.value("request", "") == request)
            return entry;
    }
    ADD_FAILURE() << "no " << request << " in the log";
    return nlohmann::json::object();
}

// ---- a settings message, then the dump ----

struct Shown {
    std::string key;
    std::optional<std::string> value; // nullopt: not in the dump
};

struct MessageCase {
    const char* label;
    const char* unit; // at $10
    bool getParam; // the firmware that scrambles credentials is read with GETPARAM
    Pairs sent;
    std::vector<Shown> shown;
};

class SimSettingsMessage : public ::testing::TestWithParam<MessageCase> { };

TEST_P(SimSettingsMessage, NextDumpShowsWhatItSet)
{
    const MessageCase& param = GetParam();
    LoopbackFleet fleet(param.unit);
    send(fleet.address(10), message(param.sent, true));
    const Pairs after = dump(fleet.address(10), param.getParam);
    for (const Shown& shown : param.shown)
        EXPECT_EQ(valueOf(after, shown.key), shown.value) << shown.key;
    EXPECT_EQ(logLine(fleet, "settings").count("ignored"), 0u);
}

const char kWifi127[] = R"({ "kind": 3, "address": "$10", "model": 1, "text": { "sketchVersion": 127 } })";
const char kKovra4[] = R"({ "kind": 5, "address": "$10", "model": 25 })";
const char kKovra4Old[] = R"({ "kind": 5, "address": "$10", "model": 26, "text": { "sketchVersion": 102 } })";
const char kQx[] = R"({ "kind": 6, "address": "$10", "model": 6 })";
const char kThird[] = R"({ "kind": 7, "address": "$10", "model": 0, "switch": 2 })";

// Every pair of a message shown as sent.
std::vector<Shown> asSent(const Pairs& pairs)
{
    std::vector<Shown> shown;
    for (const auto& [key, value] : pairs)
        shown.push_back({ key, value });
    return shown;
}

const Pairs kKeepAliveWifi = { { "K_IDL", "40" }, { "K_INT", "20" }, { "K_CNT", "6" }, { "AP", "1" },
    { "SSID", "line-b" }, { "PASS", "pass phrase 2" }, { "AP_CH", "3" }, { "IP", "203.0.113.90" },
    { "SUBM", "255.255.0.0" }, { "GWAY", "203.0.113.254" } };
const Pairs kConnection
    = { { "PORT", "10040" }, { "HIP", "203.0.113.9" }, { "HPORT", "10041" }, { "E_RST", "1" } };
const Pairs kSingleMail = { { "MHOST", "smtp.example.net" }, { "MPORT", "25" }, { "MUSER", "ops" },
    { "MPASS", "s3cret" }, { "MFROM", "wifi@example.net" }, { "MTO1", "a@example.net" }, { "MTO2", "" },
    { "MSUBJ", "alert" } };
const Pairs kSockKeepAlive = { { "SOCK", "1" }, { "K_IDL", "10" }, { "K_INT", "5" }, { "K_CNT", "9" } };
const Pairs kDoModes
    = { { "DO1_MD", "2" }, { "DO1_OT", "15" }, { "DO2_MD", "1" }, { "DO2_OT", "0" }, { "KEEP_A", "255" } };
const Pairs kConnections
    = { { "PORT1", "10010" }, { "HIP1", "203.0.113.5" }, { "HPORT1", "10011" }, { "PORT2", "10012" },
          { "HIP2", "203.0.113.6" }, { "HPORT2", "10013" }, { "PORT3", "0" }, { "HIP3", "0.0.0.0" },
          { "HPORT3", "0" }, { "PORT4", "10014" }, { "HIP4", "203.0.113.7" }, { "HPORT4", "502" },
          { "SOCK", "3" }, { "NOTICE", "30000" }, { "DISCON", "-1" }, { "RQ_RST", "1" }, { "DETECT", "12" },
          { "DI1_EX", "-1" }, { "DI2_EX", "0" }, { "DI3_EX", "7" }, { "DO1_EX", "1" }, { "DO2_EX", "-1" } };
const Pairs kClearEntries = { { "M1MODE", "1" }, { "M1HOST", "mx1.example.jp" }, { "M1PORT", "465" },
    { "M1USER", "first" }, { "M1PASS", "pw-1" }, { "M1FROM", "n1@example.jp" }, { "M1TO1", "t1@example.jp" },
    { "M1TO2", "u1@example.jp" }, { "M1SUBJ", "DI1 on" }, { "M2MODE", "2" }, { "M2HOST", "mx2.example.jp" },
    { "M2USER", "second" }, { "M2PASS", "pw-2" }, { "M2SUBJ", "DI2 off" } };

INSTANTIATE_TEST_SUITE_P(Kinds, SimSettingsMessage,
    ::testing::Values(
        MessageCase { "Kind3KeepAliveWithWifi", kWifi127, false, kKeepAliveWifi, asSent(kKeepAliveWifi) },
        MessageCase { "Kind3Connection", kWifi127, false, kConnection,
            { { "PORT", "10040" }, { "HIP", "203.0.113.9" }, { "HPORT", "10041" }, { "E_RST", "1" },
                { "PORT1", std::nullopt }, { "HIP1", std::nullopt } } },
        MessageCase { "Kind3SingleMail", kWifi127, false, kSingleMail, asSent(kSingleMail) },
        MessageCase { "Kind6SockKeepAlive", kQx, false, kSockKeepAlive, asSent(kSockKeepAlive) },
        MessageCase { "Kind5DoModes", kKovra4, true, kDoModes, asSent(kDoModes) },
        MessageCase { "Kind7Connections", kThird, true, kConnections, asSent(kConnections) },
        MessageCase { "Kind5ClearEntries", kKovra4Old, false, kClearEntries, asSent(kClearEntries) },
        // The keys of connection 1 name one setting: it stays under the name the unit reports.
        MessageCase { "Kind5TakesConnectionOneUnnumbered", kKovra4, true,
            { { "PORT", "10050" }, { "HIP", "203.0.113.8" }, { "HPORT", "10051" } },
            { { "PORT1", "10050" }, { "HIP1", "203.0.113.8" }, { "HPORT1", "10051" },
                { "PORT", std::nullopt }, { "HIP", std::nullopt }, { "HPORT", std::nullopt } } },
        // An empty destination is none: the unit reports it as 0.0.0.0.
        MessageCase { "Kind5TakesAnEmptyDestinationAsNone", kKovra4, true,
            { { "HIP1", "203.0.113.8" }, { "HIP2", "" } },
            { { "HIP1", "203.0.113.8" }, { "HIP2", "0.0.0.0" } } },
        MessageCase { "Kind6TakesConnectionOneNumbered", kQx, false,
            { { "PORT1", "10052" }, { "HPORT1", "0" } },
            { { "PORT", "10052" }, { "HPORT", "0" }, { "PORT1", std::nullopt } } },
        // K_INT counts seconds, KEEP_A fives of them; the reader fills one field from either, so a
        // unit reports only the one it keeps.
        MessageCase { "Kind7TakesSecondsAsFives", kThird, true, { { "K_INT", "63" } },
            { { "KEEP_A", "12" }, { "K_INT", std::nullopt } } },
        MessageCase {
            "Kind5CapsFivesAt255", kKovra4, true, { { "K_INT", "2000" } }, { { "KEEP_A", "255" } } },
        MessageCase { "Kind6TakesFivesAsSeconds", kQx, false, { { "KEEP_A", "7" } },
            { { "K_INT", "35" }, { "KEEP_A", std::nullopt } } },
        MessageCase { "IntegersAsTheUnitPrintsThem", kKovra4, true,
            { { "KEEP_A", "007" }, { "DISCON", "-0" } }, { { "KEEP_A", "7" }, { "DISCON", "0" } } }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SimSettingsMessage, ScramblingUnitKeepsCredentialsOfEitherForm)
{
    LoopbackFleet fleet(kThird);
    send(fleet.address(10),
        message({ { "E1USER", scrambled("alice", kUserShift) }, { "E1PASS", scrambled("p@ss~1", kPassShift) },
                    { "M2USER", "bob" }, { "M2PASS", "clear-2" } },
            true));
    const Pairs after = dump(fleet.address(10), true);
    EXPECT_EQ(unscrambled(valueOf(after, "E1USER").value_or(""), kUserShift), "alice");
    EXPECT_EQ(unscrambled(valueOf(after, "E1PASS").value_or(""), kPassShift), "p@ss~1");
    EXPECT_EQ(unscrambled(valueOf(after, "E2USER").value_or(""), kUserShift), "bob");
    EXPECT_EQ(unscrambled(valueOf(after, "E2PASS").value_or(""), kPassShift), "clear-2");
    EXPECT_FALSE(valueOf(after, "M2USER"));
}

TEST(SimSettingsMessage, ClearUnitKeepsScrambledCredentialsInClear)
{
    LoopbackFleet fleet(kKovra4Old);
    send(fleet.address(10), message({ { "E2USER", scrambled("carol", kUserShift) } }, true));
    const Pairs after = dump(fleet.address(10), false);
    EXPECT_EQ(valueOf(after, "M2USER"), "carol");
    EXPECT_FALSE(valueOf(after, "E2USER"));
}

struct Ignored {
    std::string key;
    std::string value;
    std::string why;
};

// A unit leaves what it does not take, logs why, and applies the rest of the message.
TEST(SimSettingsMessage, LeavesWhatTheUnitDoesNotTake)
{
    const std::vector<Ignored> ignored = { { "FOO", "1", "unknown key" }, { "MODEL", "9", "read-only" },
        { "MODE", "1", "read-only" }, { "DO3_MD", "1", "no such channel" },
        { "M3HOST", "mx", "no such channel" }, { "DO01_MD", "1", "unknown key" },
        { "KEEP_A", "256", "out of range 0..255" }, { "DO1_MD", "3", "out of range 0..2" },
        { "DO1_OT", "1x", "not an integer" }, { "PORT1", "9998", "the settings and console ports are taken" },
        { "PORT2", "65536", "out of range 0..65535" }, { "SUBM", "255.0.255.0", "not a subnet mask" },
        { "IP", "203.0.113", "not a dotted IPv4 address" },
        { "M1HOST", std::string(65, 'h'), "longer than 64 bytes" },
        { "E1USER", "short", "not a padded credential" }, { "AP_CH", "14", "out of range 1..13" } };
    LoopbackFleet fleet(kKovra4Old);
    const Pairs before = dump(fleet.address(10), false);
    Pairs sent = { { "M1HOST", "good.example.jp" } };
    nlohmann::json reasons = nlohmann::json::object();
    for (const Ignored& pair : ignored) {
        sent.emplace_back(pair.key, pair.value);
        reasons[pair.key] = pair.why;
    }
    sent.emplace_back("DO2_MD", "1");
    send(fleet.address(10), message(sent, true));

    Pairs expected = before;
    for (auto& [key, value] : expected) {
        if (key == "M1HOST")
            value = "good.example.jp";
        if (key == "DO2_MD")
            value = "1";
    }
    EXPECT_EQ(dump(fleet.address(10), false), expected);
    EXPECT_EQ(logLine(fleet, "settings")["ignored"], reasons);
}

TEST(SimSettingsMessage, MessageCutOffOrOverlongChangesNothing)
{
    LoopbackFleet fleet(kKovra4Old);
    const Pairs before = dump(fleet.address(10), false);
    {
        TcpClient pc;
        ASSERT_EQ(pc.connect(fleet.address(10), kSettingsPort), 0);
        pc.send("KEEP_A\r\n30\r\nDO1_MD\r\n"); // closed before END
    }
    ASSERT_TRUE(fleet.waitForLog("\"request\":\"incomplete\""));
    {
        TcpClient pc;
        ASSERT_EQ(pc.connect(fleet.address(10), kSettingsPort), 0);
        pc.send("KEEP_A\r\n30\r\nM1SUBJ\r\n" + std::string(70000, 's'));
        bool closed = false;
        pc.receive(1, kAnswerMs, &closed);
        EXPECT_TRUE(closed);
    }
    EXPECT_EQ(logLine(fleet, "incomplete").count("refused"), 0u);
    EXPECT_TRUE(fleet.waitForLog("\"refused\":\"message too long\""));
    EXPECT_EQ(dump(fleet.address(10), false), before);
}

// NORESET keeps the unit up with the new values stored; the next message without it restarts the
// unit, which then takes both messages' network settings into use.
TEST(SimSettingsMessage, NoResetDefersTheMoveToTheNextRestart)
{
    LoopbackFleet fleet(kThird);
    send(fleet.address(10), message({ { "PORT1", "10061" } }, true));
    EXPECT_EQ(valueOf(dump(fleet.address(10), true), "PORT1"), "10061");
    simtest::expectExchanges(fleet.address(10), kPort, { { "UU", bytes("0D 00") } });

    send(fleet.address(10), message({ { "IP", fleet.address(11) }, { "KEEP_A", "10" } }, false));
    ASSERT_TRUE(fleet.waitForLog("\"event\":\"restart\""));
    ASSERT_TRUE(fleet.waitUntilUp());
    TcpClient old;
    EXPECT_NE(old.connect(fleet.address(11), kPort), 0);
    simtest::expectExchanges(fleet.address(11), 10061, { { "UU", bytes("0D 00") } });
    const Pairs after = dump(fleet.address(11), true);
    EXPECT_EQ(valueOf(after, "IP"), fleet.address(11));
    EXPECT_EQ(valueOf(after, "KEEP_A"), "10");
    EXPECT_FALSE(
        fleet.waitForLog("\"event\":\"restart\"", 2, kQuietMs)); // the first message did not restart it
}

// ---- test mails ----

struct MailTestCase {
    const char* label;
    const char* unit;
    std::string message;
    nlohmann::json logged; // the mailTest line's fields beyond request, unit and channel
};

class SimMailTest : public ::testing::TestWithParam<MailTestCase> { };

TEST_P(SimMailTest, IsLoggedWithTheEntryItWouldGoOutWith)
{
    LoopbackFleet fleet(GetParam().unit);
    send(fleet.address(10), GetParam().message);
    const nlohmann::json line = logLine(fleet, "mailTest");
    for (const auto& [field, value] : GetParam().logged.items())
        EXPECT_EQ(line[field], value) << field;
    EXPECT_EQ(line.count("refused"), GetParam().logged.count("refused"));
}

INSTANTIATE_TEST_SUITE_P(Forms, SimMailTest,
    ::testing::Values(MailTestCase { "PerEntry", kThird,
                          "NORESET\nM2HOST\r\nmx2.example.jp\r\nM2FROM\r\nunit2@x.jp\r\nM2TO1\r\na@x."
                          "jp\r\nM2TO2\r\nb@x.jp\r\n"
                          "MAILTEST2\nEND\n",
                          { { "entry", 2 }, { "host", "mx2.example.jp" }, { "sender", "unit2@x.jp" },
                              { "to", { "a@x.jp", "b@x.jp" } }, { "hex", "4D 41 49 4C 54 45 53 54 32" } } },
        MailTestCase { "SingleAccountLf", kWifi127,
            "NORESET\nMHOST\nmx.example.jp\nMPORT\n25\nMUSER\nu\nMPASS\np\nMFROM\nw@x.jp\nMTO1\nops@x."
            "jp\nMTO2\n\n"
            "MSUBJ\ns\nMAILTEST\nEND\n",
            { { "entry", 0 }, { "host", "mx.example.jp" }, { "sender", "w@x.jp" },
                { "to", { "ops@x.jp", "" } } } },
        MailTestCase { "SingleAccountCrlf", kWifi127,
            "MHOST\r\nmx3.example.jp\r\nMTO1\r\nc@x.jp\r\nNORESET\r\nMTEST\r\nEND\r\n",
            { { "entry", 0 }, { "host", "mx3.example.jp" }, { "to", { "c@x.jp", "" } } } },
        MailTestCase { "EntryBeyondTheInputs", kKovra4, "NORESET\nMAILTEST5\nEND\n",
            { { "entry", 5 }, { "refused", "no such mail entry" } } }),
    [](const auto& info) { return std::string(info.param.label); });

// ---- the direct commands of the other-settings dialogs ----

struct CommandCase {
    const char* label;
    std::string unit; // at $10
    std::vector<Exchange> exchanges;
};

class SimOtherSettingsCommand : public ::testing::TestWithParam<CommandCase> { };

TEST_P(SimOtherSettingsCommand, AnswersWithTheSettledBytes)
{
    LoopbackFleet fleet(GetParam().unit);
    simtest::expectExchanges(fleet.address(10), kPort, GetParam().exchanges, kQuietMs);
}

std::string request(const char* letters, const std::string& hex)
{
    return letters + bytes(hex) + kEnd;
}

std::string answer(const char* letters, const std::string& hex)
{
    return letters + bytes(hex) + kEnd;
}

const Exchange kModeRead5 = { "MR0491" + kEnd, "mr049105" + kEnd };
const Exchange kModeWrite3 = { request("AP", "23"), answer("ap", "23") };
const Exchange kModeRead3 = { "MR0491" + kEnd, "mr049103" + kEnd };

INSTANTIATE_TEST_SUITE_P(Units, SimOtherSettingsCommand,
    ::testing::Values(CommandCase { "Kind6ModeValue",
                          R"({ "kind": 6, "address": "$10", "model": 6, "registers": { "49": 5 } })",
                          { kModeRead5, kModeWrite3, kModeRead3, { request("AP", "28"), "" },
                              { "AP" + kEnd, "" }, kModeRead3, { request("AJ", "20"), "" } } },
        CommandCase { "AnalogInputModel8",
            R"({ "kind": 0, "address": "$10", "model": 8, "registers": { "49": 5 } })",
            { kModeRead5, kModeWrite3, kModeRead3, { request("AJ", "20"), answer("aj", "20 42 20") },
                { request("AR", "21 25"), answer("ar", "21 25") },
                { request("AJ", "21"), answer("aj", "21 45 20") }, { request("AR", "22 26"), "" },
                { request("AJ", "23"), "" }, { request("AR", "21"), "" }, { request("TJ", "20"), "" },
                { request("AJ", "22"), answer("aj", "22 42 20") } } },
        CommandCase { "ThermocoupleModel12", R"({ "kind": 0, "address": "$10", "model": 12 })",
            { { request("AR", "24 26"), answer("ar", "24 26") },
                { request("AJ", "24"), answer("aj", "24 46 20") },
                { request("TJ", "24"), "tj" + bytes("24 20 21 21 20 20") + "000003E8" + kEnd },
                { "TW" + bytes("24 27 20 21 21 23") + "FF9C0FA0" + kEnd, answer("tw", "24") },
                { request("TJ", "24"), "tj" + bytes("24 27 20 21 21 23") + "FF9C0FA0" + kEnd },
                { "TW" + bytes("24 28 20 21 21 23") + "FF9C0FA0" + kEnd, "" },
                { "TW" + bytes("24 27 20 21 21 24") + "FF9C0FA0" + kEnd, "" },
                { "TW" + bytes("24 27 20 21 21 23") + "FF9C0FAZ" + kEnd, "" },
                { "TW" + bytes("24 27 20 21 21 23") + "FF9C0FA" + kEnd, "" },
                { "TW" + bytes("25 27 20 21 21 23") + "FF9C0FA0" + kEnd, "" }, { request("TJ", "25"), "" },
                { request("TJ", "24"), "tj" + bytes("24 27 20 21 21 23") + "FF9C0FA0" + kEnd } } },
        CommandCase { "AnalogOutputModel9", R"({ "kind": 0, "address": "$10", "model": 9 })",
            { { "MR0303" + kEnd, "mr0303000000" + kEnd },
                { "AQ" + bytes("20") + "4000" + kEnd, "aq" + bytes("20") + "4000" + kEnd },
                { "MR0303" + kEnd, "mr0303004000" + kEnd },
                { "AQ" + bytes("29") + "1999" + kEnd, "aq" + bytes("29") + "1999" + kEnd },
                { "MR0333" + kEnd, "mr0333011999" + kEnd },
                { "AQ" + bytes("20") + "c000" + kEnd, "aq" + bytes("20") + "C000" + kEnd },
                { "MR0303" + kEnd, "mr030300C000" + kEnd }, { "AQ" + bytes("22") + "0100" + kEnd, "" },
                { "AQ" + bytes("28") + "8000" + kEnd, "" }, { "AQ" + bytes("21") + "40G0" + kEnd, "" },
                { "AQ" + bytes("21") + "400" + kEnd, "" }, { "AQ" + bytes("30") + "0100" + kEnd, "" },
                { request("AP", "21"), "" }, { request("AJ", "20"), "" },
                { "MR0333" + kEnd, "mr0333011999" + kEnd } } },
        CommandCase { "Kind4Model32", R"({ "kind": 4, "address": "$10", "model": 32 })",
            { kModeWrite3, kModeRead3, { request("AR", "22 26"), answer("ar", "22 26") },
                { request("TJ", "22"), "tj" + bytes("22 20 21 21 20 20") + "000003E8" + kEnd } } },
        CommandCase { "Kind5Model32", R"({ "kind": 5, "address": "$10", "model": 32 })",
            { kModeWrite3, kModeRead3, { request("AJ", "21"), answer("aj", "21 42 20") },
                { "TW" + bytes("20 21 21 20 20 20") + "00000320" + kEnd, answer("tw", "20") },
                { request("TJ", "20"), "tj" + bytes("20 21 21 20 20 20") + "00000320" + kEnd } } },
        // DO modes of kind 4: keep-alive (40h), start-ON mask (44h), one-shot times from 60h.
        CommandCase { "Kind4DoModes", R"({ "kind": 4, "address": "$10", "model": 22 })",
            { { "MW04011E" + kEnd, "mwOK" + kEnd }, { "MW044105" + kEnd, "mwOK" + kEnd },
                { "MW06040A000014" + kEnd, "mwOK" + kEnd }, { "MR0401" + kEnd, "mr04011E" + kEnd },
                { "MR0441" + kEnd, "mr044105" + kEnd }, { "MR0604" + kEnd, "mr06040A000014" + kEnd },
                { "MW06040A0000" + kEnd, "mwNG" + kEnd }, { "MR0604" + kEnd, "mr06040A000014" + kEnd },
                { request("AP", "21"), "" } } },
        // Accessor C on the unit behind a Wi-Fi module, through the module's tunnel port.
        CommandCase { "Kind2AccessorC",
            R"({ "kind": 2, "address": "$10", "model": 2, "httpPort": )"
                + std::to_string(kovra::test_support::freeTcpPort()) + " }",
            { { bytes("91 1E"), bytes("91 1E") }, { bytes("90 00"), bytes("90 1E") },
                { bytes("91 41"), bytes("91 41") }, { bytes("90 00"), bytes("90 41") } } }),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
