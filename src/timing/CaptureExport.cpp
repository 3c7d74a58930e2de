#include "timing/CaptureExport.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <ctime>
#include <filesystem>

#include "capture/DecodedCapture.h"
#include "export/Export.h"
#include "export/OutputFile.h"
#include "export/SetupExport.h"
#include "timing/TimingViewLogic.h"
#include "view/Translate.h"

namespace zq {

namespace {

struct KindText {
    const char* title;
    const char* filter;
    const char* extension;
};

// Title and filter are translated where the dialog shows them.
KindText TextOf(ExportKind kind) {
    switch (kind) {
        case ExportKind::Vcd:
            return {QT_TRANSLATE_NOOP("zq::CaptureExport", "Export VCD as ..."),
                    QT_TRANSLATE_NOOP("zq::CaptureExport",
                                      "VCD Files (*.vcd)|*.vcd|All Files (*.*)|*.*"),
                    "vcd"};
        case ExportKind::Csv:
            return {QT_TRANSLATE_NOOP("zq::CaptureExport", "Export CSV as ..."),
                    QT_TRANSLATE_NOOP("zq::CaptureExport",
                                      "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*"),
                    "csv"};
        case ExportKind::Setup:
            return {QT_TRANSLATE_NOOP("zq::CaptureExport", "Save Setup as ..."),
                    QT_TRANSLATE_NOOP("zq::CaptureExport",
                                      "Setup Files (*.json)|*.json|All Files (*.*)|*.*"),
                    "json"};
        case ExportKind::Annotations:
            return {QT_TRANSLATE_NOOP("zq::CaptureExport", "Export Annotations as ..."),
                    QT_TRANSLATE_NOOP("zq::CaptureExport",
                                      "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*"),
                    "csv"};
        case ExportKind::Png:
            break;
    }
    return {
        QT_TRANSLATE_NOOP("zq::CaptureExport", "Export Picture as ..."),
        QT_TRANSLATE_NOOP("zq::CaptureExport", "PNG Pictures (*.png)|*.png|All Files (*.*)|*.*"),
        "png"};
}

}  // namespace

std::optional<std::string> ChooseExportPath(Dialogs& dialogs, ExportKind kind,
                                            std::string& folder) {
    const KindText text = TextOf(kind);
    OpenLogSettings s;
    s.DialogTitle = translate("zq::CaptureExport", text.title);
    s.Filter = translate("zq::CaptureExport", text.filter);
    s.FilterIndex = 1;
    s.DefaultExt = text.extension;
    s.InitDir = folder;
    for (;;) {
        s.FileName.clear();
        if (!dialogs.ShowSave(s)) return std::nullopt;
        folder = FolderOf(s.FileName);
        std::error_code ec;
        if (!std::filesystem::exists(s.FileName, ec)) return s.FileName;
        const int answer = dialogs.MessageBox(ReplaceFileQuestion(s.FileName), Buttons::YesNoCancel,
                                              Icon::Question, kProgramTitle);
        if (answer == AnswerYes) return s.FileName;
        if (answer == AnswerCancel) return std::nullopt;
    }
}

namespace {

bool Fail(Dialogs& dialogs, const std::string& text) {
    dialogs.MessageBox(text, Buttons::Ok, Icon::Exclamation, kProgramTitle);
    return false;
}

}  // namespace

bool WriteExportBytes(const CaptureSession& capture, Dialogs& dialogs, const std::string& path,
                      std::string_view bytes) {
    std::vector<exports::FileIdentity> inputs;
    if (capture.isOpen())
        if (auto input = exports::IdentifyFile(capture.currentFile())) inputs.push_back(*input);
    std::string error;
    if (!exports::WriteOutputs({{path, bytes}}, inputs, error)) return Fail(dialogs, error);
    return true;
}

bool WriteCaptureExport(const CaptureSession& capture, Dialogs& dialogs, ExportKind kind,
                        const std::string& path) {
    if (!capture.isOpen())
        return Fail(dialogs, translate("zq::CaptureExport", "No capture is open."));
    const DecodedCapture& decoded = *capture.model();
    std::string bytes;
    if (kind == ExportKind::Vcd) {
        // Named and timed as the setup in use says.
        exports::VcdOptions o;
        exports::ApplySetup(capture.setup(), o);
        o.source = capture.currentFile();
        o.date = exports::DateNow();
        o.program = "zq350";
        bytes = exports::Vcd(decoded, o);
    } else {
        bytes = exports::Csv(decoded, exports::CsvNames(capture.setup()));
    }
    return WriteExportBytes(capture, dialogs, path, bytes);
}

bool WritePictureExport(const CaptureSession& capture, Dialogs& dialogs, const QImage& picture,
                        const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !QImageWriter(&buffer, "PNG").write(picture))
        return Fail(
            dialogs,
            Arg(translate("zq::CaptureExport", "%1: the picture cannot be encoded"), {path}));
    return WriteExportBytes(capture, dialogs, path,
                            std::string_view(png.constData(), static_cast<size_t>(png.size())));
}

}  // namespace zq
