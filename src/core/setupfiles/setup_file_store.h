#pragma once

#include <cstddef>
#include <string>

namespace kovra {

// Results of the setup-file reads and writes.
enum SetupFileResult : int {
    kFileDone = 0,
    kFileUnreadable = -1, // cannot be opened or read
    kFileTooLong = -2, // longer than the limit
    kFileUnwritable = -3, // the temporary file cannot be created, written or renamed
};

// Reads the whole file, at most `limit` bytes. Results: kFileDone, kFileUnreadable,
// kFileTooLong.
int readSetupFile(const std::string& path, size_t limit, std::string& bytes);

// Writes bytes to a temporary file beside path and renames it over path once complete, so a
// failed save leaves the old file as it was and no partial file behind.
// Results: kFileDone, kFileUnwritable (the temporary file is removed again).
int writeSetupFile(const std::string& path, const std::string& bytes);

} // namespace kovra
