#pragma once
// Which serial port a device read listens on: the ports the system lists, the entries the
// port lists offer, a path the user types, and whether a path can be read at all, told before
// the user names a file. Plain code: the system's list arrives through a seam (PortLister),
// and the look at a path (stat, access) is ProbePortPath's alone.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zq {

// The port a read listens on until another is chosen. Most USB serial adapters appear here.
inline constexpr const char* kZq350PortPath = "/dev/ttyUSB0";

// A serial port as the system lists it; empty texts and no ids where it does not know them.
struct PortInfo {
    std::string path;
    std::string description;
    std::string manufacturer;
    std::string serialNumber;
    std::optional<uint16_t> vendorId, productId;
};

// Lists the serial ports the system has now. The system's list holds neither pseudo-terminals
// nor links (a udev SYMLINK, the simulator's link).
using PortLister = std::function<std::vector<PortInfo>()>;

// One entry of a port list: the path it chooses and the text it shows.
struct PortEntry {
    std::string path;
    std::string label;
    bool operator==(const PortEntry&) const = default;
};

// "/dev/ttyUSB0 - FT232R USB UART, FTDI, serial A600b3xz, USB 0403:6001": the path, then what
// identifies the port, each thing once; the path alone when nothing does.
std::string PortLabel(const PortInfo& port);

// The entries of a port list: the ports found, with the chosen and the default path always
// among them (as their bare paths when the system does not list them), each path once, in
// path order with numbers by value (ttyS2 before ttyS10). The default is marked as such.
std::vector<PortEntry> PortEntries(const std::vector<PortInfo>& found, const std::string& chosen);

// The path a typed text names ("Other path...", --port): blanks around it are dropped, a bare
// name is one under /dev, a relative path is taken from cwd. Nothing for an empty text.
std::optional<std::string> PortPathFromText(const std::string& text, const std::string& cwd);

// What the file system says of a port's path, as ProbePortPath finds it.
struct PortAccess {
    int error = 0;  // of stat, links followed (a link to nothing: ENOENT); 0 when it is there
    bool characterDevice = true;
    int readError = 0;  // of access for reading: EACCES when the user may not read it
    std::string group;  // the group that owns it, when it has a name
    bool groupMayRead = false;
};

// Looks at path itself (stat and access), whatever any list says.
PortAccess ProbePortPath(const std::string& path);

// Why a read cannot listen on path, for the user, naming the ports found (an adapter on
// another port is the common cause); empty when the port can be opened for reading.
std::string PortProblem(const std::string& path, const PortAccess& access,
                        const std::vector<PortInfo>& found);

}  // namespace zq
