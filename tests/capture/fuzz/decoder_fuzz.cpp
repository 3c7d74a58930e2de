// libFuzzer target: any bytes as a capture file, through the chart's pass and the listing's
// build, with the window and marks taken from the first bytes. Nothing may crash, hang or read
// out of bounds, and both consumers of the scan must agree on the report.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "chart/ChartData.h"
#include "chart/Listing.h"

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

    zq::ViewBoxes chartBoxes = boxes;
    zq::ByteCursor chartBytes(bytes);
    const auto pass = zq::CalcDataPass(chartBoxes, chartBytes, static_cast<int64_t>(bytes.size()));

    // The listing of the same settings, as after "Go !" with the normalised boxes.
    zq::ByteCursor listBytes(bytes);
    const auto build = zq::BuildListing(zq::StoreView(chartBoxes), "fuzz", listBytes,
                                        static_cast<int64_t>(bytes.size()));
    if (pass.drawn != build.foundStart) std::abort();
    for (const auto& line : build.lines)
        if (line.text.size() < 21) std::abort();
    return 0;
}
