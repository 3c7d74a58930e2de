#include "widgets/ViewControls.h"

#include <QFontMetrics>
#include <QPalette>
#include <QValidator>
#include <algorithm>
#include <vector>

#include "widgets/Controls.h"

namespace zq {

namespace {

constexpr int kShortBox = 4;  // the box lengths the design limits

// Limits what the user types to a number of characters, while text written by the program may
// be longer: QLineEdit's own maximum length would cut such text short (a 16-bit value restored
// into the box, or a fraction left by ">"), and the box must show what the build read. An edit
// may always shorten the text.
class TypedLengthLimit : public QValidator {
  public:
    TypedLengthLimit(QLineEdit* edit, int maxLength) : QValidator(edit), maxLength_(maxLength) {
        // The line edit validates its tentative text, so the length before the edit is
        // tracked here; setText() is never validated but reports its text.
        shownLength_ = edit->text().size();
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { shownLength_ = text.size(); });
    }

    State validate(QString& input, int&) const override {
        return input.size() <= std::max<qsizetype>(maxLength_, shownLength_) ? Acceptable : Invalid;
    }

  private:
    qsizetype maxLength_;
    qsizetype shownLength_ = 0;
};

// The captions were sized for a narrower font than the desktop's default; rather than clip a
// caption under the box beside it, the captions shrink together until each fits its label.
void FitCaptionsTogether(const std::array<QLabel*, 6>& labels) {
    constexpr double kSmallestPoints = 6.0;
    QFont f = labels.front()->font();
    auto fits = [&f](const QLabel* l) {
        return QFontMetrics(f).horizontalAdvance(l->text()) <= l->width();
    };
    while (f.pointSizeF() > kSmallestPoints && !std::all_of(labels.begin(), labels.end(), fits))
        f.setPointSizeF(f.pointSizeF() - 0.25);
    for (QLabel* l : labels) l->setFont(f);
}

void SetText(QLineEdit* box, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (box->text() != t) box->setText(t);
}

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

}  // namespace

void SetCheck(QCheckBox* box, uint8_t state) {
    box->setTristate(QtCheckState(state) == Qt::PartiallyChecked);
    box->setCheckState(QtCheckState(state));
}

ViewControls::ViewControls(QWidget* client, const TwipScale& scale, const Design& d) {
    const bool listing = d.listingStyle;
    // Offsets within a group are the design's; wx/wy and mx/my are the groups' origins.
    const int wx = d.windowLeft, wy = d.windowTop, mx = d.marksLeft, my = d.marksTop;
    const auto place = [&](QWidget* w, const char* name, int left, int top, int width, int height) {
        w->setObjectName(name);
        w->setGeometry(scale.rect(left, top, width, height));
    };
    const auto label = [&](const char* name, const QString& text, int left, int top, int width,
                           int height, bool right) {
        auto* l = new QLabel(text, client);
        if (right)
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        else if (!listing)
            l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        place(l, name, left, top, width, height);
        if (!listing) FitTextToWidth(l, l->text());
        return l;
    };
    const auto textBox = [&](const char* name, const char* text, int left, int top, int maxLength) {
        auto* e = new QLineEdit(text, client);
        place(e, name, left, top, 555, 315);
        if (maxLength > 0) {
            if (listing)
                e->setValidator(new TypedLengthLimit(e, maxLength));
            else
                e->setMaxLength(maxLength);
        }
        return e;
    };
    const auto button = [&](const char* name, const QString& text, int left, int top, int width,
                            int height) {
        QPushButton* b = listing ? new QPushButton(text, client) : new WrapButton(text, client);
        place(b, name, left, top, width, height);
        if (listing) b->setAutoDefault(false);
        return b;
    };
    const auto checkBox = [&](const char* name, QColor back, const QString& accessibleName,
                              uint8_t state, int left, int top, int height) {
        // Only the box shows: the caption to its right names it, also for screen readers.
        auto* c = new QCheckBox(client);
        place(c, name, left, top, 255, height);
        c->setAccessibleName(accessibleName);
        c->setAutoFillBackground(true);
        QPalette p = c->palette();
        p.setColor(QPalette::Window, back);
        c->setPalette(p);
        SetCheck(c, state);
        return c;
    };

    captions[0] = label("Label17", tr("Data Length"), wx, wy, 1155, 285, true);
    DataLen = textBox("DataLen", "64", wx + 1200, wy - 30, kShortBox);
    captions[1] = label("Label18", tr("Start Position"), wx, wy + 360, 1155, 285, true);
    StartPos = textBox("StartPos", "1008", wx + 1200, wy + 330, kShortBox);
    Update = button("Update", tr("Go !"), wx + 1800, wy, 435, 705);
    DecStart = button("DecStart", "<", wx + 2280, wy + 330, 615, 315);
    IncStart = button("IncStart", ">", wx + 2880, wy + 330, 555, 315);

    MarkTrigCheck =
        checkBox("MarkTrigCheck", QColor(255, 128, 128), tr("Mark Trig"), Checked, mx, my, 255);
    captions[2] = label("Label19", tr("Mark Trig"), mx + 240, my + 30, 1635, 285, false);
    MarkTrigcentricCheck = checkBox("MarkTrigcentricCheck", QColor(0, 255, 255),
                                    tr("Mark from Trig  - every"), Unchecked, mx, my + 270, 285);
    captions[3] =
        label("Label20", tr("Mark from Trig  - every"), mx + 240, my + 270, 1635, 285, false);
    TrigCentricVal = textBox("TrigCentricVal", "16", mx + 1920, my + 240, 0);
    MarkZerocentricCheck = checkBox("MarkZerocentricCheck", QColor(128, 255, 128),
                                    tr("Mark from Zero - every"), Unchecked, mx, my + 570, 285);
    captions[4] =
        label("Label21", tr("Mark from Zero - every"), mx + 240, my + 570, 1635, 285, false);
    ZeroCentricVal = textBox("ZeroCentricVal", "16", mx + 1920, my + 540, 0);
    MarkCursorsCheck = checkBox("MarkCursorsCheck", QColor(255, 0, 255),
                                tr("Set Cursors - - - - at"), Checked, mx, my + 840, 285);
    captions[5] =
        label("Label22", tr("Set Cursors - - - - at"), mx + 240, my + 870, 1635, 285, false);
    MarkCursorA = textBox("MarkCursorA", "1008", mx + 1920, my + 840, kShortBox);
    MarkCursorB = textBox("MarkCursorB", "1040", mx + 2520, my + 840, kShortBox);
    MarkCursorDiff = label("MarkCursorDiff", "", mx + 60, my + 1170, 1695, 285, false);
    if (listing) FitCaptionsTogether(captions);

    // Every box's accessible name is its caption, so a screen reader says what it holds.
    DataLen->setAccessibleName(tr("Data Length"));
    StartPos->setAccessibleName(tr("Start Position"));
    TrigCentricVal->setAccessibleName(tr("Mark from Trig  - every"));
    ZeroCentricVal->setAccessibleName(tr("Mark from Zero - every"));
    MarkCursorA->setAccessibleName(tr("Cursor A"));
    MarkCursorB->setAccessibleName(tr("Cursor B"));
    MarkCursorDiff->setAccessibleName(tr("Cursor Diff"));
    Update->setAccessibleName(tr("Go"));
    DecStart->setAccessibleName(tr("Step back"));
    IncStart->setAccessibleName(tr("Step forward"));

    // What each control does, a hover away.
    DataLen->setToolTip(
        tr("How many samples the window shows after its first (Enter or Go ! applies it)"));
    StartPos->setToolTip(tr("The window's first sample, 0 to 2047 (Enter or Go ! applies it)"));
    Update->setToolTip(tr("Apply the window and the marks as typed"));
    DecStart->setToolTip(tr("Step the window back by a quarter of its length"));
    IncStart->setToolTip(tr("Step the window forward by a quarter of its length"));
    MarkTrigCheck->setToolTip(tr("Mark the trigger sample (1024)"));
    MarkTrigcentricCheck->setToolTip(tr("Mark every so many samples counted from the trigger"));
    MarkZerocentricCheck->setToolTip(tr("Mark every so many samples counted from sample 0"));
    TrigCentricVal->setToolTip(tr("Interval of the marks counted from the trigger, in samples"));
    ZeroCentricVal->setToolTip(tr("Interval of the marks counted from sample 0, in samples"));
    MarkCursorsCheck->setToolTip(tr("Show the two cursors and their distance"));
    MarkCursorA->setToolTip(tr("Cursor A's sample (in the diagram a click sets it)"));
    MarkCursorB->setToolTip(tr("Cursor B's sample (in the diagram a right-click sets it)"));
    MarkCursorDiff->setToolTip(tr("The distance between the cursors, in samples"));
}

ViewBoxes ViewControls::boxes() const {
    ViewBoxes b;
    b.StartPos = Text(StartPos);
    b.DataLen = Text(DataLen);
    b.TrigCentricVal = Text(TrigCentricVal);
    b.ZeroCentricVal = Text(ZeroCentricVal);
    b.MarkCursorA = Text(MarkCursorA);
    b.MarkCursorB = Text(MarkCursorB);
    b.MarkTrigCheck = CheckValue(MarkTrigCheck);
    b.MarkTrigcentricCheck = CheckValue(MarkTrigcentricCheck);
    b.MarkZerocentricCheck = CheckValue(MarkZerocentricCheck);
    b.MarkCursorsCheck = CheckValue(MarkCursorsCheck);
    return b;
}

void ViewControls::setBoxes(const ViewBoxes& b) {
    SetText(StartPos, b.StartPos);
    SetText(DataLen, b.DataLen);
    SetText(TrigCentricVal, b.TrigCentricVal);
    SetText(ZeroCentricVal, b.ZeroCentricVal);
    SetText(MarkCursorA, b.MarkCursorA);
    SetText(MarkCursorB, b.MarkCursorB);
    SetCheck(MarkTrigCheck, b.MarkTrigCheck);
    SetCheck(MarkZerocentricCheck, b.MarkZerocentricCheck);
    SetCheck(MarkTrigcentricCheck, b.MarkTrigcentricCheck);
    SetCheck(MarkCursorsCheck, b.MarkCursorsCheck);
}

void ViewControls::setChangedBoxes(const ViewBoxes& before, const ViewBoxes& after) {
    const auto text = [](QLineEdit* box, const std::string& was, const std::string& now) {
        if (now != was) SetText(box, now);
    };
    text(StartPos, before.StartPos, after.StartPos);
    text(DataLen, before.DataLen, after.DataLen);
    text(TrigCentricVal, before.TrigCentricVal, after.TrigCentricVal);
    text(ZeroCentricVal, before.ZeroCentricVal, after.ZeroCentricVal);
    text(MarkCursorA, before.MarkCursorA, after.MarkCursorA);
    text(MarkCursorB, before.MarkCursorB, after.MarkCursorB);
    const auto check = [](QCheckBox* box, uint8_t was, uint8_t now) {
        if (now != was) SetCheck(box, now);
    };
    check(MarkTrigCheck, before.MarkTrigCheck, after.MarkTrigCheck);
    check(MarkZerocentricCheck, before.MarkZerocentricCheck, after.MarkZerocentricCheck);
    check(MarkTrigcentricCheck, before.MarkTrigcentricCheck, after.MarkTrigcentricCheck);
    check(MarkCursorsCheck, before.MarkCursorsCheck, after.MarkCursorsCheck);
}

}  // namespace zq
