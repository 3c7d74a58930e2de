#include "capture/CaptureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zq {

namespace {
constexpr size_t kBlock = 64 * 1024;
}

ByteCursor::ByteCursor(int fd) : fd_(fd), eof_(fd < 0) {}

ByteCursor::ByteCursor(std::string_view bytes) : buf_(bytes.begin(), bytes.end()) {}

bool ByteCursor::loadUpTo(size_t i) {
    while (!eof_ && i >= buf_.size()) {
        const size_t old = buf_.size();
        buf_.resize(old + kBlock);
        ssize_t n;
        do {
            n = ::pread(fd_, buf_.data() + old, kBlock, static_cast<off_t>(old));
        } while (n < 0 && errno == EINTR);
        // A read error (a vanished network share, a bad sector) ends the data like the end of
        // the file: the scan reports a premature end instead of failing.
        if (n <= 0) {
            buf_.resize(old);
            eof_ = true;
        } else {
            buf_.resize(old + static_cast<size_t>(n));
        }
    }
    return i < buf_.size();
}

std::unique_ptr<CaptureFile> CaptureFile::open(const std::string& path, std::string& error) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        error = std::strerror(EISDIR);
        ::close(fd);
        return nullptr;
    }
    error.clear();
    return std::unique_ptr<CaptureFile>(new CaptureFile(fd, path));
}

CaptureFile::~CaptureFile() { ::close(fd_); }

int64_t CaptureFile::length() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return 0;
    return static_cast<int64_t>(st.st_size);
}

}  // namespace zq
