#pragma once
// The annotation list as CSV: a header, then a line per annotation, with the columns of
// zq350-inspect decode --csv where the list knows them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "view/Annotations.h"

namespace zq::exports {

// A CSV field: quoted when it holds a separator, a quote, a line end or blanks at its ends.
std::string CsvField(const std::string& text);
// A sample's time in seconds from sample 0 at the rate, as the CSV writes it; empty without one.
std::string CsvTime(uint64_t sample, std::optional<double> rate);

// start_sample,end_sample,start_time,end_time,decoder,row,text,unreliable for the annotations
// which (indices into the table), in that order. Times are in seconds from sample 0 at the
// rate, empty without one; the row is as the chart labels it, the text the longest.
std::string AnnotationCsv(const AnnotationTable& table, const std::vector<size_t>& which,
                          std::optional<double> sampleRate);

}  // namespace zq::exports
