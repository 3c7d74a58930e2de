// Renders the main window with an example capture loaded into a PNG for the README:
//   timing_screenshot [capture] [out.png] [setup.json SAMPLE ROW [START LENGTH [list]]]
//   (defaults examples/counter-uart.txt and docs/timing-view.png); with a setup, the pointer
//   rests over SAMPLE in the ROW-th row from the top, as a user hovering there sees it. The
//   setup's decoders run as in the program, and the picture waits for their rows. START and
//   LENGTH choose the window (1000 and 48 by default); "list" shows the annotation list too.
// The capture is loaded the way a user does it: "Load  from Disk", the file chosen in the
// dialog, then a few marks switched on with their check boxes. The window speaks the language
// of the environment, as the program does (LANGUAGE=de for the German one).

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <iostream>

#include "BenchSupport.h"
#include "app/LibraryEngine.h"
#include "app/Translations.h"
#include "timing/TimingView.h"
#include "view/SetupJson.h"
#include "widgets/TimingChart.h"

int main(int argc, char** argv) {
    const zq::test::OffscreenDesktop screen;
    QApplication app(argc, argv);
    zq::InstallTranslations();  // in the user's language, as the program shows it
    const QString capture =
        QDir::current().absoluteFilePath(argc > 1 ? argv[1] : "examples/counter-uart.txt");
    const QString out =
        QDir::current().absoluteFilePath(argc > 2 ? argv[2] : "docs/timing-view.png");

    // A short path in the title, as when the file lies in the current directory.
    QDir::setCurrent(QFileInfo(capture).absolutePath());
    zq::bench::BenchProgram p;
    p.dialogs.file = QFileInfo(capture).fileName().toStdString();
    zq::DecodeSession decoding(zq::LoadLibraryEngine);
    zq::TimingView window(p.capture, p.device, p.dialogs, p.host, &decoding);
    if (argc > 5) {
        const zq::Parsed<zq::ChannelSetup> setup = zq::LoadSetupFile(argv[3]);
        if (!setup.ok()) {
            std::cerr << setup.error << "\n";
            return 1;
        }
        window.UseSetup(setup.value);
    }
    window.show();
    QApplication::processEvents();  // laid out as on a screen, without scroll bars

    window.findChild<QLineEdit*>("StartPos")->setText(argc > 7 ? argv[6] : "1000");
    window.findChild<QLineEdit*>("DataLen")->setText(argc > 7 ? argv[7] : "48");
    window.findChild<QLineEdit*>("MarkCursorA")->setText("1012");
    window.findChild<QLineEdit*>("MarkCursorB")->setText("1036");
    QTest::mouseClick(window.findChild<QPushButton*>("Load"), Qt::LeftButton);
    if (!p.capture.isOpen()) {
        std::cerr << "cannot open " << capture.toStdString() << "\n";
        return 1;
    }
    window.findChild<QLineEdit*>("ZeroCentricVal")->setText("10");
    QTest::mouseClick(window.findChild<QCheckBox*>("MarkZerocentricCheck"), Qt::LeftButton);
    if (!p.capture.setup().decoders.empty() &&
        !QTest::qWaitFor([&] { return decoding.annotations() && !decoding.running(); }, 20000)) {
        std::cerr << "the decoders did not finish\n";
        return 1;
    }
    if (argc > 8 && std::string(argv[8]) == "list") {
        auto* menu = window.findChild<QMenu*>("MnuDecoders");
        emit menu->aboutToShow();
        window.findChild<QAction*>("ShowAnnotationList")->trigger();
    }
    QApplication::processEvents();

    if (argc > 5) {
        zq::TimingChart* chart = window.chart();
        const int row = std::atoi(argv[5]);
        const QPointF at(
            chart->positionX(std::atoi(argv[4]) - chart->firstSample() + 1),
            chart->valueToY(chart->rows().top(static_cast<size_t>(row)) - chart->rows().pitch / 2));
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(chart, &move);
    }
    if (!window.grab().save(out, "PNG")) {
        std::cerr << "cannot write " << out.toStdString() << "\n";
        return 1;
    }
    std::cout << out.toStdString() << "\n";
    return 0;
}
