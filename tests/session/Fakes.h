#pragma once
// Fakes of the device read's surroundings: a port whose events the test raises, dialogs that
// answer from a script and record what was asked, a timer the test fires, a viewer that records.

#include <sys/resource.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/CaptureSession.h"
#include "session/DeviceSession.h"
#include "session/Dialogs.h"
#include "session/EndTimer.h"
#include "session/SerialPort.h"
#include "support/CancelledAsks.h"

namespace zq::test {

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// A fresh directory per test, removed afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    std::filesystem::path operator/(const std::string& name) const { return dir_ / name; }
    const std::filesystem::path& path() const { return dir_; }

  private:
    std::filesystem::path dir_;
};

// While it lives, a write past the first bytes of a file fails with EFBIG, as a full disk
// fails it with ENOSPC: a disk that fills up, in any directory, without privileges.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

class FakePort : public SerialPort {
  public:
    bool open(std::string& error) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    std::string name() const override { return "/dev/ttyFAKE"; }
    PortAccess probe() const override { return access; }
    std::string readAll() override;
    void setRts(bool high) override;
    void setNullDiscard(bool discard) override { nullDiscard = discard; }

    // Makes bytes wait and raises the data event, as the real port does.
    void receive(const std::string& bytes);
    void raise(int code) { onCommEvent(code); }

    std::string waiting;
    std::string openError;  // when set, open() fails with it
    PortAccess access;      // what a look at its path finds
    int opens = 0;
    std::optional<bool> nullDiscard;
    // Each RTS change with the size of the file being written at that moment.
    std::vector<std::pair<bool, uintmax_t>> rts;
    std::filesystem::path watched;  // the file whose size rts records

  private:
    bool open_ = false;
};

struct Asked {
    std::string text;
    Buttons buttons;
    Icon icon;
    std::string title;
};

class FakeDialogs : public test::CancelledAsks {
  public:
    int MessageBox(const std::string& text, Buttons buttons, Icon icon,
                   const std::string& title) override;
    bool ShowOpen(OpenLogSettings& settings) override;
    bool ShowSave(OpenLogSettings& settings) override {
        ++saves;
        return ShowOpen(settings);
    }
    int saves = 0;
    void Beep() override { ++beeps; }

    // Script: the names the file dialog returns (nullopt = Cancel) and the box answers.
    std::deque<std::optional<std::string>> names;
    std::deque<int> answers;
    // Run while the dialog or a box is open, as the message loop would run other handlers.
    std::function<void()> duringDialog;
    std::function<void()> duringBox;

    std::vector<Asked> asked;
    std::vector<OpenLogSettings> shown;  // the settings at each showing
    int beeps = 0;
};

class FakeTimer : public EndTimer {
  public:
    void start() override { active = true, ++starts; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    void fire() { onTimeout(); }
    bool active = false;
    int starts = 0;
};

// Records what a device session tells the main window: its progress lines, and each capture
// it completes (the title the window then shows, and its redraw).
class FakeViewer {
  public:
    void attach(DeviceSession& device, const CaptureSession& capture);
    void CalcData();

    std::function<void()> onCalcData;
    std::vector<std::string> titles;
    std::vector<std::string> statuses;
    int calcs = 0;
};

}  // namespace zq::test
