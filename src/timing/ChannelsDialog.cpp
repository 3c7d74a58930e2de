#include "timing/ChannelsDialog.h"

#include <QCursor>
#include <QDialogButtonBox>
#include <QDrag>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>

namespace zq {

namespace {

// A table whose rows are dragged to a new place. The drop only reports where the row went;
// the dialog moves the channel in its setup and fills the table again, so the table never
// moves cells itself.
class RowTable : public QTableWidget {
  public:
    using QTableWidget::QTableWidget;
    std::function<void(int from, int gap)> rowDropped;

  protected:
    // Qt's own start would remove the dragged row once the drop reports a move; here the drop
    // alone moves it.
    void startDrag(Qt::DropActions) override {
        const int row = currentRow();
        if (row < 0) return;
        auto* drag = new QDrag(this);
        drag->setMimeData(model()->mimeData(selectionModel()->selectedIndexes()));
        const QRect shown = visualRect(model()->index(row, 0))
                                .united(visualRect(model()->index(row, columnCount() - 1)));
        drag->setPixmap(viewport()->grab(shown));
        drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - shown.topLeft());
        drag->exec(Qt::MoveAction);
    }
    void dropEvent(QDropEvent* event) override {
        // Rows of this table only (the view lets no other drag in).
        if (event->source() != this || currentRow() < 0) {
            event->ignore();
            return;
        }
        const int y = event->position().toPoint().y();
        const int row = rowAt(y);
        int gap = rowCount();
        if (row >= 0) gap = y > rowViewportPosition(row) + rowHeight(row) / 2 ? row + 1 : row;
        event->acceptProposedAction();
        setState(NoState);  // the drop indicator goes
        viewport()->update();
        if (rowDropped) rowDropped(currentRow(), gap);
    }
};

QString BusText(const Bus& bus) {
    QStringList channels;
    for (int c : bus.channels) channels << QString::number(c);
    return ChannelsDialog::tr("%1 (channels %2)")
        .arg(QString::fromStdString(bus.name), channels.join(", "));
}

// A rule's text as a sentence of its own.
QString Sentence(const std::string& text) {
    QString s = QString::fromStdString(text);
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s + ".";
}

}  // namespace

ChannelsDialog::ChannelsDialog(const ChannelSetup& setup, QWidget* parent)
    : QDialog(parent), working_(setup) {
    setObjectName("ChannelsDialog");
    setWindowTitle(tr(kCaption));
    for (int c = 0; c < kChannels; ++c)
        names_[static_cast<size_t>(c)] =
            QString::fromStdString(setup.channels[static_cast<size_t>(c)].name);

    auto* table = new RowTable(kChannels, 3, this);
    table_ = table;
    table_->setObjectName("ChannelTable");
    table_->setHorizontalHeaderLabels({tr("Channel"), tr("Name"), tr("Hidden")});
    table_->verticalHeader()->hide();
    // Rows as high as a line of text, so that all sixteen are in view at once.
    const QFontMetrics m(font());
    table_->verticalHeader()->setDefaultSectionSize(m.height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(ColName, QHeaderView::Stretch);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setDragDropMode(QAbstractItemView::InternalMove);
    table_->setDragDropOverwriteMode(false);
    table_->setDropIndicatorShown(true);
    table_->setToolTip(
        tr("Drag a row, or use Move Up and Move Down, to change the order of the rows"));
    table->rowDropped = [this](int from, int gap) { dropRow(from, gap); };
    connect(table_, &QTableWidget::itemChanged, this, &ChannelsDialog::tableChanged);

    auto* up = new QPushButton(tr("Move &Up"), this);
    up->setObjectName("MoveUp");
    connect(up, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    auto* down = new QPushButton(tr("Move &Down"), this);
    down->setObjectName("MoveDown");
    connect(down, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    auto* moves = new QVBoxLayout;
    moves->addWidget(up);
    moves->addWidget(down);
    moves->addStretch();
    auto* channels = new QHBoxLayout;
    channels->addWidget(table_);
    channels->addLayout(moves);

    auto* buses = new QGroupBox(tr("Buses"), this);
    busList_ = new QListWidget(buses);
    busList_->setObjectName("BusList");
    connect(busList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && static_cast<size_t>(row) < working_.buses.size())
            busName_->setText(
                QString::fromStdString(working_.buses[static_cast<size_t>(row)].name));
    });
    busName_ = new QLineEdit(buses);
    busName_->setObjectName("BusName");
    busName_->setPlaceholderText(tr("Bus name"));
    auto* add = new QPushButton(tr("&Add Bus from Selected Rows"), buses);
    add->setObjectName("AddBus");
    add->setToolTip(
        tr("A bus of the channels selected above; the top row is the most significant"));
    connect(add, &QPushButton::clicked, this, &ChannelsDialog::addBus);
    auto* rename = new QPushButton(tr("Re&name Bus"), buses);
    rename->setObjectName("RenameBus");
    connect(rename, &QPushButton::clicked, this, &ChannelsDialog::renameBus);
    auto* remove = new QPushButton(tr("De&lete Bus"), buses);
    remove->setObjectName("DeleteBus");
    connect(remove, &QPushButton::clicked, this, &ChannelsDialog::deleteBus);
    busError_ = new QLabel(buses);
    busError_->setObjectName("BusError");
    busError_->setWordWrap(true);
    auto* busLayout = new QGridLayout(buses);
    busLayout->addWidget(busList_, 0, 0, 4, 1);
    busLayout->addWidget(busName_, 0, 1);
    busLayout->addWidget(add, 1, 1);
    busLayout->addWidget(rename, 2, 1);
    busLayout->addWidget(remove, 3, 1);
    busLayout->addWidget(busError_, 4, 0, 1, 2);
    busLayout->setColumnStretch(0, 1);
    busList_->setMaximumHeight(m.height() * 6);

    auto* rateLabel = new QLabel(tr("Sample &rate:"), this);
    rate_ = new QLineEdit(this);
    rate_->setObjectName("SampleRate");
    rate_->setPlaceholderText(tr("none: times in samples"));
    rate_->setToolTip(tr("For example 1 MHz, 250k or 1000000; empty for none"));
    if (setup.sampleRate) rate_->setText(QString::fromStdString(SampleRateText(*setup.sampleRate)));
    rateLabel->setBuddy(rate_);
    connect(rate_, &QLineEdit::textChanged, this, &ChannelsDialog::check);
    auto* rate = new QHBoxLayout;
    rate->addWidget(rateLabel);
    rate->addWidget(rate_, 1);

    error_ = new QLabel(this);
    error_->setObjectName("EntryError");
    error_->setWordWrap(true);
    QPalette red = error_->palette();
    red.setColor(QPalette::WindowText, Qt::darkRed);
    error_->setPalette(red);
    busError_->setPalette(red);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &ChannelsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(channels, 1);
    layout->addWidget(buses);
    layout->addLayout(rate);
    layout->addWidget(error_);
    layout->addWidget(buttons);

    fillTable();
    fillBuses();
    table_->resizeColumnToContents(ColNumber);
    table_->resizeColumnToContents(ColHidden);
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() +
                             kChannels * table_->verticalHeader()->defaultSectionSize() +
                             2 * table_->frameWidth());
    resize(m.horizontalAdvance(QString(64, 'n')), sizeHint().height());
    check();
}

int ChannelsDialog::channelAt(int row) const { return working_.order[static_cast<size_t>(row)]; }

void ChannelsDialog::fillTable() {
    const QSignalBlocker quiet(table_);
    for (int row = 0; row < kChannels; ++row) {
        const int c = channelAt(row);
        auto* number = new QTableWidgetItem(QString::number(c));
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
        number->setTextAlignment(Qt::AlignCenter);
        auto* name = new QTableWidgetItem(names_[static_cast<size_t>(c)]);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                       Qt::ItemIsDragEnabled);
        name->setToolTip(tr("Up to 32 characters without ':', '=' or ','; empty for the number"));
        auto* hidden = new QTableWidgetItem;
        hidden->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                         Qt::ItemIsDragEnabled);
        hidden->setCheckState(working_.channels[static_cast<size_t>(c)].hidden ? Qt::Checked
                                                                               : Qt::Unchecked);
        table_->setItem(row, ColNumber, number);
        table_->setItem(row, ColName, name);
        table_->setItem(row, ColHidden, hidden);
    }
}

void ChannelsDialog::fillBuses() {
    busList_->clear();
    for (const Bus& bus : working_.buses) busList_->addItem(BusText(bus));
}

void ChannelsDialog::tableChanged(QTableWidgetItem* item) {
    const auto c = static_cast<size_t>(channelAt(item->row()));
    if (item->column() == ColName) names_[c] = item->text();
    if (item->column() == ColHidden)
        working_.channels[c].hidden = item->checkState() == Qt::Checked;
    check();
}

void ChannelsDialog::moveCurrent(int step) {
    const int row = table_->currentRow();
    if (row < 0 || row + step < 0 || row + step >= kChannels) return;
    dropRow(row, step < 0 ? row + step : row + step + 1);
}

void ChannelsDialog::dropRow(int from, int gap) {
    const int place = gap > from ? gap - 1 : gap;
    if (from < 0 || from >= kChannels || place == from) return;
    const SetupEdit moved = MoveRowTo(working_, channelAt(from), place);
    if (!moved.ok()) return;
    working_ = moved.value;
    fillTable();
    table_->setCurrentCell(place, ColName);
}

void ChannelsDialog::addBus() {
    std::vector<int> channels;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        channels.push_back(channelAt(index.row()));
    busEdit(MakeBus(working_, busName_->text().toStdString(), InRowOrder(working_, channels)));
}

void ChannelsDialog::renameBus() {
    const int row = busList_->currentRow();
    if (row < 0) {
        busError_->setText(tr("Select the bus to rename."));
        return;
    }
    busEdit(RenameBus(working_, static_cast<size_t>(row), busName_->text().toStdString()));
    busList_->setCurrentRow(row);
}

void ChannelsDialog::deleteBus() {
    const int row = busList_->currentRow();
    if (row < 0) {
        busError_->setText(tr("Select the bus to delete."));
        return;
    }
    busEdit(DeleteBus(working_, static_cast<size_t>(row)));
    busName_->clear();
}

void ChannelsDialog::busEdit(const SetupEdit& edit) {
    if (!edit.ok()) {
        busError_->setText(Sentence(edit.error));
        return;
    }
    working_.buses = edit.value.buses;
    busError_->clear();
    fillBuses();
}

SetupEdit ChannelsDialog::Edited() const {
    SetupEdit edit{working_, {}};
    for (int c = 0; c < kChannels; ++c) {
        edit = RenameChannel(edit.value, c, names_[static_cast<size_t>(c)].toStdString());
        if (!edit.ok())
            return {{},
                    tr("Name of channel %1: %2")
                        .arg(c)
                        .arg(QString::fromStdString(edit.error))
                        .toStdString()};
    }
    edit = SetSampleRate(edit.value, rate_->text().toStdString());
    if (!edit.ok())
        return {{}, tr("Sample rate: %1").arg(QString::fromStdString(edit.error)).toStdString()};
    return edit;
}

void ChannelsDialog::check() {
    const SetupEdit edit = Edited();
    error_->setText(edit.ok() ? QString() : QString::fromStdString(edit.error) + ".");
    ok_->setEnabled(edit.ok());
}

void ChannelsDialog::accept() {
    check();
    if (Edited().ok()) QDialog::accept();
}

}  // namespace zq
