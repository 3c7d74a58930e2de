#include "capture/CaptureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zq {

namespace {
constexpr size_t kBlock = 16 * 1024;  // the first block of a file that gave no size
}

// A capture is about 11 kB; a file far beyond that is not one (a wrong file picked in the
// dialog, an endless dump). Reading stops here, so no redraw takes more memory or time than
// this, and the scan reports the end of the data as it would for a short file.
const size_t kCaptureReadLimit = 16u << 20;

ByteCursor::ByteCursor(int fd) : fd_(fd), eof_(fd < 0) {
    // Room for the whole file and one byte more, so that one read takes it all and the next
    // finds its end without growing the buffer.
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && st.st_size > 0)
        sizeHint_ = static_cast<size_t>(std::min<off_t>(st.st_size, kCaptureReadLimit)) + 1;
}

ByteCursor::ByteCursor(std::string_view bytes)
    : data_(new char[bytes.size() + 1]), size_(bytes.size()), capacity_(bytes.size() + 1) {
    std::memcpy(data_.get(), bytes.data(), bytes.size());
}

bool ByteCursor::loadUpTo(size_t i) {
    while (!eof_ && i >= size_) {
        if (size_ >= kCaptureReadLimit) {
            eof_ = true;
            break;
        }
        if (capacity_ == size_) {
            const size_t capacity = std::max({capacity_ * 2, sizeHint_, kBlock});
            std::unique_ptr<char[]> grown(new char[capacity]);
            if (size_) std::memcpy(grown.get(), data_.get(), size_);
            data_ = std::move(grown);
            capacity_ = capacity;
        }
        const size_t room = std::min(capacity_, kCaptureReadLimit) - size_;
        ssize_t n;
        do {
            n = ::pread(fd_, data_.get() + size_, room, static_cast<off_t>(size_));
        } while (n < 0 && errno == EINTR);
        // A read error (a vanished network share, a bad sector) ends the data like the end of
        // the file: the scan reports a premature end instead of failing.
        if (n <= 0)
            eof_ = true;
        else
            size_ += static_cast<size_t>(n);
    }
    return i < size_;
}

namespace {

// A capture file is a regular file. A directory, pipe, socket or device would block a redraw
// or never end; the system has a text only for the first.
FileStamp Stamp(const struct stat& st) {
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
            static_cast<int64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::string NotRegular(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
    if (!S_ISREG(st.st_mode)) return "Not a regular file";
    return {};
}

}  // namespace

std::unique_ptr<CaptureFile> CaptureFile::open(const std::string& path, std::string& error) {
    // Opening a device can act on it (a serial port raises DTR, a watchdog arms), so what is
    // not a regular file is refused before it is opened. The open descriptor is checked again,
    // as the name may meanwhile lead elsewhere.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    if (error = NotRegular(before); !error.empty()) return nullptr;

    // Without O_NONBLOCK, opening a named pipe waits for a writer, for ever if none comes.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        error = std::strerror(errno);
    else
        error = NotRegular(st);
    if (!error.empty()) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<CaptureFile>(new CaptureFile(fd, path));
}

CaptureFile::~CaptureFile() { ::close(fd_); }

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return Stamp(st);
}

FileStamp CaptureFile::stamp() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return {};
    return Stamp(st);
}

int64_t CaptureFile::length() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return 0;
    return static_cast<int64_t>(st.st_size);
}

}  // namespace zq
