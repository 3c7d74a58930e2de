#pragma once
// The view controls that both windows carry, built once: the StartPos and DataLen boxes with
// "Go !", "<" and ">", the four mark check boxes with their interval and cursor boxes, their
// captions and the cursor distance. Each window places the two groups at its own design origin
// (the controls keep their designed offsets within a group) and copies the boxes' texts and
// check states to and from the handlers as ViewBoxes.
//
// The controls are children of the window's client area, not of a container of their own: the
// design gives every control a place relative to the client, and the windows interleave them
// in one tab order with their other controls.

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "view/ViewSettings.h"
#include "widgets/Geometry.h"

namespace zq {

class ViewControls {
    Q_DECLARE_TR_FUNCTIONS(zq::ViewControls)

  public:
    struct Design {
        int windowLeft, windowTop;  // "Data Length" caption (Label17), in twips
        int marksLeft, marksTop;    // MarkTrigCheck, in twips
        // The main window's buttons wrap their captions and its short boxes keep Qt's own
        // maximum length; the listing's boxes limit typing only, and its captions shrink
        // together rather than one by one.
        bool listingStyle = false;
    };

    ViewControls(QWidget* client, const TwipScale& scale, const Design& design);

    // Texts and check states as they stand.
    ViewBoxes boxes() const;
    // Writes every box; a text box is written only when its text differs.
    void setBoxes(const ViewBoxes& boxes);
    // Writes only what differs between before and after: a handler's own changes.
    void setChangedBoxes(const ViewBoxes& before, const ViewBoxes& after);

    QLineEdit* StartPos = nullptr;
    QLineEdit* DataLen = nullptr;
    QLineEdit* TrigCentricVal = nullptr;
    QLineEdit* ZeroCentricVal = nullptr;
    QLineEdit* MarkCursorA = nullptr;
    QLineEdit* MarkCursorB = nullptr;
    QCheckBox* MarkTrigCheck = nullptr;
    QCheckBox* MarkTrigcentricCheck = nullptr;
    QCheckBox* MarkZerocentricCheck = nullptr;
    QCheckBox* MarkCursorsCheck = nullptr;
    QLabel* MarkCursorDiff = nullptr;
    QPushButton* Update = nullptr;
    QPushButton* IncStart = nullptr;
    QPushButton* DecStart = nullptr;
    // Label17 to Label22, the captions.
    std::array<QLabel*, 6> captions{};

    std::array<QCheckBox*, 4> checks() const {
        return {MarkTrigCheck, MarkTrigcentricCheck, MarkZerocentricCheck, MarkCursorsCheck};
    }
};

// Sets a check state; only a greyed state (restored, never clicked) makes the box three-state.
void SetCheck(QCheckBox* box, uint8_t state);

}  // namespace zq
