// zq350-sim: a simulated ZQ350. It makes a pseudo-terminal pair, tells the path of its port
// side, waits until a program opens that port, and sends a capture file's bytes as the device
// does: paced at 9600 baud (8N1, 960 bytes a second) unless told to hurry, in bursts, with
// optional pauses. It only sends; it never reads from the line.

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "Link.h"
#include "zq/Version.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kBytesPerSecond = 960.0;  // 9600 baud, 10 bits a character
// The most the program itself reads of a capture (kCaptureReadLimit); a capture is about 11 kB.
constexpr size_t kReadLimit = size_t{16} << 20;
constexpr unsigned long long kMaxPauseMs = 86'400'000;  // a day
constexpr unsigned long long kMaxBurst = kReadLimit;

const char* kUsage =
    "usage: zq350-sim FILE [--fast] [--burst N[-M]] [--pause MS] [--link PATH]\n"
    "       zq350-sim -h | --help | --version\n"
    "\n"
    "Simulates a ZQ350 sending the capture in FILE over a serial line. It creates a\n"
    "pseudo-terminal, prints the path of its port side on the first line of standard\n"
    "output, waits until a program opens that port, sends FILE byte for byte, and exits\n"
    "when the program closes the port again. It never reads from the line. FILE must be\n"
    "a regular file of at most 16 MiB (a capture is about 11 kB).\n"
    "\n"
    "  --fast          send as fast as the port takes it (default: 960 bytes/s, 9600 baud 8N1)\n"
    "  --burst N[-M]   send in bursts of N bytes, or of a random size from N to M, each from\n"
    "                  1 to 16777216 (default: 1-64)\n"
    "  --pause MS      wait MS milliseconds, from 0 to 86400000, after each burst, on top of\n"
    "                  the pacing (a pause of 1000 or more makes the program end its read there)\n"
    "  --link PATH     also make PATH a symbolic link to the port, a name that stays from\n"
    "                  run to run: zq350-sim FILE --link /tmp/ttyZQ350, then zq350 --port\n"
    "                  /tmp/ttyZQ350 (or choose it under Device > Other path...); or, as the\n"
    "                  default port, sudo zq350-sim FILE --link /dev/ttyUSB0. Anything at\n"
    "                  PATH (a file, a port, any link) is refused; only a stale link to a\n"
    "                  pseudo-terminal /dev/pts/N that is gone is replaced. The link is\n"
    "                  removed on exit and on SIGINT, SIGTERM, SIGHUP and SIGPIPE, if it\n"
    "                  still points to the port\n"
    "  -h, --help      show this text\n"
    "  --version       show the version\n"
    "\n"
    "An option's value may also follow an equals sign: --pause=500 is --pause 500.\n"
    "\n"
    "Exit status: 0 when FILE was sent and the program closed the port, 1 on a system error,\n"
    "2 on a wrong command line, a FILE that cannot be read, is not a regular file or is\n"
    "larger than 16 MiB, or a --link PATH where something stands.\n";

struct Options {
    std::string file;
    bool fast = false;
    size_t burstMin = 1, burstMax = 64;
    long pauseMs = 0;
    std::string link;
};

// A whole decimal number from lo to hi, digits only: no sign, no spaces, no wrapping. On failure
// says why in error.
bool ParseNumber(const std::string& option, std::string_view s, unsigned long long lo,
                 unsigned long long hi, unsigned long long& out, std::string& error) {
    const char* end = s.data() + s.size();
    const auto [stop, ec] = std::from_chars(s.data(), end, out);
    if (ec == std::errc() && stop == end && out >= lo && out <= hi) return true;
    // A negative number or one too large for any type is a number all the same: out of range.
    const std::string_view digits = s.substr(!s.empty() && s[0] == '-' ? 1 : 0);
    const bool number =
        !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
    error = option + ": '" + std::string(s) + "' " +
            (number ? "is out of range" : "is not a number") + " (allowed: whole numbers from " +
            std::to_string(lo) + " to " + std::to_string(hi) + ")";
    return false;
}

enum class Action { Run, Help, Version, Refuse };

Action ParseArgs(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        // --option=value is --option value.
        std::string name = a, v;
        bool inlineValue = false;
        if (const auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            v = a.substr(eq + 1);
            inlineValue = true;
        }
        auto value = [&] {
            if (inlineValue) return true;
            if (i + 1 >= argc) {
                error = name + " needs a value";
                return false;
            }
            v = argv[++i];
            return true;
        };
        auto noValue = [&] {
            if (inlineValue) error = name + " takes no value";
            return !inlineValue;
        };
        unsigned long long n = 0, m = 0;
        if (name == "--help" || name == "-h") {
            if (!noValue()) return Action::Refuse;
            return Action::Help;
        } else if (name == "--version") {
            if (!noValue()) return Action::Refuse;
            return Action::Version;
        } else if (name == "--fast") {
            if (!noValue()) return Action::Refuse;
            o.fast = true;
        } else if (name == "--burst") {
            if (!value()) return Action::Refuse;
            const auto dash = v.find('-', 1);
            const std::string range = name + " " + v;  // names the whole value for a part
            if (dash == std::string::npos) {
                if (!ParseNumber(name, v, 1, kMaxBurst, n, error)) return Action::Refuse;
                m = n;
            } else if (!ParseNumber(range, std::string_view(v).substr(0, dash), 1, kMaxBurst, n,
                                    error) ||
                       !ParseNumber(range, std::string_view(v).substr(dash + 1), 1, kMaxBurst, m,
                                    error)) {
                return Action::Refuse;
            } else if (m < n) {
                error = name + ": '" + v + "': the largest burst is below the smallest";
                return Action::Refuse;
            }
            o.burstMin = static_cast<size_t>(n);
            o.burstMax = static_cast<size_t>(m);
        } else if (name == "--pause") {
            if (!value() || !ParseNumber(name, v, 0, kMaxPauseMs, n, error)) return Action::Refuse;
            o.pauseMs = static_cast<long>(n);
        } else if (name == "--link") {
            if (!value()) return Action::Refuse;
            if (v.empty()) {
                error = name + " needs a path";
                return Action::Refuse;
            }
            o.link = v;
        } else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a;
            return Action::Refuse;
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            error = "one FILE only (" + o.file + ", " + a + ")";
            return Action::Refuse;
        }
    }
    if (o.file.empty()) {
        error = "no FILE given";
        return Action::Refuse;
    }
    return Action::Run;
}

// Why st is not a regular file, or null when it is one.
const char* NotARegularFile(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return nullptr;
    if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
    if (S_ISFIFO(st.st_mode)) return "a named pipe, not a regular file";
    if (S_ISCHR(st.st_mode)) return "a character device, not a regular file";
    if (S_ISBLK(st.st_mode)) return "a block device, not a regular file";
    if (S_ISSOCK(st.st_mode)) return "a socket, not a regular file";
    return "not a regular file";
}

std::string TooLarge() {
    return std::string(std::strerror(EFBIG)) + " (more than 16 MiB; a capture is about 11 kB)";
}

// Reads the capture in path into data. Only a regular file of at most kReadLimit bytes is read:
// a directory, a device such as /dev/zero or a named pipe would fail, never end or block. On
// failure puts the reason in error.
bool ReadCapture(const std::string& path, std::string& data, std::string& error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (const char* why = NotARegularFile(st)) {
        error = why;
        return false;
    }
    // Again on what was opened, which may no longer be what was checked; O_NONBLOCK so that a
    // named pipe put there meanwhile does not wait for a writer.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = false;
    if (::fstat(fd, &st) != 0) {
        error = std::strerror(errno);
    } else if (const char* why = NotARegularFile(st)) {
        error = why;
    } else if (static_cast<unsigned long long>(st.st_size) > kReadLimit) {
        error = TooLarge();
    } else {
        // Up to the limit, even should the file grow while it is read.
        data.clear();
        data.reserve(static_cast<size_t>(st.st_size));
        char buffer[16 * 1024];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0) {
                if (errno == EINTR) continue;
                error = std::strerror(errno);
                break;
            }
            if (n == 0) {
                ok = true;
                break;
            }
            if (data.size() + static_cast<size_t>(n) > kReadLimit) {
                error = TooLarge();
                break;
            }
            data.append(buffer, static_cast<size_t>(n));
        }
    }
    ::close(fd);
    return ok;
}

// True while no program holds the port side open.
bool NobodyListening(int master) {
    pollfd p{master, 0, 0};
    return ::poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP);
}

bool WriteAll(int fd, const char* p, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

// Standard output carries the port's path, which callers wait for: a failed write is an error.
bool WriteOut(const std::string& text) {
    if (WriteAll(STDOUT_FILENO, text.data(), text.size())) return true;
    std::cerr << "zq350-sim: standard output: " << std::strerror(errno) << "\n";
    return false;
}

// A standard descriptor the caller closed would be taken by the next file opened, the capture or
// the pseudo-terminal, and the port's path or a message written into the port itself. Hold each
// with /dev/null opened the wrong way round, so that using it fails as it would have.
void HoldClosedStandardDescriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // The lowest free descriptor: fd itself, those below it being open by now.
        if (::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) != fd) std::_Exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    HoldClosedStandardDescriptors();
    Options o;
    std::string error;
    switch (ParseArgs(argc, argv, o, error)) {
        case Action::Help:
            return WriteOut(kUsage) ? 0 : 1;
        case Action::Version:
            return WriteOut(std::string("zq350-sim ") + zq::kVersion + "\n") ? 0 : 1;
        case Action::Refuse:
            std::cerr << "zq350-sim: " << error << "\n" << kUsage;
            return 2;
        case Action::Run:
            break;
    }
    std::string data;
    if (!ReadCapture(o.file, data, error)) {
        std::cerr << "zq350-sim: " << o.file << ": " << error << "\n";
        return 2;
    }
    if (!o.link.empty() && !sim::ClearLinkPath(o.link, error)) {
        std::cerr << "zq350-sim: " << error << "\n";
        return 2;
    }

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::cerr << "zq350-sim: pseudo-terminal: " << std::strerror(errno) << "\n";
        return 1;
    }
    const char* name = ::ptsname(master);
    if (!name) {
        std::cerr << "zq350-sim: pseudo-terminal: " << std::strerror(errno) << "\n";
        return 1;
    }
    const std::string port = name;
    // The master reports a hang-up only once its port side has been opened and closed again:
    // do that once, so that "nobody listening" can be told from "someone opened the port".
    // Without it the simulator would take the port for opened and send at once.
    const int probe = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (probe < 0) {
        std::cerr << "zq350-sim: " << port << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    ::close(probe);
    // Raw on the port side as well, so that the line discipline neither echoes nor translates
    // what was sent before the program has set its own modes.
    termios tio{};
    bool raw = ::tcgetattr(master, &tio) == 0;
    if (raw) {
        ::cfmakeraw(&tio);
        raw = ::cfsetispeed(&tio, B9600) == 0 && ::cfsetospeed(&tio, B9600) == 0 &&
              ::tcsetattr(master, TCSANOW, &tio) == 0;
    }
    if (!raw) {
        std::cerr << "zq350-sim: " << port << ": raw mode: " << std::strerror(errno) << "\n";
        return 1;
    }

    // Run through sudo (to put --link into /dev), the port still belongs to the user who
    // runs the program, who could not open a port of root's otherwise.
    if (const char* uid = std::getenv("SUDO_UID"); uid && ::geteuid() == 0) {
        unsigned long long id = 0;
        if (!ParseNumber("SUDO_UID", uid, 0, static_cast<uid_t>(-1) - 1, id, error))
            std::cerr << "zq350-sim: " << error << "; the port stays root's\n";
        else if (::chown(port.c_str(), static_cast<uid_t>(id), static_cast<gid_t>(-1)) != 0)
            std::cerr << "zq350-sim: " << port << ": " << std::strerror(errno) << "\n";
    }

    sim::CatchEndingSignals();
    if (!o.link.empty() && !sim::MakeLink(o.link, port, error)) {
        std::cerr << "zq350-sim: " << error << "\n";
        return 1;
    }
    if (!WriteOut(port + "\n")) return 1;
    std::cerr << "zq350-sim: waiting for a program to open " << port << "\n";

    while (NobodyListening(master)) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // Give the program a moment to set its port modes before the first byte arrives.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::cerr << "zq350-sim: sending " << data.size() << " bytes\n";

    std::mt19937 rng(std::random_device{}());
    std::uniform_int_distribution<size_t> burst(o.burstMin, o.burstMax);
    const auto start = Clock::now();
    auto pausedFor = Clock::duration::zero();
    size_t sent = 0;
    while (sent < data.size()) {
        const size_t n = std::min(burst(rng), data.size() - sent);
        if (!WriteAll(master, data.data() + sent, n)) {
            std::cerr << "zq350-sim: write: " << std::strerror(errno) << "\n";
            return 1;
        }
        sent += n;
        if (!o.fast) {
            // Keep to the line's speed over the whole transfer, not burst by burst.
            const auto due = start + pausedFor +
                             std::chrono::duration_cast<Clock::duration>(
                                 std::chrono::duration<double>(sent / kBytesPerSecond));
            std::this_thread::sleep_until(due);
        }
        if (o.pauseMs > 0 && sent < data.size()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(o.pauseMs));
            pausedFor += std::chrono::milliseconds(o.pauseMs);
        }
    }
    std::cerr << "zq350-sim: sent; waiting for the program to close the port\n";
    // Closing our side now would look like a pulled cable to the program.
    while (!NobodyListening(master)) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return 0;
}
