#include "export/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zq::exports {

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}

OutputFile::~OutputFile() {
    if (fd_ < 0) return;
    ::close(fd_);
    if (created_) ::unlink(path_.c_str());  // opened for an export that did not happen
}

bool OutputFile::fail(const std::string& text, std::string& error) {
    error = path_ + ": " + text;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (created_) ::unlink(path_.c_str());
    created_ = false;
    return false;
}

bool OutputFile::open(const std::string& path, const std::vector<FileIdentity>& protect,
                      std::string& error) {
    path_ = path;
    // O_NONBLOCK: opening a pipe without a reader fails at once (ENXIO) instead of waiting.
    constexpr int kFlags = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    fd_ = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
    created_ = fd_ >= 0;
    if (fd_ < 0 && errno == EEXIST) fd_ = ::open(path.c_str(), kFlags);
    if (fd_ < 0) return fail(std::strerror(errno), error);
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return fail(std::strerror(errno), error);
    identity_ = FileIdentity{st.st_dev, st.st_ino};
    for (const FileIdentity& p : protect)
        if (p == identity_) {
            created_ = false;  // never remove a file that was there before
            return fail("is the capture or another output of this export; not overwritten", error);
        }
    regular_ = S_ISREG(st.st_mode);
    if (!regular_ && !S_ISCHR(st.st_mode))
        return fail("not a regular file or a device; a pipe or socket could block the export",
                    error);
    return true;
}

bool OutputFile::writeAndClose(std::string_view bytes, std::string& error) {
    if (regular_ && ::ftruncate(fd_, 0) != 0) return fail(std::strerror(errno), error);
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail(n < 0 ? std::strerror(errno) : "nothing written", error);
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const std::string text = std::strerror(errno);
        return fail(text, error);
    }
    created_ = false;
    return true;
}

}  // namespace zq::exports
