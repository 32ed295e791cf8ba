#pragma once

#include "core/app/dialog_form.h"
#include "core/functions/sampling_rate.h"
#include "core/net/direct_command.h"
#include "core/settings/write_plan.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kovra {

// The direct commands of the analog other-settings dialogs: input ranges, AO initial values
// and thermocouple settings. Requests end with the end mark C8h; answers echo the command
// letters plus 20h. Builders return an empty request for arguments out of range, which
// DirectCommand refuses unsent. Parsers take the whole answer and check every byte they use.

// Units need a pause after each exchange before they take the next request.
constexpr int kAnalogCommandPauseMs = 50;

constexpr int kAnalogInputMax = 5; // AI channels of the largest model
constexpr int kAnalogOutputMax = 3; // AO channels of the largest model


// Input range of AI n (0..4). Indexes 0..5 are the analog ranges; thermocouple units add 6.
constexpr int kInputRangeCount = 6;
constexpr int kThermocoupleRange = 6;
constexpr size_t kRangeReadAnswerLength = 6;
constexpr size_t kRangeWriteAnswerLength = 5;
// "AJ", n + 20h, C8h.
std::string rangeReadRequest(int input);
// "aj", n + 20h, 40h + range, 20h, C8h: the range is the low nibble of byte 3. False when
// the answer is not that frame for `input` or the range is not below rangeCount.
bool parseRangeReadAnswer(const std::string& answer, int input, int rangeCount, int& range);
// "AR", n + 20h, range + 20h, C8h; range 0..6.
std::string rangeWriteRequest(int input, int range);

// Initial value of AO n (0..2): its kind and a signed 16-bit count.
constexpr int kOutputVoltage = 0;
constexpr int kOutputCurrent = 1;
struct AnalogOutputInitial {
    int kind = kOutputVoltage;
    int raw = 0; // -32768..32767
};
constexpr size_t kOutputReadAnswerLength = 13;
constexpr size_t kOutputWriteAnswerLength = 8;
// The memory read of the AO's three registers from 30h + 3n: kind, count high, count low.
std::string outputReadRequest(int output);
// "mr", the request's register and count digits, six hex digits, C8h. False when the
// answer is not that frame for `output`, a digit is not hex or the kind is not 0 or 1.
bool parseOutputReadAnswer(const std::string& answer, int output, AnalogOutputInitial& value);
// "AQ", 20h + n (+ 8 for current), "%04X" of the count, C8h.
std::string outputWriteRequest(int output, const AnalogOutputInitial& value);

// Thermocouple settings of one AI.
constexpr int kThermocoupleTypeCount = 8; // K J T E N R S B
constexpr int kBurnoutOutputCount = 2; // 800000h, 7FFFFFh
constexpr int kScaleRangeCount = 4; // 0-10V, 0-5V, 1-5V, 4-20mA
struct ThermocoupleSettings {
    int type = 0;
    bool coldJunction = false;
    bool burnoutDetection = false;
    int burnoutOutput = 0;
    int scale = 0;
    int lower = 0; // 0.1 degree steps, -32768..32767
    int upper = 0;
};
constexpr size_t kThermoReadAnswerLength = 17;
constexpr size_t kThermoWriteAnswerLength = 4;
// "TJ", n + 20h, C8h.
std::string thermoReadRequest(int input);
// "tj", n + 20h, type, cold junction, burn-out detection, burn-out output and scale each
// + 20h, "%04X%04X" of lower and upper, C8h. False when the answer is not that frame for
// `input`, a value is outside its list or a digit is not hex.
bool parseThermoReadAnswer(const std::string& answer, int input, ThermocoupleSettings& settings);
// "TW", n + 20h, the same five bytes and eight digits, C8h.
std::string thermoWriteRequest(int input, const ThermocoupleSettings& settings);

// A request of these dialogs: its answer length, the echo checked, the pause after it.
DirectRequest analogRequest(std::string bytes, size_t answerLength);

// The ADC sampling rate through the mode value read ("MR0491"), and its write ("AP") as a
// request of a plan. Read results: those of runDirectRead, kAnswerRefused also for a value
// past the list.
int readSamplingRate(DirectCommand& command, int& rate);
DirectRequest samplingRateWrite(int rate);

// One read of a dialog's load on an open connection: the request, the pause after it, then
// `parse` on the answer. Results: those of DirectCommand::exchange; kAnswerRefused (-4)
// when `parse` rejects the answer.
int runDirectRead(DirectCommand& command, const DirectRequest& request,
    const std::function<bool(const std::string&)>& parse);

} // namespace kovra
