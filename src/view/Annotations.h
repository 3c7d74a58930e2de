#pragma once
// What the decoders said, arranged for the chart, the read-out and the annotation list: each
// row's annotations in the order of their first sample, the one under a sample, the text that
// fits a box, the read-out's words for one, and the list's search. Plain code, no Qt.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view/Decoding.h"
#include "view/ViewGestures.h"

namespace zq {

// The rows shown are those that hold an annotation, and the first row of a decoder that holds
// none (so that a decoder that found nothing is still seen to have run): a decoder has rows for
// everything it can say, most of them empty on a given capture.
class AnnotationTable {
  public:
    AnnotationTable() = default;
    explicit AnnotationTable(decode::DecodeResult result);

    const decode::DecodeResult& result() const { return result_; }
    size_t rowCount() const { return rows_.size(); }
    const decode::AnnotationRow& row(size_t r) const { return rows_[r]; }
    const decode::Annotation& annotation(size_t i) const { return result_.annotations[i]; }
    // Indices into result().annotations of row r's annotations, by first sample (then by
    // end). An annotation of no row in the result is in none.
    const std::vector<size_t>& inRow(size_t r) const { return byRow_[r]; }
    // The row of annotation i; rowCount() when it has none.
    size_t rowOf(size_t i) const { return rowOf_[i]; }
    // The annotation of row r over sample: the one that starts last among those that cover
    // it (the innermost where they nest). A point annotation (end == start) covers its sample.
    std::optional<size_t> at(size_t r, int64_t sample) const;
    // Every annotation of a row, by first sample, then by row: the list's order.
    const std::vector<size_t>& listed() const { return listed_; }
    // The same rows without their annotations: what the chart shows while a new capture is
    // decoded, so that the rows do not jump.
    AnnotationTable rowsOnly() const;

  private:
    decode::DecodeResult result_;
    std::vector<decode::AnnotationRow> rows_;
    std::vector<std::vector<size_t>> byRow_;
    std::vector<size_t> rowOf_;
    std::vector<size_t> listed_;
    // Per row, the longest annotation: the search for the one under a sample starts that far
    // before it.
    std::vector<uint64_t> longest_;
};

// The samples an annotation covers on the chart, first .. last: start .. end - 1, or its one
// sample for a point annotation.
inline std::pair<int64_t, int64_t> CoveredSamples(const decode::Annotation& a) {
    const auto first = static_cast<int64_t>(a.start);
    return {first, std::max(first, static_cast<int64_t>(a.end) - 1)};
}

// The longest of texts (longest first, as the library gives them) no wider than room by
// width; nothing when none is.
std::optional<size_t> LongestThatFits(const std::vector<std::string>& texts, double room,
                                      const std::function<double(std::string_view)>& width);

// The read-out's words for an annotation: its row and whole text, then its samples and, with
// a rate, its time from the trigger and its duration; "unreliable" when it covers damage.
std::string AnnotationText(const decode::AnnotationRow& row, const decode::Annotation& a,
                           std::optional<double> sampleRate);

// The list's time column: the first sample's time from the trigger, as the axis gives it;
// the sample's distance from the trigger without a rate.
std::string AnnotationTime(const decode::Annotation& a, std::optional<double> sampleRate);

// A search as the list's box takes it: every blank-separated word of query is found, in either
// case, in one of the annotation's texts, its decoder or its row. An empty query finds all.
bool MatchesSearch(const AnnotationTable& table, size_t i, std::string_view query);

// The window a click on an annotation moves to: centred on it, as long as shown unless that
// cannot hold the annotation whole.
SampleWindow WindowCentredOn(SampleWindow shown, int64_t first, int64_t last);

}  // namespace zq
