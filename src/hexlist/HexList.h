#pragma once
// The listing window: the window of samples held in SavedView as one coloured line per word of
// the current capture, with its own copy of the view controls. Building the listing is the
// window's load procedure; constructing the window runs the first build.

#include <QWidget>
#include <vector>

#include "capture/ViewSettings.h"
#include "hexlist/Listing.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zq {

class Dialogs;
class WindowHost;
struct ProgramState;

class HexList : public QWidget {
    Q_OBJECT

  public:
    HexList(ProgramState& state, Dialogs& dialogs, WindowHost& host, QWidget* parent = nullptr);

    // The load procedure: SavedView into the boxes, the banner, then the listing of the open
    // capture and its report, once per file.
    void Load();

    // Click handlers of the four buttons.
    void IncStart_Click();
    void DecStart_Click();
    void Update_Click();
    void GraphShow_Click();  // hands over to the main window, which unloads this one

    // Texts and check states of the view controls as they stand.
    ViewBoxes boxes() const;

  private:
    void createControls();
    void setBoxes(const ViewBoxes& boxes);
    void fillList(const std::vector<ListingLine>& lines);

    ProgramState& state_;
    Dialogs& dialogs_;
    WindowHost& host_;

    QPlainTextEdit* HexListText = nullptr;
    QLabel* HexListBanner = nullptr;
    QLineEdit* DataLen = nullptr;
    QPushButton* Update = nullptr;
    QLineEdit* StartPos = nullptr;
    QPushButton* DecStart = nullptr;
    QPushButton* IncStart = nullptr;
    QCheckBox* MarkTrigCheck = nullptr;
    QCheckBox* MarkTrigcentricCheck = nullptr;
    QLineEdit* TrigCentricVal = nullptr;
    QCheckBox* MarkZerocentricCheck = nullptr;
    QLineEdit* ZeroCentricVal = nullptr;
    QCheckBox* MarkCursorsCheck = nullptr;
    QLineEdit* MarkCursorA = nullptr;
    QLineEdit* MarkCursorB = nullptr;
    QLabel* MarkCursorDiff = nullptr;
    QPushButton* GraphShow = nullptr;
};

}  // namespace zq
