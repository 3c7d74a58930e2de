#include "export/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "view/Translate.h"

namespace zq::exports {

namespace {

constexpr int kMaxLinks = 40;              // as the kernel allows before ELOOP
constexpr size_t kMaxTemporaryName = 200;  // leaves room for the suffix within NAME_MAX

// Where one output goes, found before anything is written.
struct Target {
    const Output* output = nullptr;
    std::string resolved;
    bool exists = false;
    bool device = false;  // a character device, written directly
    struct stat st {};    // of the existing target
    std::string temporary;
};

std::string SystemText(int error) { return std::strerror(error); }

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The umask without changing it: setting and restoring it would briefly give every file another
// thread creates meanwhile the wrong mode.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// Empty when every byte was written, else the system's text.
std::string WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return SystemText(errno);
        if (n == 0) return translate("zq::OutputFile", "nothing written");
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return {};
}

std::string Check(Target& t, const std::vector<FileIdentity>& inputs,
                  const std::vector<Target>& earlier) {
    std::string text;
    const auto resolved = ResolveOutputPath(t.output->path, text);
    if (!resolved) return text;
    t.resolved = *resolved;
    if (::stat(t.resolved.c_str(), &t.st) != 0) {
        if (errno != ENOENT) return SystemText(errno);
    } else {
        t.exists = true;
        const FileIdentity id{t.st.st_dev, t.st.st_ino};
        for (const FileIdentity& input : inputs)
            if (input == id)
                return translate("zq::OutputFile",
                                 "is the capture this is made from; not overwritten");
        if (S_ISFIFO(t.st.st_mode) || S_ISSOCK(t.st.st_mode))
            return translate(
                "zq::OutputFile",
                "is a pipe or socket, whose reader could hold the program up; not written");
        if (S_ISDIR(t.st.st_mode)) return SystemText(EISDIR);
        t.device = S_ISCHR(t.st.st_mode);
        if (!t.device && !S_ISREG(t.st.st_mode))
            return translate("zq::OutputFile",
                             "is neither a regular file nor a character device; not written");
        // Renaming over a file needs only the folder's permission; the file's own says whether
        // its owner wants it changed.
        if (::faccessat(AT_FDCWD, t.resolved.c_str(), W_OK, AT_EACCESS) != 0)
            return SystemText(errno);
    }
    if (t.device) return {};  // /dev/null may take two outputs
    for (const Target& e : earlier)
        if (e.resolved == t.resolved ||
            (e.exists && t.exists && e.st.st_dev == t.st.st_dev && e.st.st_ino == t.st.st_ino))
            return translate("zq::OutputFile",
                             "is also another output of this export; not written");
    return {};
}

// The complete bytes in a temporary file beside the target, flushed and closed.
std::string WriteTemporary(Target& t, mode_t newMode) {
    const std::string folder = FolderOf(t.resolved);
    const std::string name = t.resolved.substr(t.resolved.find_last_of('/') + 1);
    std::string pattern =
        (folder == "/" ? "" : folder) + "/." + name.substr(0, kMaxTemporaryName) + ".XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return SystemText(errno);
    t.temporary = pattern;
    std::string text;
    if (t.exists) {
        // The owner too where we may (root, or a group of ours); the mode after it, since a
        // change of owner clears the set-id bits.
        if (t.st.st_uid != ::geteuid() || t.st.st_gid != ::getegid())
            (void)!::fchown(fd, t.st.st_uid, t.st.st_gid);
        if (::fchmod(fd, t.st.st_mode & 07777) != 0) text = SystemText(errno);
    } else if (::fchmod(fd, newMode) != 0) {
        text = SystemText(errno);
    }
    if (text.empty()) text = WriteAll(fd, t.output->bytes);
    // A full disk may show only when the data reaches it.
    if (text.empty() && ::fsync(fd) != 0) text = SystemText(errno);
    if (::close(fd) != 0 && text.empty()) text = SystemText(errno);
    return text;
}

std::string WriteDevice(const Target& t) {
    // Non-blocking: a device that cannot take the bytes at once fails instead of waiting.
    const int fd = ::open(t.resolved.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return SystemText(errno);
    struct stat st {};
    std::string text;
    if (::fstat(fd, &st) != 0)
        text = SystemText(errno);
    else if (!S_ISCHR(st.st_mode))  // replaced since it was checked
        text = translate("zq::OutputFile", "is no longer a character device; not written");
    if (text.empty()) text = WriteAll(fd, t.output->bytes);
    if (::close(fd) != 0 && text.empty()) text = SystemText(errno);
    return text;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The rename is what every reader sees; this only makes it last through a power cut.
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}

std::optional<std::string> ResolveOutputPath(const std::string& path, std::string& error) {
    std::string p = path;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        if (links == kMaxLinks) {
            error = SystemText(ELOOP);
            return std::nullopt;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(p.c_str(), target.data(), target.size());
        if (n < 0) {
            error = SystemText(errno);
            return std::nullopt;
        }
        target.resize(static_cast<size_t>(n));
        p = target.starts_with('/') ? target : FolderOf(p) + "/" + target;
    }
    const std::string name = p.substr(p.find_last_of('/') + 1);
    if (name.empty() || name == "." || name == "..") {
        error = SystemText(EISDIR);
        return std::nullopt;
    }
    char* folder = ::realpath(FolderOf(p).c_str(), nullptr);
    if (!folder) {
        error = SystemText(errno);
        return std::nullopt;
    }
    const std::string absolute(folder);
    std::free(folder);
    return (absolute == "/" ? "" : absolute) + "/" + name;
}

bool WriteOutputs(const std::vector<Output>& outputs, const std::vector<FileIdentity>& inputs,
                  std::string& error) {
    std::vector<Target> targets;
    targets.reserve(outputs.size());
    const auto fail = [&](const Target& t, const std::string& text) {
        error = t.output->path + ": " + text;
        for (const Target& each : targets)
            if (!each.temporary.empty()) ::unlink(each.temporary.c_str());
        return false;
    };
    for (const Output& o : outputs) {
        Target t;
        t.output = &o;
        const std::string text = Check(t, inputs, targets);
        if (!text.empty()) return fail(t, text);
        targets.push_back(std::move(t));
    }
    // Every regular file complete in its temporary before a device takes a byte, and both
    // before any target is replaced: a failure anywhere leaves every target as it was.
    const mode_t newMode = 0666 & ~CurrentUmask();
    for (Target& t : targets)
        if (!t.device)
            if (const std::string text = WriteTemporary(t, newMode); !text.empty())
                return fail(t, text);
    for (const Target& t : targets)
        if (t.device)
            if (const std::string text = WriteDevice(t); !text.empty()) return fail(t, text);
    for (Target& t : targets) {
        if (t.device) continue;
        if (::rename(t.temporary.c_str(), t.resolved.c_str()) != 0)
            return fail(t, SystemText(errno));
        t.temporary.clear();
        SyncFolder(FolderOf(t.resolved));
    }
    return true;
}

}  // namespace zq::exports
