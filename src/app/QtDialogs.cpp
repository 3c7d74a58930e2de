#include "app/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "timing/BusDialog.h"
#include "timing/ChannelsDialog.h"
#include "timing/DecoderDialog.h"

namespace zq {

namespace {

QString CaseFreePattern(const QString& pattern) {
    if (pattern == "*.*") return "*";
    QString out;
    for (const QChar ch : pattern) {
        if (ch.isLetter() && ch.toLower() != ch.toUpper())
            out += QString("[%1%2]").arg(ch.toLower()).arg(ch.toUpper());
        else
            out += ch;
    }
    return out;
}

}  // namespace

QStringList QtDialogs::NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts))
            patterns << CaseFreePattern(p.trimmed());
        if (patterns.isEmpty()) patterns << "*";
        filters << QString("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    if (filters.isEmpty())
        filters << QCoreApplication::translate("zq::QtDialogs", "All Files") + " (*)";
    return filters;
}

void QtDialogs::Configure(QFileDialog& dialog, const OpenLogSettings& s) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Any name, in both forms: a load reports a missing file itself, a save creates it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowTitle(QString::fromStdString(s.DialogTitle));
    const QStringList filters = NameFilters(s.Filter);
    dialog.setNameFilters(filters);
    const int index = s.FilterIndex >= 1 && s.FilterIndex <= filters.size() ? s.FilterIndex : 1;
    dialog.selectNameFilter(filters[index - 1]);
    // No default suffix here: Qt would add it to an existing file without an extension too,
    // and such a file could then never be opened. ChosenPath adds it where it belongs.
    if (!s.FileName.empty()) {
        const QFileInfo info(QString::fromStdString(s.FileName));
        if (info.isAbsolute()) dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (!s.InitDir.empty() && !QFileInfo(QString::fromStdString(s.FileName)).isAbsolute())
        dialog.setDirectory(QString::fromStdString(s.InitDir));
}

QString QtDialogs::ShownText(const std::string& text) {
    // Latin-1: every byte shows as one character, whatever a damaged file holds.
    QString t = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    t.replace("\r\n", "\n");
    for (QChar& c : t) {
        const char16_t u = c.unicode();
        if (u == '\n' || u == '\t') continue;
        if (u < 0x20)
            c = QChar(static_cast<char16_t>(0x2400 + u));  // U+2400.. control pictures
        else if (u == 0x7F)
            c = QChar(static_cast<char16_t>(0x2421));
        else if (u >= 0x80 && u < 0xA0)
            c = QChar(static_cast<char16_t>(0xFFFD));
    }
    return t;
}

namespace {

// A long text (a report of many damaged lines) in a box that keeps within the screen: the
// text scrolls and can be selected and copied, the buttons always stay in view.
int LongTextBox(const QString& text, QDialogButtonBox::StandardButtons set,
                QDialogButtonBox::StandardButton escape, const QString& title) {
    QDialog box(QApplication::activeWindow());
    box.setWindowTitle(title);
    auto* view = new QPlainTextEdit(text, &box);
    view->setObjectName("ReportText");
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* buttons = new QDialogButtonBox(set, &box);
    QObject::connect(buttons, &QDialogButtonBox::clicked, &box,
                     [&box, buttons](auto* b) { box.done(buttons->standardButton(b)); });
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(view);
    layout->addWidget(buttons);
    const QScreen* screen = box.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QFontMetrics m(view->font());
    box.resize(std::min(room.width() * 9 / 10, m.horizontalAdvance(QString(72, 'M'))),
               std::min(room.height() * 8 / 10, m.lineSpacing() * 30));
    box.setMaximumSize(room.size());
    if (QPushButton* b = buttons->button(escape)) b->setDefault(true);
    const int result = box.exec();
    return result == QDialog::Rejected ? escape : result;
}

}  // namespace

namespace {

// The buttons of a box and the one that Esc (or closing it) answers. QMessageBox takes the
// same values as QDialogButtonBox.
struct ButtonSet {
    QDialogButtonBox::StandardButtons set;
    QDialogButtonBox::StandardButton escape;
};

ButtonSet ButtonsOf(Buttons buttons) {
    using B = QDialogButtonBox;
    switch (buttons) {
        case Buttons::OkCancel:
            return {B::Ok | B::Cancel, B::Cancel};
        case Buttons::YesNoCancel:
            return {B::Yes | B::No | B::Cancel, B::Cancel};
        case Buttons::YesNo:
            return {B::Yes | B::No, B::No};
        case Buttons::Ok:
            break;
    }
    return {B::Ok, B::Ok};
}

int AnswerOf(int button, const ButtonSet& b) {
    switch (button) {
        case QDialogButtonBox::Yes:
            return AnswerYes;
        case QDialogButtonBox::No:
            return AnswerNo;
        case QDialogButtonBox::Cancel:
            return AnswerCancel;
        case QDialogButtonBox::Ok:
            return AnswerOk;
        default:  // closed without a button: as Esc
            return b.escape == QDialogButtonBox::Ok ? AnswerOk : AnswerOf(b.escape, b);
    }
}

}  // namespace

int QtDialogs::MessageBox(const std::string& text, Buttons buttons, Icon icon,
                          const std::string& title) {
    const QString shown = ShownText(text);
    const ButtonSet b = ButtonsOf(buttons);
    if (shown.count('\n') >= kLongTextLines || shown.size() > 4000)
        return AnswerOf(LongTextBox(shown, b.set, b.escape, QString::fromStdString(title)), b);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(icon == Icon::Exclamation ? QMessageBox::Warning
                : icon == Icon::Question  ? QMessageBox::Question
                                          : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::StandardButtons(b.set.toInt()));
    box.setEscapeButton(static_cast<QMessageBox::StandardButton>(b.escape));
    return AnswerOf(box.exec(), b);
}

bool QtDialogs::ShowOpen(OpenLogSettings& settings) {
    QFileDialog dialog(QApplication::activeWindow());
    Configure(dialog, settings);
    return Run(dialog, settings);
}

bool QtDialogs::ShowSave(OpenLogSettings& settings) {
    QFileDialog dialog(QApplication::activeWindow());
    Configure(dialog, settings);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The callers ask "Replace existing file" themselves; a second question would be one too many.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return Run(dialog, settings);
}

bool QtDialogs::Run(QFileDialog& dialog, OpenLogSettings& settings) {
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    settings.FileName = ChosenPath(chosen.first(), settings);
    // The dialog names its selected entry by the text it shows, without the patterns.
    const QStringList filters = dialog.nameFilters();
    const QString selected = dialog.selectedNameFilter();
    for (int i = 0; i < filters.size(); ++i)
        if (filters[i] == selected || filters[i].startsWith(selected + " (")) {
            settings.FilterIndex = i + 1;
            break;
        }
    return true;
}

std::string QtDialogs::ChosenPath(const QString& chosen, const OpenLogSettings& settings) {
    QString path = QFileInfo(chosen).absoluteFilePath();
    const QFileInfo info(path);
    // A name typed without an extension gets the default one, unless it names a file that is
    // already there (common on Linux).
    if (!settings.DefaultExt.empty() && !info.fileName().contains('.') && !info.exists())
        path += "." + QString::fromStdString(settings.DefaultExt);
    return path.toStdString();
}

void QtDialogs::Beep() { QApplication::beep(); }

std::optional<std::string> QtDialogs::AskText(const std::string& title, const std::string& prompt,
                                              const std::string& text) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setObjectName("AskText");
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(text));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<ChannelSetup> QtDialogs::EditChannels(const ChannelSetup& setup) {
    ChannelsDialog dialog(setup, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Edited().value;
}

std::optional<Bus> QtDialogs::AskBus(const ChannelSetup& setup, const std::vector<int>& chosen) {
    BusDialog dialog(setup, chosen, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

std::optional<ChannelSetup> QtDialogs::EditDecoder(const std::vector<decode::DecoderInfo>& decoders,
                                                   const ChannelSetup& setup,
                                                   std::optional<DecoderPlace> place) {
    DecoderDialog dialog(decoders, setup, place, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Edited().value;
}

}  // namespace zq
