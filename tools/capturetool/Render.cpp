// zq350-inspect render: the timing diagram of a capture as a PNG picture, drawn by the main
// window's own chart widget and channel labels, offscreen, at 96 dpi, with the annotation rows
// of the setup's decoders as the window draws them. A program of its own
// (zq350-inspect-render), so that the other commands start without Qt's GUI libraries;
// zq350-inspect runs it for "render" with the same arguments.

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QWidget>
#include <climits>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "CaptureTool.h"
#include "capture/CaptureFile.h"
#include "chart/ChartData.h"
#include "chart/PositionLabels.h"
#include "decode/DecoderLibrary.h"
#include "export/OutputFile.h"
#include "view/BoxNumber.h"
#include "view/Setup.h"
#include "view/ViewValues.h"
#include "widgets/ChartArea.h"
#include "widgets/Controls.h"
#include "widgets/TimingChart.h"

namespace {

constexpr const char* kRenderUsage =
    "usage: zq350-inspect render FILE -o OUT.png [--start TEXT] [--length TEXT] [--trig on|off]\n"
    "                            [--trig-every TEXT] [--zero-every TEXT] [--cursors A,B|off]\n";

int RenderUsage(const std::string& message) {
    std::cerr << "zq350-inspect: " << message << "\n" << kRenderUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args =
        zq::inspect::SplitOptionValues(std::vector<std::string>(argv + 1, argv + argc));
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "-o") continue;
        if (i + 1 >= args.size()) return RenderUsage("-o needs a file name");
        out = args[i + 1];
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        break;
    }
    // Names, order, hidden rows, buses and the rate's time labels, as the window draws them.
    zq::ChannelSetup setup;
    if (!zq::inspect::TakeSetup(args, setup)) return 2;
    zq::ViewBoxes boxes;
    std::string error;
    const auto rest = zq::inspect::ParseViewOptions(args, boxes, error);
    if (!rest) return RenderUsage(error);
    if (rest->empty()) return RenderUsage("missing FILE");
    if (rest->size() > 1) return RenderUsage("unknown option " + zq::inspect::Shown((*rest)[1]));
    if (out.empty()) return RenderUsage("missing -o OUT.png");
    // As the window's title shows it: the full path of the chosen file.
    const std::string path =
        QFileInfo(QString::fromStdString(rest->front())).absoluteFilePath().toStdString();

    auto file = zq::CaptureFile::open(path, error);
    if (!file) {
        // Messages name the file as it was given, as every other command's do.
        std::cerr << "zq350-inspect: " << zq::inspect::Shown(rest->front()) << ": " << error
                  << "\n";
        return 2;
    }
    // As a load from disk draws it: one pass with the boxes as given.
    const zq::DecodedCapture model = zq::DecodeCapture(*file);
    const zq::CalcDataResult pass = zq::CalcDataPass(boxes, &model, zq::TraceLevels{});
    if (!pass.drawn) return zq::inspect::FinishWithReport(model.report);

    // The setup's decoders over the whole capture, as the window runs them; a decoder that
    // fails is named and the others are drawn.
    std::shared_ptr<const zq::AnnotationTable> annotations;
    bool decoderFailed = false;
    if (!setup.decoders.empty()) {
        if (!setup.sampleRate) {
            std::cerr << "zq350-inspect: the setup's decoders need its sample rate\n";
            return 2;
        }
        auto library = zq::decode::DecoderLibrary::Load(&error);
        if (!library) {
            std::cerr << "zq350-inspect: " << error << "\n";
            return 2;
        }
        zq::decode::DecodeResult result = library->Run(model, setup.decoders, *setup.sampleRate);
        for (const std::string& e : result.errors) std::cerr << "zq350-inspect: " << e << "\n";
        decoderFailed = !result.errors.empty();
        annotations = std::make_shared<const zq::AnnotationTable>(std::move(result));
    }

    // No display is needed, and a fixed 96 dpi gives the same picture everywhere.
    std::unique_ptr<QApplication> app;
    if (!QCoreApplication::instance()) {
        // Standard error carries the report, which scripts compare: the toolkit's notes about
        // its environment (no runtime folder, no display) are not for them.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::cerr << text.toStdString() << "\n";
        });
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int qtArgc = 1;
        static char name[] = "zq350-inspect";
        static char* qtArgv[] = {name, nullptr};
        app = std::make_unique<QApplication>(qtArgc, qtArgv);
    }
    // As the window hands them over: the first sample, then the grid and its labels.
    const auto first = static_cast<int32_t>(zq::BoxInteger(boxes.StartPos, INT32_MIN, INT32_MAX));
    const zq::ViewValues values = zq::ReadValues(boxes);
    const QImage picture = zq::ChartAreaPicture(
        {first, pass.grid,
         zq::PositionLabels(boxes.StartPos, boxes.DataLen, pass.grid.GridLength()),
         path + zq::kChartTitleSuffix, setup,
         zq::BusTraces(setup, &model, first, pass.grid.samples()), zq::CursorSample(values.cursorA),
         zq::CursorSample(values.cursorB), annotations});
    // Encoded whole in memory, then written as every output is: never over the capture, never
    // into a pipe, replacing the file whole or not at all.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !QImageWriter(&buffer, "PNG").write(picture)) {
        std::cerr << "zq350-inspect: " << zq::inspect::Shown(out)
                  << ": the picture cannot be encoded\n";
        return 2;
    }
    std::vector<zq::exports::FileIdentity> inputs;
    if (const auto id = zq::exports::IdentifyFile(path)) inputs.push_back(*id);
    if (!zq::exports::WriteOutputs({{out, std::string_view(png.constData(), size_t(png.size()))}},
                                   inputs, error)) {
        std::cerr << "zq350-inspect: " << zq::inspect::Shown(error) << "\n";
        return 2;
    }
    // The picture lacks what a failed decoder would have drawn: not a success.
    const int status = zq::inspect::FinishWithReport(model.report);
    return decoderFailed ? 2 : status;
}
