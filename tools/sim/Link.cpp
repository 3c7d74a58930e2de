#include "Link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace sim {

namespace {

// What a link points to; empty when path is no link.
std::string LinkTarget(const std::string& path) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    return n > 0 ? std::string(target, static_cast<size_t>(n)) : std::string();
}

// A simulator's port: /dev/pts/ and a number.
bool IsPseudoTerminalPath(std::string_view target) {
    constexpr std::string_view kPts = "/dev/pts/";
    if (target.substr(0, kPts.size()) != kPts) return false;
    const std::string_view number = target.substr(kPts.size());
    return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
}

// What stands at a path, in words, for the refusal.
std::string Kind(const struct stat& st, const std::string& path) {
    if (S_ISLNK(st.st_mode)) {
        const std::string target = LinkTarget(path);
        return "a symbolic link to " + target +
               (IsPseudoTerminalPath(target) ? ", a pseudo-terminal in use" : "");
    }
    if (S_ISREG(st.st_mode)) return "a regular file";
    if (S_ISDIR(st.st_mode)) return "a directory";
    if (S_ISCHR(st.st_mode)) return "a character device";
    if (S_ISBLK(st.st_mode)) return "a block device";
    if (S_ISFIFO(st.st_mode)) return "a named pipe";
    if (S_ISSOCK(st.st_mode)) return "a socket";
    return "something that is not a file";
}

// The link and the port it points to, for RemoveLink, which also runs in a signal handler: only
// async-signal-safe calls there, no allocation. Set before the link is made; g_link, while not
// null, points into g_linkPath.
std::string g_linkPath, g_portPath;
std::atomic<const char*> g_link{nullptr};
static_assert(std::atomic<const char*>::is_always_lock_free);

// Removes the link, once, and only while it is still our link to the port: whatever has been put
// at its path since (a file, a link elsewhere) stays.
void RemoveLink() {
    const char* link = g_link.exchange(nullptr);
    if (!link) return;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link, target, sizeof target);
    if (n >= 0 && static_cast<size_t>(n) == g_portPath.size() &&
        std::memcmp(target, g_portPath.data(), g_portPath.size()) == 0)
        ::unlink(link);
}

// Takes the link along, then dies of the signal as the caller expects.
void OnSignal(int sig) {
    RemoveLink();
    ::raise(sig);  // the handler has been reset to the default (SA_RESETHAND)
    ::_exit(128 + sig);
}

}  // namespace

bool ClearLinkPath(const std::string& path, std::string& error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return true;  // nothing there; making the link says why
    // A link left by a simulator that could not take it along (killed with SIGKILL) points to a
    // pseudo-terminal that went with it: nobody can use it, so it may go.
    if (S_ISLNK(st.st_mode)) {
        const std::string target = LinkTarget(path);
        struct stat port {};
        if (IsPseudoTerminalPath(target) && ::stat(target.c_str(), &port) != 0 && errno == ENOENT &&
            ::unlink(path.c_str()) == 0)
            return true;
    }
    // The real port is often a link too (a udev rule's name, ln -s /dev/ttyS0): taking its name
    // would hide the device and removing it on exit would lose it.
    error = path + ": " + std::strerror(EEXIST) + " (" + Kind(st, path) +
            "); --link replaces nothing but a stale link to a pseudo-terminal that is gone";
    return false;
}

bool MakeLink(const std::string& path, const std::string& port, std::string& error) {
    // Known to RemoveLink before the link exists, so that no signal can come in between.
    g_portPath = port;
    g_linkPath = path;
    std::atexit(RemoveLink);
    g_link = g_linkPath.c_str();
    // symlink() never replaces: whatever came to the path since it was cleared stays.
    if (::symlink(port.c_str(), path.c_str()) == 0) return true;
    const int e = errno;
    g_link = nullptr;
    error = path + ": " + std::strerror(e);
    return false;
}

void CatchEndingSignals() {
    const int ending[] = {SIGHUP, SIGINT, SIGPIPE, SIGTERM};
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sa.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigemptyset(&sa.sa_mask);
    for (const int sig : ending) sigaddset(&sa.sa_mask, sig);
    for (const int sig : ending) {
        struct sigaction old {};
        if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        ::sigaction(sig, &sa, nullptr);
    }
}

}  // namespace sim
