// zq350-sim: a simulated ZQ350. It makes a pseudo-terminal pair, tells the path of its port
// side, waits until a program opens that port, and sends a capture file's bytes as the device
// does: paced at 9600 baud (8N1, 960 bytes a second) unless told to hurry, in bursts, with
// optional pauses. It only sends; it never reads from the line.

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kBytesPerSecond = 960.0;  // 9600 baud, 10 bits a character

const char* kUsage =
    "usage: zq350-sim FILE [--fast] [--burst N[-M]] [--pause MS] [--link PATH]\n"
    "\n"
    "Simulates a ZQ350 sending the capture in FILE over a serial line. It creates a\n"
    "pseudo-terminal, prints the path of its port side on the first line of standard\n"
    "output, waits until a program opens that port, sends FILE byte for byte, and exits\n"
    "when the program closes the port again. It never reads from the line.\n"
    "\n"
    "  --fast          send as fast as the port takes it (default: 960 bytes/s, 9600 baud 8N1)\n"
    "  --burst N[-M]   send in bursts of N bytes, or of a random size from N to M\n"
    "                  (default: 1-64)\n"
    "  --pause MS      wait MS milliseconds after each burst, on top of the pacing\n"
    "                  (a pause of 1000 or more makes the program end its read there)\n"
    "  --link PATH     also make PATH a symbolic link to the port (replaces a link, never a\n"
    "                  file); the program reads /dev/ttyUSB0, so on a machine without that\n"
    "                  port: sudo zq350-sim FILE --link /dev/ttyUSB0\n"
    "  --help          show this text\n";

struct Options {
    std::string file;
    bool fast = false;
    size_t burstMin = 1, burstMax = 64;
    long pauseMs = 0;
    std::string link;
};

bool ParseSize(const std::string& s, size_t& out) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos) return false;
    out = std::strtoull(s.c_str(), nullptr, 10);
    return out > 0;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= argc) return false;
            v = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            std::exit(0);
        } else if (a == "--fast") {
            o.fast = true;
        } else if (a == "--burst") {
            if (!value(v)) return false;
            const auto dash = v.find('-');
            if (dash == std::string::npos) {
                if (!ParseSize(v, o.burstMin)) return false;
                o.burstMax = o.burstMin;
            } else if (!ParseSize(v.substr(0, dash), o.burstMin) ||
                       !ParseSize(v.substr(dash + 1), o.burstMax) || o.burstMax < o.burstMin) {
                return false;
            }
        } else if (a == "--pause") {
            size_t ms = 0;
            if (!value(v) || (v != "0" && !ParseSize(v, ms))) return false;
            o.pauseMs = static_cast<long>(ms);
        } else if (a == "--link") {
            if (!value(o.link)) return false;
        } else if (!a.empty() && a[0] == '-') {
            return false;
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            return false;
        }
    }
    return !o.file.empty();
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

std::string g_link;
void RemoveLink() {
    if (!g_link.empty()) ::unlink(g_link.c_str());
}
void OnSignal(int) {
    RemoveLink();
    std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        std::cerr << kUsage;
        return 2;
    }
    std::ifstream in(o.file, std::ios::binary);
    if (!in) {
        std::cerr << "zq350-sim: " << o.file << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

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
    const int probe = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (probe >= 0) ::close(probe);
    // Raw on the port side as well, so that the line discipline neither echoes nor translates
    // what was sent before the program has set its own modes.
    termios tio{};
    if (::tcgetattr(master, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(master, TCSANOW, &tio);
    }

    // Run through sudo (to put --link into /dev), the port still belongs to the user who
    // runs the program, who could not open a port of root's otherwise.
    if (const char* uid = std::getenv("SUDO_UID"); uid && ::geteuid() == 0) {
        if (::chown(port.c_str(), static_cast<uid_t>(std::strtoul(uid, nullptr, 10)),
                    static_cast<gid_t>(-1)) != 0)
            std::cerr << "zq350-sim: " << port << ": " << std::strerror(errno) << "\n";
    }

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    if (!o.link.empty()) {
        struct stat st {};
        if (::lstat(o.link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) ::unlink(o.link.c_str());
        if (::symlink(port.c_str(), o.link.c_str()) != 0) {
            std::cerr << "zq350-sim: " << o.link << ": " << std::strerror(errno) << "\n";
            return 1;
        }
        g_link = o.link;
        std::atexit(RemoveLink);
    }
    std::cout << port << std::endl;
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
