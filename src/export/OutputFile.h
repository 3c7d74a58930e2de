#pragma once
// Writing an export without harming anything else: an output never is the capture it was made
// from (or another output of the same export), and opening or writing it never blocks.

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

// An output file opened but not yet changed. open() creates the file when it does not exist
// and refuses, without truncating anything:
//   - a file that is one of `protect` (same device and inode: the input, another output);
//   - a pipe or socket: its reader decides when a write returns. Regular files and character
//     devices (/dev/null, a terminal) are accepted; the descriptor is non-blocking, so a device
//     that cannot take the bytes at once fails with the system's text instead of waiting.
// Errors are "PATH: text". A file this object created is removed again when it is refused or
// its write fails or it is never written, so a failed export leaves no new file behind it.
class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool open(const std::string& path, const std::vector<FileIdentity>& protect,
              std::string& error);
    FileIdentity identity() const { return identity_; }
    // Truncates a regular file, writes all bytes and closes, checking each step.
    bool writeAndClose(std::string_view bytes, std::string& error);

  private:
    bool fail(const std::string& text, std::string& error);
    int fd_ = -1;
    std::string path_;
    FileIdentity identity_;
    bool regular_ = false;
    bool created_ = false;
};

}  // namespace zq::exports
