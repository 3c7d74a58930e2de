// libFuzzer target: any bytes as a capture file, decoded into the whole-capture model, then drawn
// and listed for a window and marks taken from the first bytes. Nothing may crash, hang or read
// out of bounds, and what the views show must be what the model holds:
//   - the chart and the listing tell the same report, the model's, whatever the window;
//   - the listing lists only words inside its window;
//   - the chart draws a trace exactly where the model holds a word, with that word's digits;
//   - decoding the same bytes again into a used model gives the same model;
//   - the export writers take any model: a CSV row for every sample, a VCD with its header.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "chart/ChartData.h"
#include "chart/Listing.h"
#include "export/Export.h"
#include "view/BoxNumber.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool SameModel(const zq::DecodedCapture& a, const zq::DecodedCapture& b) {
    return a.words == b.words && a.held == b.held && a.unreliable == b.unreliable &&
           a.report == b.report && a.cellDigits == b.cellDigits && a.cellMask == b.cellMask &&
           a.visited == b.visited && a.listed.size() == b.listed.size() &&
           a.digitText == b.digitText;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    zq::ViewBoxes boxes;
    boxes.StartPos = std::to_string((data[0] | data[1] << 8) % 2100);
    boxes.DataLen = std::to_string((data[2] | data[3] << 8) % 3100);
    boxes.MarkZerocentricCheck = data[4] & 1;
    boxes.MarkTrigcentricCheck = (data[4] >> 1) & 1;
    boxes.MarkTrigCheck = (data[4] >> 2) & 1;
    boxes.MarkCursorsCheck = (data[4] >> 3) & 1;
    boxes.ZeroCentricVal = std::to_string(data[5] % 40);
    boxes.TrigCentricVal = std::to_string(data[5] % 23);
    const std::string bytes(reinterpret_cast<const char*>(data + 6), size - 6);

    const zq::DecodedCapture model = zq::DecodeCapture(bytes);
    // Decoding again into the same model (as a file changed on disk is) leaves nothing behind.
    if (data[4] & 0x80) {
        zq::DecodedCapture again = zq::DecodeCapture(std::string_view("S 0000 1234"));
        zq::ByteCursor in(bytes);
        zq::DecodeCapture(in, static_cast<int64_t>(bytes.size()), again);
        Check(SameModel(model, again));
    }
    Check((model.unreliable | model.held).all());  // what is not held is unreliable
    Check(!model.report.empty() || (model.foundStart && model.findings.empty()));

    if (data[4] & 0x40) {
        const std::string csv = zq::exports::Csv(model);
        Check(std::count(csv.begin(), csv.end(), '\n') == 1 + zq::kCaptureSamples);
        zq::exports::VcdOptions vcd;
        vcd.sampleRate = 1 + uint64_t{data[5]} * 999983;
        vcd.source = bytes.substr(0, 8);
        vcd.date = "now";
        Check(zq::exports::Vcd(model, vcd).find("$enddefinitions $end") != std::string::npos);
    }

    zq::ViewBoxes chartBoxes = boxes;
    const auto pass = zq::CalcDataPass(chartBoxes, &model);
    // The listing of the same settings, as after "Go !" with the normalised boxes.
    const auto build = zq::BuildListing(zq::StoreView(chartBoxes), "fuzz", &model);
    Check(pass.drawn == build.foundStart);
    if (!pass.drawn) return 0;
    Check(pass.report == model.report && build.report == model.report);

    const int64_t listStart = zq::BoxInteger(build.boxes.StartPos, 0, 1000000000);
    const int64_t listEnd = listStart + zq::StoreView(chartBoxes).DataLen;
    for (const auto& line : build.lines) {
        Check(line.text.size() >= 21);
        const size_t open = line.text.find(" (");
        const int64_t sample = std::stoll(line.text.substr(open + 2, 4));
        Check(sample >= listStart && sample <= listEnd);
    }

    const int64_t start = zq::BoxInteger(chartBoxes.StartPos, 0, 1000000000);
    const zq::ChartGrid& grid = pass.grid;
    for (int s = 0; s <= grid.GridLength(); ++s) {
        const int64_t sample = start + s;
        if (sample >= zq::kCaptureSamples) {
            Check(grid.presence(s) == zq::Presence::Beyond);
            continue;
        }
        const auto i = static_cast<size_t>(sample);
        Check((grid.presence(s) == zq::Presence::Present) == model.held[i]);
        if (!model.held[i] || model.cellMask[i] != 0xF) continue;
        // Every channel at the level of its bit in the digits the model holds there.
        for (int c = 0; c < 16; ++c) {
            const bool high = (model.cellDigits[i] >> c) & 1;
            const float want = static_cast<float>(c) + 0.1f + (high ? 0.8f : 0.0f);
            const float got = grid.at(zq::TraceOfChannel(c), s);
            Check(got > want - 0.01f && got < want + 0.01f);
        }
    }
    return 0;
}
