#pragma once
// The writer of a capture file during a device read: every chunk received goes to the
// operating system at once and unchanged (no buffering, no conversion, no header).

#include <memory>
#include <string>
#include <string_view>

namespace zq {

class CaptureWriter {
  public:
    // Creates (or empties) the file. On failure returns null with the system's text in error.
    static std::unique_ptr<CaptureWriter> Create(const std::string& path, std::string& error);
    ~CaptureWriter();  // closes
    CaptureWriter(const CaptureWriter&) = delete;
    CaptureWriter& operator=(const CaptureWriter&) = delete;

    // Appends bytes exactly as given. False with the system's text on failure (disk full).
    bool Write(std::string_view bytes, std::string& error);
    void Close();
    bool isOpen() const;
    const std::string& path() const;

  private:
    CaptureWriter(int fd, std::string path);
    int fd_;
    std::string path_;
};

}  // namespace zq
