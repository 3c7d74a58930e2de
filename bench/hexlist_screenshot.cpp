// Renders the listing window over an example capture into a PNG for the README:
//   hexlist_screenshot [out.png]   (default docs/hexlist.png)
// The capture is made here: a counter on the low byte, a slower counter above it and a flag
// that rises at the trigger, so every kind of mark has a line to colour.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "BenchSupport.h"
#include "app/Translations.h"
#include "hexlist/HexList.h"
#include "session/Dialogs.h"
#include "session/WindowHost.h"

namespace {

std::string ExampleCapture() {
    std::string text;
    char buf[8];
    for (unsigned a = 0; a < 2048; a += 16) {
        std::snprintf(buf, sizeof buf, "%04X", a);
        text += std::string("S ") + buf;
        for (unsigned n = a; n < a + 16; ++n) {
            const unsigned w = (n & 0xFFu) | (((n >> 3) & 0x3Fu) << 8) | (n >= 1024 ? 0x8000u : 0u);
            std::snprintf(buf, sizeof buf, " %04X", w);
            text += buf;
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const zq::test::OffscreenDesktop screen;
    QApplication app(argc, argv);
    zq::InstallTranslations();  // in the user's language, as the program shows it
    const QString out = QDir::current().absoluteFilePath(argc > 1 ? argv[1] : "docs/hexlist.png");

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    std::ofstream("example.log", std::ios::binary) << ExampleCapture();

    zq::bench::BenchProgram p;
    std::string error;
    if (!p.capture.open("example.log", error)) {
        std::cerr << error << "\n";
        return 1;
    }
    zq::SavedView v;
    v.StartPos = 1000;
    v.DataLen = 40;
    v.ZeroCentricVal = 5;
    v.TrigCentricVal = 8;
    v.MarkCursorA = 1012;
    v.MarkCursorB = 1030;
    v.MarkTrig = v.MarkTrigcentric = v.MarkZerocentric = v.MarkCursors = 1;
    p.capture.setSavedView(v);

    zq::HexList window(p.capture, p.dialogs, p.host);
    window.show();
    QApplication::processEvents();  // laid out as on a screen, without scroll bars
    if (!window.grab().save(out, "PNG")) {
        std::cerr << "cannot write " << out.toStdString() << "\n";
        return 1;
    }
    std::cout << out.toStdString() << "\n";
    return 0;
}
