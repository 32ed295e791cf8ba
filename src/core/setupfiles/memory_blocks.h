#pragma once

#include "core/platform/setup_channel.h"

#include <string>

namespace kovra {

// Results of the memory-block transfers.
enum MemoryBlockResult : int {
    kBlocksDone = 0,
    kBlocksFileUnopened = 1, // the file cannot be opened
    kBlocksFileNoHeader = 2, // the file is shorter than its 5-byte header
    kBlocksNoConnection = 3, // connect or console hand-shake failed, or "RS" could not be sent
    kBlocksFailed = 4, // read: any failure after connecting; write: the file ends inside a block
    kBlocksSendFailed = 5, // a send failed
    kBlocksNotAcknowledged = 6, // the unit did not acknowledge a block
};

// The console's pauses: after a block command, after each record sent, after the end record.
constexpr int kBlockCommandPauseMs = 100;
constexpr int kRecordPauseMs = 10;
// A unit without the asked block answers these two characters instead of its first record.
constexpr const char* kNoSuchBlock = "9>";

// Reads blocks 0, 2 .. 8 of the unit at ipText into a .rec image (header first), until the
// unit says it has no further block. A block whose records do not add up to its length, a
// record count over 32 or a data character that is not hexadecimal fails the read.
// Results: kBlocksDone; kBlocksNoConnection (no connection); kBlocksFailed (anything else).
int ReadMemoryBlocks(const std::string& ipText, std::string& image, uint16_t port = kSetupPort);

// Writes the .rec file at path to the unit at ipText: every entry of the first seven but
// block 2, then "RS" (the unit restarts). Blocks acknowledged before a failure stay written.
// Results: all of MemoryBlockResult.
int WriteMemoryBlocks(const std::string& path, const std::string& ipText, uint16_t port = kSetupPort);

// The same for an image in memory (a clone rewrites block 0 before writing it).
// Results: as WriteMemoryBlocks but kBlocksFileUnopened.
int writeMemoryImage(const std::string& image, const std::string& ipText, uint16_t port = kSetupPort);

} // namespace kovra
