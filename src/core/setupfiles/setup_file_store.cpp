#include "core/setupfiles/setup_file_store.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kovra {

namespace {
// The temporary file's name: the target's with a suffix, in the same folder, so the rename
// never crosses file systems.
constexpr const char* kTemporarySuffix = ".part-XXXXXX";
constexpr mode_t kNewFileMode = 0644;
} // namespace

int readSetupFile(const std::string& path, size_t limit, std::string& bytes)
{
    bytes.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return kFileUnreadable;
    std::string buffer(limit + 1, '\0');
    file.read(buffer.data(), std::streamsize(buffer.size()));
    if (file.bad())
        return kFileUnreadable;
    buffer.resize(size_t(file.gcount()));
    if (buffer.size() > limit)
        return kFileTooLong;
    bytes = std::move(buffer);
    return kFileDone;
}

int writeSetupFile(const std::string& path, const std::string& bytes)
{
    std::string temporary = path + kTemporarySuffix;
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return kFileUnwritable;
    bool written = true;
    for (size_t at = 0; written && at < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + at, bytes.size() - at);
        written = n > 0;
        at += written ? size_t(n) : 0;
    }
    // A replaced file keeps its permissions; a new one is readable by all, not only by its
    // owner as mkstemp leaves it.
    struct stat old { };
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : kNewFileMode;
    written = written && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return kFileUnwritable;
    }
    return kFileDone;
}

} // namespace kovra
