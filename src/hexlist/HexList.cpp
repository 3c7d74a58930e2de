#include "hexlist/HexList.h"

#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <array>
#include <vector>

#include "session/WindowHost.h"
#include "widgets/Controls.h"
#include "widgets/Geometry.h"
#include "widgets/ScrollFit.h"

namespace zq {

namespace {

// The window's texts, kept in one place.
constexpr const char* kCaption = QT_TRANSLATE_NOOP("zq::HexList", "Hex Listing");
constexpr const char* kBannerInitial = "Label1";
constexpr const char* kListFontFamily = "DejaVu Sans Mono";
constexpr double kListFontPoints = 9.75;
constexpr double kBannerFontPoints = 9.75;
constexpr int kClientWidthTwips = 11400;
constexpr int kClientHeightTwips = 8835;

QColor Colour(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb)); }

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

HexList::HexList(CaptureSession& capture, Dialogs& dialogs, WindowHost& host, QWidget* parent)
    : QWidget(parent), host_(host), logic_(capture, dialogs, *this) {
    setObjectName("HexList");
    setWindowTitle(tr(kCaption));
    createControls();
    Load();
}

HexList::~HexList() = default;

void HexList::createControls() {
    // Positions and sizes are designed in twips: 15 a pixel at 96 dpi, scaled with the screen.
    const TwipScale scale = TwipScale::ForWidget(this);
    designSize_ = QSize(scale.toPixels(kClientWidthTwips), scale.toPixels(kClientHeightTwips));
    // The controls lie on a client that scrolls where the screen is smaller than the design.
    auto* client = new QWidget;
    client->setObjectName("HexListClient");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollWhenSmall(this, client, designSize_));
    QWidget* const parent = client;

    HexListText = new ListingTextBox(parent);
    HexListText->setObjectName("HexListText");
    HexListText->setGeometry(scale.rect(300, 690, 6375, 7905));
    HexListText->setReadOnly(true);
    HexListText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    HexListText->setUndoRedoEnabled(false);
    HexListText->setTabChangesFocus(true);  // Tab leaves the list like every other control
    HexListText->setLineWrapMode(QPlainTextEdit::NoWrap);
    HexListText->setAccessibleName(tr("Listing"));
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

    HexListBanner = new QLabel(kBannerInitial, parent);
    HexListBanner->setObjectName("HexListBanner");
    HexListBanner->setGeometry(scale.rect(840, 210, 8295, 435));
    HexListBanner->setAlignment(Qt::AlignCenter);
    QFont bannerFont = HexListBanner->font();
    bannerFont.setPointSizeF(kBannerFontPoints);
    HexListBanner->setFont(bannerFont);

    controls_ = std::make_unique<ViewControls>(parent, scale,
                                               ViewControls::Design{7920, 5490, 7980, 6240, true});
    const ViewControls& c = *controls_;
    GraphShow = new QPushButton(tr("Show Graph"), parent);
    GraphShow->setObjectName("GraphShow");
    GraphShow->setGeometry(scale.rect(9720, 7860, 1395, 585));
    GraphShow->setAutoDefault(false);

    // Keyboard order by the designed tab index; labels take no focus.
    const std::array<QWidget*, 15> tabOrder = {GraphShow,
                                               c.Update,
                                               c.ZeroCentricVal,
                                               c.MarkCursorB,
                                               c.MarkCursorA,
                                               c.MarkCursorsCheck,
                                               c.TrigCentricVal,
                                               c.MarkZerocentricCheck,
                                               c.MarkTrigcentricCheck,
                                               c.MarkTrigCheck,
                                               c.IncStart,
                                               c.DecStart,
                                               c.StartPos,
                                               c.DataLen,
                                               HexListText};
    for (size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    GraphShow->setFocus();

    // The mark check boxes and the text boxes have no handlers: what is typed or checked
    // counts from the next ">", "<" or "Go !".
    connect(c.IncStart, &QPushButton::clicked, this, &HexList::IncStart_Click);
    connect(c.DecStart, &QPushButton::clicked, this, &HexList::DecStart_Click);
    connect(c.Update, &QPushButton::clicked, this, &HexList::Update_Click);
    connect(GraphShow, &QPushButton::clicked, this, &HexList::GraphShow_Click);

    // Beyond the design: Enter in a box is "Go !", the window grows from its design size, a
    // capture file can be dropped on it, and Ctrl+Q quits as in the main window.
    for (QLineEdit* box :
         {c.DataLen, c.StartPos, c.TrigCentricVal, c.ZeroCentricVal, c.MarkCursorA, c.MarkCursorB})
        connect(box, &QLineEdit::returnPressed, this, &HexList::Update_Click);
    listDesign_ = HexListText->geometry();
    OnClientGrowth(client, designSize_, [this](QSize growth) {
        HexListText->setGeometry(listDesign_.adjusted(0, 0, 0, growth.height()));
    });
    FitToScreen(this, designSize_);
    setAcceptDrops(true);
    HexListText->setAcceptDrops(false);  // a drop on the list is a drop on the window
    GraphShow->setAccessibleName(tr("Show Graph"));
    GraphShow->setToolTip(tr("Back to the timing diagram, with the window last applied here"));
    HexListText->setToolTip(
        tr("The window's sample words: line address, sample, hex digits, bits"));
    HexListBanner->setAccessibleName(tr("Listing title"));
    auto* quit = new QAction(tr("Quit"), this);
    quit->setObjectName("Quit");
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);
}

void HexList::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void HexList::dropEvent(QDropEvent* event) {
    const std::string path = DroppedFile(event->mimeData());
    if (path.empty()) return;
    event->acceptProposedAction();
    // The host replaces this window, so nothing may follow the call.
    host_.openCapture(path);
}

ViewBoxes HexList::boxes() const { return controls_->boxes(); }

void HexList::ShowBoxes(const ViewBoxes& b) { controls_->setBoxes(b); }

void HexList::ShowBanner(const std::string& banner) {
    HexListBanner->setText(QString::fromStdString(banner));
}

void HexList::ShowCursorDiff(const std::string& caption) {
    controls_->MarkCursorDiff->setText(QString::fromStdString(caption));
}

void HexList::Load() { logic_.FormLoad(); }

void HexList::ShowListing(const std::vector<ListingLine>& lines) {
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

void HexList::IncStart_Click() { logic_.IncStartClick(boxes()); }

void HexList::DecStart_Click() { logic_.DecStartClick(boxes()); }

void HexList::Update_Click() { logic_.UpdateClick(boxes()); }

void HexList::GraphShow_Click() {
    // Stores nothing. The host unloads this window, so nothing may follow the call.
    host_.showTimingView();
}

}  // namespace zq
