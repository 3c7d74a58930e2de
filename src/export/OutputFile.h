#pragma once
// The one way every file the program makes is written: exports, pictures, and anything saved
// later. An output never is the capture it was made from, never a pipe or socket, and replaces
// its target whole or not at all. No Qt: a Qt caller encodes its bytes first and hands them over.

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq::exports {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of an existing file, or nullopt when it cannot be asked.
std::optional<FileIdentity> IdentifyFile(const std::string& path);

// Where an output's bytes end up: symbolic links followed to the file they name (which need
// not exist yet), in an absolute folder. Fails with the system's text in error.
std::optional<std::string> ResolveOutputPath(const std::string& path, std::string& error);

// One file to write, named as the user named it, and all of its bytes.
struct Output {
    std::string path;
    std::string_view bytes;
};

// Writes outputs as one step. Before anything is written each is checked, and refused when it
// is one of inputs (same device and inode: by path, hard or symbolic link), another output of
// the same step, a pipe or socket (its reader could hold the program up), a directory, or an
// existing file we may not write. A regular file, new or existing, is written to a temporary
// file in its folder, flushed to the disk and closed; only when every output is complete are
// the temporaries renamed over their targets, so a target is replaced whole or left untouched
// and nothing half-written remains. The replacement keeps the target's permissions; a new file
// gets 0666 less the umask. A character device (/dev/null) is written directly, without
// waiting. Errors are "PATH: text", with the system's text where it has one.
bool WriteOutputs(const std::vector<Output>& outputs, const std::vector<FileIdentity>& inputs,
                  std::string& error);

}  // namespace zq::exports
