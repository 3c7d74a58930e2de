#include "capture/DecodedCapture.h"

#include "capture/Decoder.h"
#include "capture/HexConvert.h"

namespace zq {

namespace {

// The decoded capture's side of the shared scan.
class WordCollector {
  public:
    explicit WordCollector(DecodedCapture& out) : out_(out) {}
    void lineHeader(std::string_view) {}
    void digit(int32_t sampleAddress, int position, char d, int) {
        if (position == 0) {
            value_ = 0;
            wordAddress_ = sampleAddress;
        } else if (sampleAddress != wordAddress_) {
            wordAddress_ = -1;  // digits spread over two samples make no word
        }
        value_ = static_cast<uint16_t>((value_ << 4) | HexDigitValue(d));
    }
    void placeMarks(int32_t a, bool wordComplete) {
        if (!wordComplete || a != wordAddress_ || a < 0 || a >= kCaptureSamples) return;
        out_.words[static_cast<size_t>(a)] = value_;
        out_.held.set(static_cast<size_t>(a));
    }
    void damagedLine(int32_t lineAddress) {
        for (int32_t s = lineAddress; s < lineAddress + 16 && s < kCaptureSamples; ++s)
            if (s >= 0) out_.unreliable.set(static_cast<size_t>(s));
    }

  private:
    DecodedCapture& out_;
    uint16_t value_ = 0;
    int32_t wordAddress_ = -1;
};

}  // namespace

void DecodeCapture(ByteCursor& in, DecodedCapture& out) {
    out.words.fill(0);
    out.held.reset();
    out.unreliable.reset();
    WordCollector collector(out);
    // The whole capture: a damaged line ends a pass only past the last sample.
    const ScanWindow window{0, kCaptureSamples - 1, kCaptureSamples - 1};
    ScanResult r = ScanCapture(in, window, collector);
    out.report = std::move(r.report);
    out.foundStart = r.foundStart;
    // A sample without a complete word has nothing to trust; its word stays 0.
    out.unreliable |= ~out.held;
}

DecodedCapture DecodeCapture(ByteCursor& in) {
    DecodedCapture out;
    DecodeCapture(in, out);
    return out;
}

DecodedCapture DecodeCapture(const CaptureFile& file) {
    ByteCursor in = file.cursor();
    return DecodeCapture(in);
}

}  // namespace zq
