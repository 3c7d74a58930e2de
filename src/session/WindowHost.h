#pragma once
// Switches between the two windows, which never coexist: showing one unloads the other.
// The program's main() provides the real one; window tests a recording fake.

#include <string>

namespace zq {

class WindowHost {
  public:
    virtual ~WindowHost() = default;
    // "Text List": show HexList, unload TimingView.
    virtual void showHexList() = 0;
    // "Show Graph": show TimingView (loaded afresh), unload HexList.
    virtual void showTimingView() = 0;
    // A capture dropped on a window or named outside the main window: the main window shows it
    // loaded as "Load  from Disk" loads a chosen file.
    virtual void openCapture(const std::string& path) = 0;
};

}  // namespace zq
