#pragma once

#include "core/alerts/mail_account_form.h"
#include "core/net/setup_record_writer.h"
#include "core/units/unit_record.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kovra {

// The mail settings that the binary kinds (0, 1 and 4) keep in their stored configuration
// records. Texts are NUL-ended cp932 fields of fixed width (their last byte is always NUL);
// the headers (bytes 0-3) are the writer's.
//   record 1   written only with a server set, built from zero: the account as in record 4
//   record 3   bytes 64-71: one mode per DI on the models whose DI masks no command takes
//              (0 off, 1 mails on "ON", 2 on "OFF")
//   record 4   4-53 server host name, 54-57 server address (network order), 58-59 port
//              (little-endian), 60 SMTP-AUTH (0/1), 61-103 user, 104-117 password
//   record 5   4-27 sender local part, 28-51 sender domain, 52-100 recipient 1
//   record 6   4-52 recipient 2, 53-76 message
// Every other byte of records 4-6 is zero; bytes 4-63 of records 3 and 7 and all of record 7
// past them belong to other settings and are kept as read.
struct MailSetupImage {
    MailAccountValues account;
    std::array<uint8_t, 8> diModes {};
};

// Record 3's DI modes.
enum MailDiMode : uint8_t {
    kDiMailNone = 0,
    kDiMailOnOn = 1, // enabled, mails on "ON"
    kDiMailOnOff = 2, // enabled, mails on "OFF"
};

// The image from the unit's records 3-6. hostName: the server is read from its name field,
// else from its address field (0.0.0.0 reads as no server).
MailSetupImage readMailSetupImage(const UnitRecord& unit, bool hostName);

// The image into the unit's records 3-6, leaving every byte the mail does not own.
void writeMailSetupImage(UnitRecord& unit, const MailSetupImage& image, bool hostName);

// Record 1, built from zero, holding the account as record 4 does.
SetupRecord mailAccountRecord(const MailSetupImage& image, bool hostName);

// The records the mail writes back, in order: record 1 when a server is set, then 3, 4, 5,
// 6 and 7 of the unit (after writeMailSetupImage).
std::vector<SetupRecord> mailSetupRecords(const UnitRecord& unit, const MailSetupImage& image, bool hostName);

// The DI masks as record 3's modes, and back.
std::array<uint8_t, 8> diModesFromMasks(uint8_t enableMask, uint8_t edgeMask, int diCount);
void masksFromDiModes(
    const std::array<uint8_t, 8>& modes, int diCount, uint8_t& enableMask, uint8_t& edgeMask);

} // namespace kovra
