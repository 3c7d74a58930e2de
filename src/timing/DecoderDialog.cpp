#include "timing/DecoderDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zq {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

DecoderDialog::DecoderDialog(const std::vector<decode::DecoderInfo>& decoders,
                             const ChannelSetup& setup, std::optional<DecoderPlace> place,
                             QWidget* parent)
    : QDialog(parent), decoders_(decoders), setup_(setup), place_(place) {
    setObjectName("DecoderDialog");
    setWindowTitle(place ? tr("Edit Decoder") : tr(kCaption));

    auto* searchLabel = new QLabel(tr("&Search:"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName("DecoderSearch");
    search_->setPlaceholderText(tr("name, description or protocol"));
    search_->setClearButtonEnabled(true);
    searchLabel->setBuddy(search_);
    list_ = new QListWidget(this);
    list_->setObjectName("DecoderList");
    list_->setAccessibleName(tr("Decoders"));
    const std::string editing = place ? setup.decoders[place->stack][place->level].id : "";
    for (size_t i = 0; i < decoders_.size(); ++i) {
        const decode::DecoderInfo& d = decoders_[i];
        if (place && d.id != editing) continue;  // an edit keeps its decoder
        auto* item = new QListWidgetItem(Q(d.name + "  -  " + d.longname), list_);
        item->setData(Qt::UserRole, static_cast<int>(i));
        item->setToolTip(Q(d.id + ": " + d.desc));
    }
    search_->setVisible(!place);
    searchLabel->setVisible(!place);
    connect(search_, &QLineEdit::textChanged, this, &DecoderDialog::filter);
    connect(list_, &QListWidget::currentRowChanged, this, &DecoderDialog::choose);

    auto* stackLabel = new QLabel(tr("&On:"), this);
    stackOn_ = new QComboBox(this);
    stackOn_->setObjectName("DecoderStackOn");
    stackLabel->setBuddy(stackOn_);
    connect(stackOn_, &QComboBox::currentIndexChanged, this, &DecoderDialog::check);
    stackLabel->setVisible(!place);
    stackOn_->setVisible(!place);

    fields_ = new QWidget;
    fields_->setObjectName("DecoderFields");
    fieldsLayout_ = new QFormLayout(fields_);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(fields_);

    auto* rateLabel = new QLabel(tr("Sample &rate (e.g. 1 MHz):"), this);
    rate_ = new QLineEdit(this);
    rate_->setObjectName("DecoderSampleRate");
    rate_->setToolTip(tr("The decoders time the signals by it; the setup keeps it"));
    rateLabel->setBuddy(rate_);
    rateLabel->setVisible(!setup.sampleRate);
    rate_->setVisible(!setup.sampleRate);
    connect(rate_, &QLineEdit::textChanged, this, &DecoderDialog::check);

    error_ = new QLabel(this);
    error_->setObjectName("DecoderError");
    error_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &DecoderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(searchLabel);
    layout->addWidget(search_);
    layout->addWidget(list_, 2);
    auto* on = new QHBoxLayout;
    on->addWidget(stackLabel);
    on->addWidget(stackOn_, 1);
    layout->addLayout(on);
    layout->addWidget(scroll, 3);
    auto* rate = new QHBoxLayout;
    rate->addWidget(rateLabel);
    rate->addWidget(rate_, 1);
    layout->addLayout(rate);
    layout->addWidget(error_);
    layout->addWidget(buttons);
    const QFontMetrics m(font());
    resize(m.horizontalAdvance(QString(70, 'n')), m.lineSpacing() * 36);
    list_->setCurrentRow(0);
    choose();
}

void DecoderDialog::filter(const QString& text) {
    const QStringList words = text.split(' ', Qt::SkipEmptyParts);
    QListWidgetItem* firstShown = nullptr;
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        const QString hay = item->text() + " " + item->toolTip();
        bool shown = true;
        for (const QString& w : words) shown = shown && hay.contains(w, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !firstShown) firstShown = item;
    }
    // The choice follows the search, so that Enter takes the decoder named or the first found.
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        const auto& d = decoders_[static_cast<size_t>(item->data(Qt::UserRole).toInt())];
        if (text.trimmed().compare(Q(d.id), Qt::CaseInsensitive) == 0 ||
            text.trimmed().compare(Q(d.name), Qt::CaseInsensitive) == 0) {
            list_->setCurrentItem(item);
            return;
        }
    }
    if (list_->currentItem() && !list_->currentItem()->isHidden()) return;
    if (firstShown)
        list_->setCurrentItem(firstShown);
    else
        choose();
}

const decode::DecoderInfo* DecoderDialog::chosen() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item || item->isHidden()) return nullptr;
    return &decoders_[static_cast<size_t>(item->data(Qt::UserRole).toInt())];
}

void DecoderDialog::choose() {
    while (fieldsLayout_->rowCount() > 0) fieldsLayout_->removeRow(0);
    channels_.clear();
    options_.clear();
    stackOn_->blockSignals(true);
    stackOn_->clear();
    const decode::DecoderInfo* info = chosen();
    if (info) {
        const DecoderForm start = FormFor(*info, setup_, place_);
        if (TakesChannels(*info)) stackOn_->addItem(tr("Channels"), -1);
        for (size_t s : StacksFor(*info, setup_, decoders_))
            stackOn_->addItem(tr("The output of %1")
                                  .arg(Q(DecoderLabel(setup_, {s, setup_.decoders[s].size() - 1}))),
                              static_cast<int>(s));
        std::vector<decode::DecoderChannel> all = info->channels;
        all.insert(all.end(), info->optionalChannels.begin(), info->optionalChannels.end());
        for (size_t i = 0; i < all.size(); ++i) {
            auto* box = new QComboBox;
            box->setObjectName(Q("Channel_" + all[i].id));
            box->addItem(tr("(none)"), -1);
            for (int c : setup_.order)
                box->addItem(QString("%1: %2").arg(c).arg(Q(setup_.RowLabel(c))), c);
            box->setCurrentIndex(std::max(0, box->findData(start.channels[i].second)));
            box->setToolTip(Q(all[i].desc));
            connect(box, &QComboBox::currentIndexChanged, this, &DecoderDialog::check);
            const bool required = i < info->channels.size();
            fieldsLayout_->addRow(Q(all[i].name + (required ? " *" : "")), box);
            channels_.emplace_back(all[i].id, box);
        }
        for (size_t i = 0; i < info->options.size(); ++i) {
            const decode::DecoderOption& o = info->options[i];
            const QString value = Q(start.options[i].second);
            QWidget* field;
            if (!o.allowed.empty()) {
                auto* box = new QComboBox;
                for (const std::string& a : o.allowed) box->addItem(Q(a));
                box->setCurrentText(value);
                connect(box, &QComboBox::currentIndexChanged, this, &DecoderDialog::check);
                field = box;
            } else {
                auto* edit = new QLineEdit(value);
                edit->setPlaceholderText(Q(o.defaultText));
                connect(edit, &QLineEdit::textChanged, this, &DecoderDialog::check);
                field = edit;
            }
            field->setObjectName(Q("Option_" + o.id));
            field->setToolTip(tr("Default: %1").arg(Q(o.defaultText)));
            fieldsLayout_->addRow(Q(o.desc), field);
            options_.emplace_back(o.id, field);
        }
    }
    stackOn_->blockSignals(false);
    check();
}

DecoderForm DecoderDialog::form() const {
    DecoderForm f;
    const decode::DecoderInfo* info = chosen();
    if (info) f.id = info->id;
    const int on = stackOn_->currentData().isValid() ? stackOn_->currentData().toInt() : -1;
    if (on >= 0) f.onStack = static_cast<size_t>(on);
    for (const auto& [id, box] : channels_) f.channels.emplace_back(id, box->currentData().toInt());
    for (const auto& [id, field] : options_) {
        const auto* box = qobject_cast<const QComboBox*>(field);
        const QString text =
            box ? box->currentText() : qobject_cast<const QLineEdit*>(field)->text().trimmed();
        f.options.emplace_back(id, text.toStdString());
    }
    f.rate = rate_->text().toStdString();
    return f;
}

SetupEdit DecoderDialog::Edited() const {
    const decode::DecoderInfo* info = chosen();
    if (!info) return {{}, tr("Choose a decoder").toStdString()};
    if (!place_ && stackOn_->count() == 0)
        return {{},
                tr("%1 decodes the output of another decoder, and none here gives it")
                    .arg(Q(info->name))
                    .toStdString()};
    return ApplyDecoderForm(setup_, *info, form(), place_);
}

void DecoderDialog::check() {
    // A stacked decoder takes no channels of ours.
    const bool onChannels = place_ ? place_->level == 0 : stackOn_->currentData().toInt() < 0;
    for (const auto& [id, box] : channels_) {
        box->setEnabled(onChannels);
        if (QWidget* label = fieldsLayout_->labelForField(box)) label->setEnabled(onChannels);
    }
    const SetupEdit edit = Edited();
    QString why = Q(edit.error);
    if (!why.isEmpty()) why = why.left(1).toUpper() + why.mid(1) + ".";
    error_->setText(why);
    ok_->setEnabled(edit.ok());
}

void DecoderDialog::accept() {
    if (Edited().ok()) QDialog::accept();
}

}  // namespace zq
