#pragma once
// The writer of a capture file during a device read. What arrives goes into a file of its own
// beside the target (NAME.part, or NAME.part.2, ... when that exists), at once and unchanged (no
// buffering, no conversion, no header), and takes the target's place only when the read ends
// with bytes: until then the target, which may be the capture being viewed, stays as it was,
// and a program that dies mid-read leaves what arrived under the writer's own name.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zq {

class CaptureWriter {
  public:
    // Creates a new file beside target (beside the file it names, when it is a symbolic link),
    // never one that exists. On failure returns null with the name tried and the system's text
    // in error.
    static std::unique_ptr<CaptureWriter> Create(const std::string& target, std::string& error);
    ~CaptureWriter();  // Close()
    CaptureWriter(const CaptureWriter&) = delete;
    CaptureWriter& operator=(const CaptureWriter&) = delete;

    // Appends bytes exactly as given. False with the system's text on failure (disk full).
    bool Write(std::string_view bytes, std::string& error);
    // Closes the file and puts it in the target's place (an atomic rename, after its bytes are
    // on the disk). False with the system's text when that fails; the file then stays under
    // its own name.
    bool Place(std::string& error);
    // Closes the file where it is; one that received nothing is removed.
    void Close();

    bool isOpen() const { return fd_ >= 0; }
    // Bytes written so far.
    uint64_t bytes() const { return bytes_; }
    // The file written.
    const std::string& path() const { return path_; }
    // The file it is meant to become, as named.
    const std::string& target() const { return target_; }

  private:
    CaptureWriter(int fd, std::string path, std::string target, std::string destination);
    int fd_;
    uint64_t bytes_ = 0;
    std::string path_;
    std::string target_;
    std::string destination_;  // target with its symbolic links followed
};

}  // namespace zq
