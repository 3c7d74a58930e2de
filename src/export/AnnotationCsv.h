#pragma once
// The annotation list as CSV: a header, then a line per annotation, with the columns of
// zq350-inspect decode --csv where the list knows them.

#include <optional>
#include <string>
#include <vector>

#include "view/Annotations.h"

namespace zq::exports {

// start_sample,end_sample,start_time,end_time,decoder,row,text,unreliable for the annotations
// which (indices into the table), in that order. Times are in seconds from sample 0 at the
// rate, empty without one; the row is as the chart labels it, the text the longest.
std::string AnnotationCsv(const AnnotationTable& table, const std::vector<size_t>& which,
                          std::optional<double> sampleRate);

}  // namespace zq::exports
