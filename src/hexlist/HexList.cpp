#include "hexlist/HexList.h"

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QValidator>
#include <algorithm>
#include <array>
#include <vector>

#include "app/Dialogs.h"
#include "app/ProgramState.h"
#include "app/WindowHost.h"
#include "hexlist/HexListNavigation.h"
#include "timing/Controls.h"
#include "timing/Geometry.h"

namespace zq {

namespace {

// The window's texts, kept in one place.
constexpr const char* kCaption = "Hex Listing";
constexpr const char* kBannerInitial = "Label1";
constexpr const char* kListFontFamily = "DejaVu Sans Mono";
constexpr double kListFontPoints = 9.75;
constexpr double kBannerFontPoints = 9.75;
constexpr int kClientWidthTwips = 11400;
constexpr int kClientHeightTwips = 8835;

QColor Colour(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb)); }

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

void SetCheck(QCheckBox* box, uint8_t state) {
    // Only a greyed state restored from SavedView makes the box three-state, so that a click by
    // the user never produces one.
    box->setTristate(QtCheckState(state) == Qt::PartiallyChecked);
    box->setCheckState(QtCheckState(state));
}

// The captions were sized for a narrower font than the desktop's default; rather than clip a
// caption under the box beside it, the captions shrink together until each fits its label.
void FitCaptions(const std::vector<QLabel*>& labels) {
    constexpr double kSmallestPoints = 6.0;
    QFont f = labels.front()->font();
    auto fits = [&f](const QLabel* l) {
        return QFontMetrics(f).horizontalAdvance(l->text()) <= l->width();
    };
    while (f.pointSizeF() > kSmallestPoints && !std::all_of(labels.begin(), labels.end(), fits))
        f.setPointSizeF(f.pointSizeF() - 0.25);
    for (QLabel* l : labels) l->setFont(f);
}

QString BoxText(const std::string& text) { return QString::fromStdString(text); }
std::string BoxText(const QLineEdit* box) { return box->text().toStdString(); }

// A listing line as shown. It holds only line addresses the scan could place, digits and
// blanks, so it is plain ASCII.
QString ShownLine(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The list area. A copy carries the plain listing only: the line colours are for the black
// background here, and pasted as rich text they would be white on white.
class ListingTextBox : public QPlainTextEdit {
  public:
    using QPlainTextEdit::QPlainTextEdit;

  protected:
    QMimeData* createMimeDataFromSelection() const override {
        auto* data = new QMimeData;
        data->setText(textCursor().selection().toPlainText());
        return data;
    }
};

}  // namespace

HexList::HexList(ProgramState& state, Dialogs& dialogs, WindowHost& host, QWidget* parent)
    : QWidget(parent), state_(state), dialogs_(dialogs), host_(host) {
    setObjectName("HexList");
    setWindowTitle(kCaption);
    createControls();
    Load();
}

void HexList::createControls() {
    // Positions and sizes are designed in twips: 15 a pixel at 96 dpi, scaled with the screen.
    const TwipScale scale = TwipScale::ForWidget(this);
    auto px = [&scale](int twips) { return scale.toPixels(twips); };
    auto place = [&](QWidget* w, const char* name, int left, int top, int width, int height) {
        w->setObjectName(name);
        w->setGeometry(scale.rect(left, top, width, height));
    };
    auto label = [&](const char* name, const char* text, int left, int top, int width, int height) {
        auto* l = new QLabel(text, this);
        place(l, name, left, top, width, height);
        return l;
    };
    auto textBox = [&](const char* name, const char* text, int left, int top, int width, int height,
                       int maxLength) {
        auto* e = new QLineEdit(text, this);
        place(e, name, left, top, width, height);
        if (maxLength > 0) e->setValidator(new TypedLengthLimit(e, maxLength));
        return e;
    };
    auto button = [&](const char* name, const char* caption, int left, int top, int width,
                      int height) {
        auto* b = new QPushButton(caption, this);
        place(b, name, left, top, width, height);
        b->setAutoDefault(false);
        return b;
    };
    auto checkBox = [&](const char* name, uint32_t backColour, const char* accessibleName,
                        uint8_t state, int left, int top, int width, int height) {
        // Only the box shows: the label to its right names it.
        auto* c = new QCheckBox(this);
        place(c, name, left, top, width, height);
        c->setAccessibleName(accessibleName);
        c->setAutoFillBackground(true);
        QPalette p = c->palette();
        p.setColor(QPalette::Window, Colour(backColour));
        c->setPalette(p);
        SetCheck(c, state);
        return c;
    };

    resize(px(kClientWidthTwips), px(kClientHeightTwips));

    HexListText = new ListingTextBox(this);
    place(HexListText, "HexListText", 300, 690, 6375, 7905);
    HexListText->setReadOnly(true);
    HexListText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    HexListText->setUndoRedoEnabled(false);
    HexListText->setTabChangesFocus(true);  // Tab leaves the list like every other control
    HexListText->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont listFont(kListFontFamily);
    listFont.setStyleHint(QFont::Monospace);
    listFont.setFixedPitch(true);
    listFont.setPointSizeF(kListFontPoints);
    HexListText->setFont(listFont);
    {
        QPalette p = HexListText->palette();
        p.setColor(QPalette::Base, Colour(kListBackground));
        p.setColor(QPalette::Text, Colour(kListWhite));
        HexListText->setPalette(p);
    }

    HexListBanner = label("HexListBanner", kBannerInitial, 840, 210, 8295, 435);
    HexListBanner->setAlignment(Qt::AlignCenter);
    QFont bannerFont = HexListBanner->font();
    bannerFont.setPointSizeF(kBannerFontPoints);
    HexListBanner->setFont(bannerFont);

    std::vector<QLabel*> captions;
    captions.push_back(label("Label17", "Data Length", 7920, 5490, 1155, 285));
    captions.back()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DataLen = textBox("DataLen", "64", 9120, 5460, 555, 315, 4);
    Update = button("Update", "Go !", 9720, 5490, 435, 705);
    captions.push_back(label("Label18", "Start Position", 7920, 5850, 1155, 285));
    captions.back()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StartPos = textBox("StartPos", "1008", 9120, 5820, 555, 315, 4);
    DecStart = button("DecStart", "<", 10200, 5820, 615, 315);
    IncStart = button("IncStart", ">", 10800, 5820, 555, 315);
    MarkTrigCheck =
        checkBox("MarkTrigCheck", kListTrig, "Mark Trig", Checked, 7980, 6240, 255, 255);
    captions.push_back(label("Label19", "Mark Trig", 8220, 6270, 1635, 285));
    MarkTrigcentricCheck = checkBox("MarkTrigcentricCheck", kListTrigCentric,
                                    "Mark from Trig  - every", Unchecked, 7980, 6510, 255, 285);
    captions.push_back(label("Label20", "Mark from Trig  - every", 8220, 6510, 1635, 285));
    TrigCentricVal = textBox("TrigCentricVal", "16", 9900, 6480, 555, 315, 0);
    MarkZerocentricCheck = checkBox("MarkZerocentricCheck", kListZeroCentric,
                                    "Mark from Zero - every", Unchecked, 7980, 6810, 255, 285);
    captions.push_back(label("Label21", "Mark from Zero - every", 8220, 6810, 1635, 285));
    ZeroCentricVal = textBox("ZeroCentricVal", "16", 9900, 6780, 555, 315, 0);
    MarkCursorsCheck = checkBox("MarkCursorsCheck", kListCursor, "Set Cursors - - - - at", Checked,
                                7980, 7080, 255, 285);
    captions.push_back(label("Label22", "Set Cursors - - - - at", 8220, 7110, 1635, 285));
    MarkCursorA = textBox("MarkCursorA", "1008", 9900, 7080, 555, 315, 4);
    MarkCursorB = textBox("MarkCursorB", "1040", 10500, 7080, 555, 315, 4);
    MarkCursorDiff = label("MarkCursorDiff", "", 8040, 7410, 1695, 285);
    FitCaptions(captions);
    GraphShow = button("GraphShow", "Show Graph", 9720, 7860, 1395, 585);

    // Keyboard order by the designed tab index; labels take no focus.
    const std::array<QWidget*, 15> tabOrder = {GraphShow,
                                               Update,
                                               ZeroCentricVal,
                                               MarkCursorB,
                                               MarkCursorA,
                                               MarkCursorsCheck,
                                               TrigCentricVal,
                                               MarkZerocentricCheck,
                                               MarkTrigcentricCheck,
                                               MarkTrigCheck,
                                               IncStart,
                                               DecStart,
                                               StartPos,
                                               DataLen,
                                               HexListText};
    for (size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    GraphShow->setFocus();

    // The mark check boxes and the text boxes have no handlers: what is typed or checked
    // counts from the next ">", "<" or "Go !".
    connect(IncStart, &QPushButton::clicked, this, &HexList::IncStart_Click);
    connect(DecStart, &QPushButton::clicked, this, &HexList::DecStart_Click);
    connect(Update, &QPushButton::clicked, this, &HexList::Update_Click);
    connect(GraphShow, &QPushButton::clicked, this, &HexList::GraphShow_Click);
}

ViewBoxes HexList::boxes() const {
    ViewBoxes b;
    b.StartPos = BoxText(StartPos);
    b.DataLen = BoxText(DataLen);
    b.TrigCentricVal = BoxText(TrigCentricVal);
    b.ZeroCentricVal = BoxText(ZeroCentricVal);
    b.MarkCursorA = BoxText(MarkCursorA);
    b.MarkCursorB = BoxText(MarkCursorB);
    b.MarkTrigCheck = CheckValue(MarkTrigCheck);
    b.MarkTrigcentricCheck = CheckValue(MarkTrigcentricCheck);
    b.MarkZerocentricCheck = CheckValue(MarkZerocentricCheck);
    b.MarkCursorsCheck = CheckValue(MarkCursorsCheck);
    return b;
}

void HexList::setBoxes(const ViewBoxes& b) {
    StartPos->setText(BoxText(b.StartPos));
    DataLen->setText(BoxText(b.DataLen));
    TrigCentricVal->setText(BoxText(b.TrigCentricVal));
    ZeroCentricVal->setText(BoxText(b.ZeroCentricVal));
    MarkCursorA->setText(BoxText(b.MarkCursorA));
    MarkCursorB->setText(BoxText(b.MarkCursorB));
    SetCheck(MarkTrigCheck, b.MarkTrigCheck);
    SetCheck(MarkZerocentricCheck, b.MarkZerocentricCheck);
    SetCheck(MarkTrigcentricCheck, b.MarkTrigcentricCheck);
    SetCheck(MarkCursorsCheck, b.MarkCursorsCheck);
}

void HexList::Load() {
    const ListingBuild build =
        BuildListing(state_.savedView, state_.CurrentFile, state_.CaptureHandle.get());
    setBoxes(build.boxes);
    HexListBanner->setText(QString::fromStdString(build.banner));
    // With no capture open the list keeps what it showed.
    if (build.listed) fillList(build.lines);
    if (build.cursorDiff) MarkCursorDiff->setText(QString::fromStdString(*build.cursorDiff));

    // A file's report is shown once, by whichever window first scans it after it was opened;
    // a file without any line start has no report and leaves the flag alone.
    if (build.foundStart) {
        if (!state_.ReportShown && build.report.size() > 1)
            dialogs_.MessageBox(build.report, Buttons::Ok, Icon::None, kProgramTitle);
        state_.ReportShown = true;
    }
}

void HexList::fillList(const std::vector<ListingLine>& lines) {
    // One edit block for the whole listing: the document lays itself out once, not per line.
    QTextDocument* doc = HexListText->document();
    doc->clear();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    QTextCharFormat format;
    uint32_t formatColour = kListWhite;
    format.setForeground(Colour(formatColour));
    for (const ListingLine& line : lines) {
        if (line.colour != formatColour) {
            formatColour = line.colour;
            format.setForeground(Colour(formatColour));
        }
        cursor.insertText(ShownLine(line.text), format);
        cursor.insertBlock(QTextBlockFormat(), format);
    }
    cursor.endEditBlock();
}

void HexList::IncStart_Click() {
    std::string start = BoxText(StartPos), length = BoxText(DataLen);
    StepStartForward(start, length);
    DataLen->setText(BoxText(length));
    StartPos->setText(BoxText(start));
    Update_Click();
}

void HexList::DecStart_Click() {
    std::string start = BoxText(StartPos), length = BoxText(DataLen);
    StepStartBack(start, length);
    DataLen->setText(BoxText(length));
    StartPos->setText(BoxText(start));
    Update_Click();
}

void HexList::Update_Click() {
    // The values as typed; the build normalises the boxes, not what was stored.
    state_.savedView = StoreView(boxes());
    Load();
}

void HexList::GraphShow_Click() {
    // Stores nothing. The host unloads this window, so nothing may follow the call.
    host_.showTimingView();
}

}  // namespace zq
