#include "widgets/Controls.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMimeData>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QUrl>

#include "view/ViewSettings.h"

namespace zq {

void WrapButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    const QRect textRect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

void ApplyDesignFont(QWidget* widget) {
    QFont font = widget->font();
    font.setPointSizeF(8);
    widget->setFont(font);
}

void FitTextToWidth(QWidget* widget, const QString& text) {
    QFont font = widget->font();
    const int room = widget->width() - 2;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    widget->setFont(font);
}

uint8_t CheckValue(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Unchecked:
            return Unchecked;
        case Qt::PartiallyChecked:
            return Greyed;
        default:
            return Checked;
    }
}

Qt::CheckState QtCheckState(uint8_t value) {
    switch (value) {
        case Unchecked:
            return Qt::Unchecked;
        case Checked:
            return Qt::Checked;
        default:
            return Qt::PartiallyChecked;
    }
}

std::string DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return QFileInfo(url.toLocalFile()).absoluteFilePath().toStdString();
    return {};
}

}  // namespace zq
