#include "session/CaptureWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zq {

namespace {

// Enough for every read a user would leave behind; the search for a free name stays short.
constexpr int kMaxPartNumber = 1000;

std::string PartName(const std::string& target, int number) {
    std::string name = target + ".part";
    if (number > 1) name += "." + std::to_string(number);
    return name;
}

// Where the capture goes: a symbolic link is followed, as writing through it would, so the link
// stays and the file it names is replaced.
std::string Destination(const std::string& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, ec);
    return ec ? target : resolved.string();
}

}  // namespace

std::unique_ptr<CaptureWriter> CaptureWriter::Create(const std::string& target,
                                                     std::string& error) {
    const std::string destination = Destination(target);
    for (int number = 1;; ++number) {
        const std::string path = PartName(destination, number);
        // O_EXCL: an earlier read's file, or anything else of that name (a link included), is
        // never written into or replaced.
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd >= 0)
            return std::unique_ptr<CaptureWriter>(new CaptureWriter(fd, path, target, destination));
        if (errno != EEXIST || number == kMaxPartNumber) {
            error = path + ": " + std::strerror(errno);
            return nullptr;
        }
    }
}

CaptureWriter::CaptureWriter(int fd, std::string path, std::string target, std::string destination)
    : fd_(fd),
      path_(std::move(path)),
      target_(std::move(target)),
      destination_(std::move(destination)) {}

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
        bytes_ += static_cast<uint64_t>(n);
    }
    return true;
}

bool CaptureWriter::Place(std::string& error) {
    if (fd_ < 0) {
        error = std::strerror(EBADF);
        return false;
    }
    // On the disk before the name moves: a crash just after the rename must not leave the
    // target empty where the old capture was.
    int e = ::fsync(fd_) == 0 ? 0 : errno;
    if (::close(fd_) != 0 && e == 0) e = errno;
    fd_ = -1;
    if (e == 0 && ::rename(path_.c_str(), destination_.c_str()) != 0) e = errno;
    if (e == 0) return true;
    error = std::strerror(e);
    return false;
}

void CaptureWriter::Close() {
    if (fd_ < 0) return;
    struct stat mine {};
    const bool known = ::fstat(fd_, &mine) == 0;
    ::close(fd_);
    fd_ = -1;
    if (bytes_ > 0 || !known) return;
    // Only our own file: whatever has been put at its name since stays.
    struct stat now {};
    if (::lstat(path_.c_str(), &now) == 0 && now.st_dev == mine.st_dev && now.st_ino == mine.st_ino)
        ::unlink(path_.c_str());
}

}  // namespace zq
