#pragma once

#include <string>

namespace kovra::test_support {

// Every fault switch of the simulator, each as its fleet-file object, for the fault matrix
// tests: a unit with one of these spoils every answer it gives (or only the named requests).
struct FaultKind {
    const char* name;
    const char* mode;
    // Every byte of the good answer still arrives (slowly, or with more after it): a flow may
    // go through or give up by its time-outs. Under the other faults it must fail.
    bool answerSurvives;
};

inline constexpr FaultKind kFaultKinds[] = {
    { "Refuse", "refuse", false },
    { "Silence", "silent", false },
    { "CloseAtOnce", "hangup", false },
    { "CloseMidAnswer", "close", false },
    { "ShortAnswer", "short", false },
    { "Garbage", "garbage", false },
    { "Oversized", "oversized", true },
    { "SlowTrickle", "trickle", true },
    { "RestartMidExchange", "restart", false },
};

// The "fault" object of a unit: `mode` on every answer, or on those whose request names
// begin with one of `requests` (a JSON list text such as R"(["write0"])").
inline std::string faultObject(const std::string& mode, const std::string& requests = "[]")
{
    return R"({ "mode": ")" + mode + R"(", "requests": )" + requests + R"(, "gapMs": 200 })";
}

} // namespace kovra::test_support
