#pragma once

#include "core/alerts/mail_account_form.h"

#include <array>
#include <cstdint>

namespace kovra {

// The classic mail alert dialog shows at most this many analog rows.
constexpr int kClassicAnalogRows = 3;

// One analog row of the classic dialog: the band in signed counts, when its LED lights and
// when it mails.
enum ClassicLed : int {
    kLedInside = 0, // "範囲内": lit inside the band
    kLedOutside = 1, // "範囲外"
};
enum ClassicAnalogMail : int {
    kAnalogMailOff = 0, // the check box unchecked
    kAnalogMailLit = 1, // "点灯時": when the LED lights
    kAnalogMailUnlit = 2, // "消灯時": when it goes out
};
struct ClassicAnalogRow {
    int low = 0;
    int high = 0;
    int led = kLedInside;
    int mail = kAnalogMailOff;
    bool flag = false; // bit 3 of the unit's mode byte: not shown, written back as read
};

// What the classic dialog shows and OK writes: the account, the DI masks (bit i for DI i+1)
// and the analog rows.
struct ClassicMailValues {
    MailAccountValues account;
    uint8_t enableMask = 0;
    uint8_t edgeMask = 0; // bit set: the DI mails on "ON"
    std::array<ClassicAnalogRow, kClassicAnalogRows> analog {};
};

} // namespace kovra
