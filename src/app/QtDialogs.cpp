#include "app/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace zq {

namespace {

// Open-dialog flag: the chosen name must be an existing file.
constexpr long kFileMustExist = 0x1000;

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
    if (filters.isEmpty()) filters << "All Files (*)";
    return filters;
}

void QtDialogs::Configure(QFileDialog& dialog, const OpenLogSettings& s) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((s.Flags & kFileMustExist) ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
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

int QtDialogs::MessageBox(const std::string& text, Buttons buttons, Icon icon,
                          const std::string& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(title));
    // Report paragraphs are written with CR LF.
    box.setText(QString::fromStdString(text).replace("\r\n", "\n"));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(icon == Icon::Exclamation ? QMessageBox::Warning
                : icon == Icon::Question  ? QMessageBox::Question
                                          : QMessageBox::NoIcon);
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (buttons) {
        case Buttons::Ok:
            set = QMessageBox::Ok;
            break;
        case Buttons::OkCancel:
            set = QMessageBox::Ok | QMessageBox::Cancel;
            escape = QMessageBox::Cancel;
            break;
        case Buttons::YesNoCancel:
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            escape = QMessageBox::Cancel;
            break;
        case Buttons::YesNo:
            set = QMessageBox::Yes | QMessageBox::No;
            escape = QMessageBox::No;
            break;
    }
    box.setStandardButtons(set);
    box.setEscapeButton(escape);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return AnswerYes;
        case QMessageBox::No:
            return AnswerNo;
        case QMessageBox::Cancel:
            return AnswerCancel;
        case QMessageBox::Ok:
            return AnswerOk;
        default:
            return buttons == Buttons::Ok ? AnswerOk : AnswerCancel;
    }
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
    dialog.setFileMode(QFileDialog::AnyFile);
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

}  // namespace zq
