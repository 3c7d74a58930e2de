#include "capture/DecodedCapture.h"

#include <algorithm>
#include <array>

#include "capture/Decoder.h"
#include "capture/HexConvert.h"
#include "capture/LayoutCheck.h"

namespace zq {

namespace {

// First pass: the lines' addresses only, so that every line can be placed knowing its
// neighbours (a gap is told from a single damaged address by the line after it).
class AddressCollector {
  public:
    std::optional<int32_t> lineHeader(int line, std::string_view lineText) {
        record(line, lineText);
        return std::nullopt;
    }
    void digit(int32_t, int, char, int) {}
    void placeMarks(int32_t, bool) {}
    void lineEnd(int line, std::string_view lineText, int, bool, bool) {
        // The first line may have no header of its own; a header cut off by the end counts.
        if (static_cast<size_t>(line) >= addresses.size()) record(line, lineText);
    }
    std::vector<int32_t> addresses;

  private:
    void record(int line, std::string_view lineText) {
        if (static_cast<size_t>(line) >= kMaxLinesRead) return;
        int32_t a = 0;
        addresses.resize(static_cast<size_t>(line) + 1, -1);
        addresses[static_cast<size_t>(line)] =
            lineText.size() == 4 && UsableLineAddress(lineText, a) ? a : -1;
    }
};

// Second pass: every digit where its line's place puts it.
class ModelFiller {
  public:
    ModelFiller(DecodedCapture& out, ScanReport& report) : out_(out), report_(report) {}

    std::optional<int32_t> lineHeader(int line, std::string_view lineText) {
        // Lines past those read one by one land nowhere; the layout findings count them.
        if (static_cast<size_t>(line) >= out_.lines.size()) return std::nullopt;
        const CaptureLine& l = out_.lines[static_cast<size_t>(line)];
        previousText_ = currentText_;
        currentText_.assign(lineText);
        if (l.place == LinePlace::AddressError) {
            int32_t address = 0;
            UsableLineAddress(lineText, address);
            report_.add([&] { return AddressErrorParagraph(lineText, previousText_, address); });
        }
        if (l.at < 0) return std::nullopt;
        headerMet_ = true;
        std::copy(lineText.begin(), lineText.end(), address_.begin());
        addressBlank_ = false;
        return l.at;
    }

    void digit(int32_t sample, int position, char d, int digitCount) {
        if (inModel(sample)) {
            const auto s = static_cast<size_t>(sample);
            const int shift = 12 - 4 * (position & 3);
            out_.cellDigits[s] = static_cast<uint16_t>((out_.cellDigits[s] & ~(0xF << shift)) |
                                                       (HexDigitValue(d) << shift));
            out_.cellMask[s] |= static_cast<uint8_t>(1 << (position & 3));
        }
        // A word of the model needs all four digits at one sample.
        if (position == 0) {
            value_ = 0;
            wordSample_ = sample;
        } else if (sample != wordSample_) {
            wordSample_ = -1;
        }
        value_ = static_cast<uint16_t>((value_ << 4) | HexDigitValue(d));
        // The listing: only a line's first word shows the line's address.
        if (digitCount > 4) addressBlank_ = true;
        if (pendingDigits_ < kMaxListedDigits) {
            out_.digitText += d;
            out_.digitSample.push_back(sample);
            ++pendingDigits_;
        }
    }

    void placeMarks(int32_t sample, bool wordComplete) {
        if (inModel(sample)) out_.visited[static_cast<size_t>(sample)] = true;
        if (!wordComplete) return;
        if (sample == wordSample_ && sample >= 0 && sample < kCaptureSamples) {
            out_.words[static_cast<size_t>(sample)] = value_;
            out_.held.set(static_cast<size_t>(sample));
        }
        const auto first = static_cast<uint32_t>(out_.digitText.size() - pendingDigits_);
        if (inModel(sample)) {
            ListedWord& w = out_.listed.emplace_back();
            w.sample = sample;
            w.firstDigit = first;
            w.digitCount = static_cast<uint16_t>(pendingDigits_);
            if (addressBlank_) {
                w.address = {' ', ' ', ' ', ' '};
                w.addressLength = 4;
            } else if (headerMet_) {
                w.address = address_;
                w.addressLength = 4;
            }
        } else {
            // A word no window can list: its digits are not kept.
            out_.digitText.resize(first);
            out_.digitSample.resize(first);
        }
        // Only a completed word clears these: digits of a word cut short by a line start are
        // carried into the next line's first word, so the damage shows in the listing.
        pendingDigits_ = 0;
    }

    void lineEnd(int line, std::string_view lineText, int digitCount, bool placed, bool last) {
        if (!placed || static_cast<size_t>(line) >= out_.lines.size()) return;
        const CaptureLine& l = out_.lines[static_cast<size_t>(line)];
        const bool damaged = digitCount != 64;
        // A line cut short by the end of the file loses only the samples it does not hold.
        if ((damaged && !(last && digitCount < 64)) || l.place == LinePlace::OutOfSequence)
            markUnreliable(l.at);
        // The last line is told of by the layout findings; a line cut off by the end of the
        // file is told of by the premature end.
        if (!damaged || last) return;
        const int32_t L = HexAddressToDecimal(lineText);
        report_.add([&] { return DamagedLineParagraph(lineText, L, digitCount); });
        out_.damagedLines.push_back(L);
        markUnreliable(L);
    }

  private:
    // A word carried across any number of cut-short lines stays a finite line of the listing.
    static constexpr int kMaxListedDigits = 4096;

    static bool inModel(int32_t s) { return s >= 0 && s < kModelSamples; }

    void markUnreliable(int32_t from) {
        for (int32_t s = std::max(from, 0); s < from + 16 && s < kCaptureSamples; ++s)
            out_.unreliable.set(static_cast<size_t>(s));
    }

    DecodedCapture& out_;
    ScanReport& report_;
    std::string currentText_, previousText_;
    bool headerMet_ = false;
    std::array<char, 4> address_{};
    bool addressBlank_ = false;
    int pendingDigits_ = 0;
    uint16_t value_ = 0;
    int32_t wordSample_ = -1;
};

void Reset(DecodedCapture& out) {
    out.words.fill(0);
    out.held.reset();
    out.unreliable.reset();
    out.lines.clear();
    out.listed.clear();
    out.digitText.clear();
    out.digitSample.clear();
    std::fill(out.cellDigits.begin(), out.cellDigits.end(), 0);
    std::fill(out.cellMask.begin(), out.cellMask.end(), 0);
    std::fill(out.visited.begin(), out.visited.end(), false);
    out.damagedLines.clear();
    out.report.clear();
    out.findings.clear();
    out.foundStart = false;
}

}  // namespace

void DecodeCapture(ByteCursor& in, int64_t fileLength, DecodedCapture& out) {
    Reset(out);
    out.fileLength = fileLength;

    AddressCollector addresses;
    const ScanEnd first = ScanCapture(in, addresses);
    out.foundStart = first.foundStart;
    out.lines = PlaceLines(addresses.addresses);

    ScanReport report;
    ModelFiller filler(out, report);
    const ScanEnd end = ScanCapture(in, filler);
    const bool lastLineRead = std::any_of(out.lines.begin(), out.lines.end(),
                                          [](const CaptureLine& l) { return l.at == 0x7F0; });
    if (end.foundStart && !lastLineRead)
        report.finish(PrematureEndParagraph(end.lastLineText, end.sampleAddress));
    out.report = std::move(report).text();

    out.findings = CheckLayout(in);
    for (const std::string& f : out.findings) {
        if (!out.report.empty() && out.report.back() != '\n') out.report += "\r\n";
        out.report += f;
        out.report += "\r\n";
    }
    // A sample without a complete word has nothing to trust; its word stays 0.
    out.unreliable |= ~out.held;
}

DecodedCapture DecodeCapture(ByteCursor& in, int64_t fileLength) {
    DecodedCapture out;
    DecodeCapture(in, fileLength, out);
    return out;
}

DecodedCapture DecodeCapture(std::string_view bytes) {
    ByteCursor in(bytes);
    return DecodeCapture(in, static_cast<int64_t>(bytes.size()));
}

DecodedCapture DecodeCapture(const CaptureFile& file) {
    ByteCursor in = file.cursor();
    return DecodeCapture(in, file.length());
}

}  // namespace zq
