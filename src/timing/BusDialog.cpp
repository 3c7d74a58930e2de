#include "timing/BusDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zq {

BusDialog::BusDialog(const ChannelSetup& setup, const std::vector<int>& chosen, QWidget* parent)
    : QDialog(parent), setup_(setup) {
    setObjectName("BusDialog");
    setWindowTitle(tr(kCaption));

    auto* nameLabel = new QLabel(tr("Bus &name:"), this);
    name_ = new QLineEdit(this);
    name_->setObjectName("BusName");
    nameLabel->setBuddy(name_);
    connect(name_, &QLineEdit::textChanged, this, &BusDialog::check);

    auto* rowsLabel = new QLabel(
        tr("&Channels, the top one most significant (Shift+click selects a range):"), this);
    rowsLabel->setWordWrap(true);
    rows_ = new QListWidget(this);
    rows_->setObjectName("BusChannels");
    rows_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rowsLabel->setBuddy(rows_);
    for (int c : setup.order) {
        const auto& info = setup.channels[static_cast<size_t>(c)];
        QString text = QString::number(c);
        if (!info.name.empty()) text += "  " + QString::fromStdString(info.name);
        if (info.hidden) text += "  " + tr("(hidden)");
        auto* item = new QListWidgetItem(text, rows_);
        item->setData(Qt::UserRole, c);
        item->setSelected(std::find(chosen.begin(), chosen.end(), c) != chosen.end());
    }
    if (!chosen.empty())
        if (auto* first = rows_->item(
                static_cast<int>(std::find(setup.order.begin(), setup.order.end(), chosen.front()) -
                                 setup.order.begin())))
            rows_->scrollToItem(first);
    connect(rows_, &QListWidget::itemSelectionChanged, this, &BusDialog::check);

    error_ = new QLabel(this);
    error_->setObjectName("BusError");
    error_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Made().ok()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addWidget(name_);
    layout->addWidget(rowsLabel);
    layout->addWidget(rows_, 1);
    layout->addWidget(error_);
    layout->addWidget(buttons);
    const QFontMetrics m(font());
    resize(m.horizontalAdvance(QString(40, 'n')), m.lineSpacing() * 30);
    check();
}

std::vector<int> BusDialog::channels() const {
    std::vector<int> list;
    for (int row = 0; row < rows_->count(); ++row)
        if (rows_->item(row)->isSelected())
            list.push_back(rows_->item(row)->data(Qt::UserRole).toInt());
    return list;
}

SetupEdit BusDialog::Made() const {
    return MakeBus(setup_, name_->text().toStdString(), channels());
}

Bus BusDialog::Chosen() const {
    const SetupEdit made = Made();
    return made.ok() ? made.value.buses.back() : Bus{};
}

void BusDialog::check() {
    const SetupEdit made = Made();
    QString why = QString::fromStdString(made.error);
    if (!why.isEmpty()) why = why.left(1).toUpper() + why.mid(1) + ".";
    error_->setText(why);
    ok_->setEnabled(made.ok());
}

}  // namespace zq
