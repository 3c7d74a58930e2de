// Editing the setup where users look: a channel label's context menu (rename, hide, move, make a
// bus) and its double-click (rename), the View menu's Channels..., Sample Rate... and Show All
// Channels. Each edit makes a new setup from the one in use and hands it to UseSetup, which
// keeps it across runs and shows it.

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>

#include "timing/TimingView.h"

namespace zq {

namespace {

// Runs an action on a double-click of the object it watches.
class DoubleClickFilter : public QObject {
  public:
    DoubleClickFilter(QObject* watched, std::function<void()> action)
        : QObject(watched), action_(std::move(action)) {
        watched->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick) return false;
        action_();
        return true;
    }

  private:
    std::function<void()> action_;
};

QAction* AddAction(QMenu* menu, const char* name, const QString& text) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    return a;
}

std::string Sentence(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
    return text + ".";
}

}  // namespace

void TimingView::buildChannelEditing(QMenu* view) {
    for (int c = 0; c < kChannels; ++c) {
        QLabel* label = area_.channelLabels[static_cast<size_t>(c)];
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(
            label, &QWidget::customContextMenuRequested, this,
            [this, c, label](const QPoint& pos) { ShowChannelMenu(c, label->mapToGlobal(pos)); });
        new DoubleClickFilter(label, [this, c] { RenameChannel_Click(c); });
    }
    view->addSeparator();
    connect(AddAction(view, "Channels", tr("&Channels ...")), &QAction::triggered, this,
            &TimingView::Channels_Click);
    connect(AddAction(view, "SampleRate", tr("Sample &Rate ...")), &QAction::triggered, this,
            &TimingView::SampleRate_Click);
    QAction* showAll = AddAction(view, "ShowAllChannels", tr("Show &All Channels"));
    connect(showAll, &QAction::triggered, this, &TimingView::ShowAllChannels_Click);
    // Only when there is something to show.
    connect(view, &QMenu::aboutToShow, showAll, [this, showAll] {
        showAll->setEnabled(ShowAllChannels(capture_.setup()).value != capture_.setup());
    });
}

void TimingView::ShowChannelMenu(int channel, const QPoint& at) {
    const ChannelSetup& setup = capture_.setup();
    auto* menu = new QMenu(this);
    menu->setObjectName("ChannelMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(AddAction(menu, "ChannelRename", tr("&Rename ...")), &QAction::triggered, this,
            [this, channel] { RenameChannel_Click(channel); });
    const bool hidden = setup.channels[static_cast<size_t>(channel)].hidden;
    connect(AddAction(menu, "ChannelHide", hidden ? tr("&Show") : tr("&Hide")), &QAction::triggered,
            this, [this, channel] { HideChannel_Click(channel); });
    const auto move = [&](const char* name, const QString& text, int direction) {
        QAction* a = AddAction(menu, name, text);
        a->setEnabled(MoveRow(setup, channel, direction).value.order != setup.order);
        connect(a, &QAction::triggered, this,
                [this, channel, direction] { MoveChannel_Click(channel, direction); });
    };
    move("ChannelMoveUp", tr("Move &Up"), -1);
    move("ChannelMoveDown", tr("Move &Down"), 1);
    connect(AddAction(menu, "ChannelMakeBus", tr("Make &Bus ...")), &QAction::triggered, this,
            [this, channel] { MakeBus_Click(channel); });
    menu->addSeparator();
    connect(AddAction(menu, "ChannelMenuChannels", tr("&Channels ...")), &QAction::triggered, this,
            &TimingView::Channels_Click);
    QAction* showAll = AddAction(menu, "ChannelMenuShowAll", tr("Show &All Channels"));
    showAll->setEnabled(ShowAllChannels(setup).value != setup);
    connect(showAll, &QAction::triggered, this, &TimingView::ShowAllChannels_Click);
    menu->popup(at);
}

void TimingView::wireBusLabels() {
    for (size_t b = 0; b < area_.busLabels.size(); ++b) {
        QLabel* label = area_.busLabels[b];
        // Labels live on across setups; each is wired once.
        if (label->property("menuWired").toBool()) continue;
        label->setProperty("menuWired", true);
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(label, &QWidget::customContextMenuRequested, this,
                [this, b, label](const QPoint& pos) { ShowBusMenu(b, label->mapToGlobal(pos)); });
    }
}

void TimingView::ShowBusMenu(size_t bus, const QPoint& at) {
    if (bus >= capture_.setup().buses.size()) return;
    auto* menu = new QMenu(this);
    menu->setObjectName("BusMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(AddAction(menu, "BusRename", tr("&Rename Bus ...")), &QAction::triggered, this,
            [this, bus] {
                AskForEdit(
                    tr("Rename Bus").toStdString(), tr("Name of the bus:").toStdString(),
                    capture_.setup().buses[bus].name,
                    [this, bus](const std::string& typed) {
                        return RenameBus(capture_.setup(), bus, typed);
                    },
                    tr("The bus keeps its name: ").toStdString());
            });
    connect(AddAction(menu, "BusDelete", tr("Re&move Bus")), &QAction::triggered, this,
            [this, bus] { UseEdit(DeleteBus(capture_.setup(), bus)); });
    menu->addSeparator();
    connect(AddAction(menu, "BusMenuChannels", tr("&Channels ...")), &QAction::triggered, this,
            &TimingView::Channels_Click);
    menu->popup(at);
}

bool TimingView::UseEdit(const SetupEdit& edit, const std::string& refused) {
    if (!edit.ok()) {
        dialogs_.MessageBox(refused.empty() ? Sentence(edit.error) : refused + edit.error + ".",
                            Buttons::Ok, Icon::Exclamation, kProgramTitle);
        return false;
    }
    if (edit.value != capture_.setup()) UseSetup(edit.value);
    return true;
}

void TimingView::RenameChannel_Click(int channel) {
    AskForEdit(
        tr("Rename Channel").toStdString(),
        tr("Name of channel %1 (up to 32 characters; empty for its number):")
            .arg(channel)
            .toStdString(),
        capture_.setup().channels[static_cast<size_t>(channel)].name,
        [this, channel](const std::string& typed) {
            return RenameChannel(capture_.setup(), channel, typed);
        },
        tr("Channel %1 keeps its name: ").arg(channel).toStdString());
}

void TimingView::AskForEdit(const std::string& title, const std::string& prompt, std::string text,
                            const std::function<SetupEdit(const std::string&)>& edit,
                            const std::string& refused) {
    // A text refused is offered again as typed, to be mended rather than typed anew.
    for (;;) {
        const std::optional<std::string> typed = dialogs_.AskText(title, prompt, text);
        if (!typed || UseEdit(edit(*typed), refused)) return;
        text = *typed;
    }
}

void TimingView::HideChannel_Click(int channel) {
    UseEdit(SetHidden(capture_.setup(), channel,
                      !capture_.setup().channels[static_cast<size_t>(channel)].hidden));
}

void TimingView::MoveChannel_Click(int channel, int direction) {
    UseEdit(MoveRow(capture_.setup(), channel, direction));
}

void TimingView::MakeBus_Click(int channel) {
    const std::optional<Bus> bus = dialogs_.AskBus(capture_.setup(), {channel});
    if (bus) UseEdit(MakeBus(capture_.setup(), bus->name, bus->channels));
}

void TimingView::Channels_Click() {
    const std::optional<ChannelSetup> edited = dialogs_.EditChannels(capture_.setup());
    if (edited) UseEdit({*edited, {}});
}

void TimingView::SampleRate_Click() {
    const std::optional<double> rate = capture_.setup().sampleRate;
    AskForEdit(
        tr("Sample Rate").toStdString(),
        tr("Sample rate, e.g. 1 MHz, 250k or 1000000 (empty for none: times in samples):")
            .toStdString(),
        rate ? SampleRateText(*rate) : std::string(),
        [this](const std::string& typed) { return SetSampleRate(capture_.setup(), typed); },
        tr("The sample rate stays as it was: ").toStdString());
}

void TimingView::ShowAllChannels_Click() { UseEdit(ShowAllChannels(capture_.setup())); }

}  // namespace zq
