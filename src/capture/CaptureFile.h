#pragma once
// A capture file held open for reading while it is the current capture. Every pass reads it
// again from its first byte through the open descriptor, never by name: a file renamed or
// deleted while it is viewed still reads as it was opened.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zq {

// How much of a file a pass reads at most.
extern const size_t kCaptureReadLimit;

// The bytes of one pass, loaded from the file as far as the scan asks for them.
class ByteCursor {
  public:
    // Reads the open descriptor from offset 0 on, in blocks, as the scan goes.
    explicit ByteCursor(int fd);
    // Bytes held in memory (tests, fuzzing, tools that already hold a file).
    explicit ByteCursor(std::string_view bytes);

    // True when byte i (0-based) exists; loads more of the file when needed.
    bool has(size_t i) {
        if (i < size_) return true;
        return loadUpTo(i);
    }
    char at(size_t i) const { return data_[i]; }

  private:
    bool loadUpTo(size_t i);
    // Not a vector: growing it would zero every block before the file overwrites it.
    std::unique_ptr<char[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
    size_t sizeHint_ = 0;
    int fd_ = -1;
    bool eof_ = true;
};

// What tells a file's versions apart without reading it: an atomic save gives a new inode, a
// write in place a new size or modification time.
struct FileStamp {
    uint64_t device = 0, inode = 0;
    int64_t size = 0, modified = 0;  // modified in nanoseconds
    bool operator==(const FileStamp&) const = default;
};
// The stamp of what path names now; nothing when it names nothing.
std::optional<FileStamp> StampOf(const std::string& path);

class CaptureFile {
  public:
    // Opens path for reading. On failure returns null and puts the system's text in error.
    static std::unique_ptr<CaptureFile> open(const std::string& path, std::string& error);
    ~CaptureFile();
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    // Length in bytes as the file stands now (0 when it cannot be asked).
    int64_t length() const;
    // The stamp of the open file.
    FileStamp stamp() const;
    // A cursor positioned at the first byte.
    ByteCursor cursor() const { return ByteCursor(fd_); }
    const std::string& path() const { return path_; }

  private:
    CaptureFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::string path_;
};

}  // namespace zq
