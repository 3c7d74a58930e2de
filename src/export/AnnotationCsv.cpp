#include "export/AnnotationCsv.h"

#include <cstdio>

#include "view/Units.h"

namespace zq::exports {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos &&
        (text.empty() || (text.front() != ' ' && text.back() != ' ')))
        return text;
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string CsvTime(uint64_t sample, std::optional<double> rate) {
    if (!rate) return {};
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", SamplesTime(static_cast<double>(sample), *rate));
    return text;
}

std::string AnnotationCsv(const AnnotationTable& table, const std::vector<size_t>& which,
                          std::optional<double> sampleRate) {
    std::string out = "start_sample,end_sample,start_time,end_time,decoder,row,text,unreliable\n";
    for (size_t i : which) {
        const decode::Annotation& a = table.annotation(i);
        const std::string row =
            table.rowOf(i) < table.rowCount() ? table.row(table.rowOf(i)).desc : std::string();
        out += std::to_string(a.start) + "," + std::to_string(a.end) + "," +
               CsvTime(a.start, sampleRate) + "," + CsvTime(a.end, sampleRate) + "," +
               CsvField(a.instance) + "," + CsvField(row) + "," +
               CsvField(a.texts.empty() ? std::string() : a.texts.front()) + "," +
               (a.unreliable ? "1" : "0") + "\n";
    }
    return out;
}

}  // namespace zq::exports
