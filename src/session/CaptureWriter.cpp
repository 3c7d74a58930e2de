#include "session/CaptureWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zq {

std::unique_ptr<CaptureWriter> CaptureWriter::Create(const std::string& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<CaptureWriter>(new CaptureWriter(fd, path));
}

CaptureWriter::CaptureWriter(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

CaptureWriter::~CaptureWriter() { Close(); }

bool CaptureWriter::Write(std::string_view bytes, std::string& error) {
    if (fd_ < 0) {
        error = std::strerror(EBADF);
        return false;
    }
    // No user-space buffer: what the device sent is in the kernel's hands before we return.
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = std::strerror(errno);
            return false;
        }
        if (n == 0) {  // a regular file never does this, but never spin on it
            error = std::strerror(EIO);
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

void CaptureWriter::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool CaptureWriter::isOpen() const { return fd_ >= 0; }

const std::string& CaptureWriter::path() const { return path_; }

}  // namespace zq
