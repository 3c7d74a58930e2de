#pragma once
// The listing window: the window of samples held in SavedView as one coloured line per word of
// the current capture, with its own copy of the view controls. Building the listing is the
// window's load procedure; constructing the window runs the first build.

#include <QWidget>
#include <memory>
#include <vector>

#include "view/ViewSettings.h"
#include "hexlist/HexListLogic.h"
#include "widgets/ViewControls.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zq {

class WindowHost;

class HexList : public QWidget, private HexListOutput {
    Q_OBJECT

  public:
    HexList(CaptureSession& capture, Dialogs& dialogs, WindowHost& host, QWidget* parent = nullptr);
    ~HexList() override;

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

  protected:
    // The list takes the growth of a larger window: more lines show.
    // A dropped capture file goes to the main window, loaded as "Load  from Disk" loads it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // HexListOutput
    void ShowBoxes(const ViewBoxes& boxes) override;
    void ShowBanner(const std::string& banner) override;
    void ShowListing(const std::vector<ListingLine>& lines) override;
    void ShowCursorDiff(const std::string& caption) override;

    void createControls();

    WindowHost& host_;
    HexListLogic logic_;

    QPlainTextEdit* HexListText = nullptr;
    QLabel* HexListBanner = nullptr;
    std::unique_ptr<ViewControls> controls_;
    QPushButton* GraphShow = nullptr;
    QSize designSize_;
    QRect listDesign_;
};

}  // namespace zq
