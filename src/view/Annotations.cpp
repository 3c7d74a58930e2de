#include "view/Annotations.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "capture/CaptureFormat.h"
#include "view/Translate.h"
#include "view/Units.h"

namespace zq {

using decode::Annotation;
using decode::AnnotationRow;

AnnotationTable::AnnotationTable(decode::DecodeResult result) : result_(std::move(result)) {
    const std::vector<AnnotationRow>& all = result_.rows;
    std::map<std::pair<std::string, int>, size_t> rowIndex;
    for (size_t r = 0; r < all.size(); ++r)
        rowIndex.emplace(std::pair{all[r].instance, all[r].rowIndex}, r);
    // Which of the result's rows hold an annotation, and which decoders hold one at all.
    std::vector<size_t> of(result_.annotations.size(), all.size());
    std::vector<bool> used(all.size(), false);
    std::map<std::string, bool> instanceUsed;
    for (size_t i = 0; i < result_.annotations.size(); ++i) {
        const Annotation& a = result_.annotations[i];
        const auto row = rowIndex.find({a.instance, a.rowIndex});
        if (row == rowIndex.end()) continue;
        of[i] = row->second;
        used[row->second] = true;
        instanceUsed[a.instance] = true;
    }
    std::vector<size_t> shownAs(all.size(), all.size());
    for (size_t r = 0; r < all.size(); ++r) {
        const bool firstOfSilent =
            !instanceUsed[all[r].instance] && (r == 0 || all[r - 1].instance != all[r].instance);
        if (!used[r] && !firstOfSilent) continue;
        shownAs[r] = rows_.size();
        rows_.push_back(all[r]);
    }
    byRow_.resize(rows_.size());
    longest_.assign(rows_.size(), 0);
    rowOf_.resize(result_.annotations.size(), rows_.size());
    for (size_t i = 0; i < result_.annotations.size(); ++i) {
        if (of[i] == all.size()) continue;
        const size_t r = shownAs[of[i]];
        const Annotation& a = result_.annotations[i];
        rowOf_[i] = r;
        byRow_[r].push_back(i);
        longest_[r] = std::max(longest_[r], a.end - std::min(a.end, a.start));
        listed_.push_back(i);
    }
    const auto byStart = [this](size_t x, size_t y) {
        const Annotation &a = result_.annotations[x], &b = result_.annotations[y];
        return std::tie(a.start, a.end) < std::tie(b.start, b.end);
    };
    for (std::vector<size_t>& row : byRow_) std::stable_sort(row.begin(), row.end(), byStart);
    std::stable_sort(listed_.begin(), listed_.end(), [&](size_t x, size_t y) {
        const Annotation &a = result_.annotations[x], &b = result_.annotations[y];
        return std::tie(a.start, rowOf_[x]) < std::tie(b.start, rowOf_[y]);
    });
}

std::optional<size_t> AnnotationTable::at(size_t r, int64_t sample) const {
    if (r >= byRow_.size() || sample < 0) return std::nullopt;
    const std::vector<size_t>& row = byRow_[r];
    const auto s = static_cast<uint64_t>(sample);
    // The first annotation that starts after the sample; those before it that could still
    // reach it start no earlier than the row's longest before it.
    auto it = std::upper_bound(row.begin(), row.end(), s, [this](uint64_t v, size_t i) {
        return v < result_.annotations[i].start;
    });
    const uint64_t earliest = s > longest_[r] ? s - longest_[r] : 0;
    while (it != row.begin()) {
        --it;
        const Annotation& a = result_.annotations[*it];
        if (a.start < earliest) break;
        const auto [first, last] = CoveredSamples(a);
        if (sample >= first && sample <= last) return *it;
    }
    return std::nullopt;
}

AnnotationTable AnnotationTable::rowsOnly() const {
    AnnotationTable t;
    t.rows_ = rows_;
    t.byRow_.resize(rows_.size());
    t.longest_.assign(rows_.size(), 0);
    return t;
}

std::optional<size_t> LongestThatFits(const std::vector<std::string>& texts, double room,
                                      const std::function<double(std::string_view)>& width) {
    for (size_t i = 0; i < texts.size(); ++i)
        if (!texts[i].empty() && width(texts[i]) <= room) return i;
    return std::nullopt;
}

namespace {

std::string FromTrigger(int64_t sample, std::optional<double> sampleRate) {
    const int64_t d = sample - kTriggerSample;
    if (!sampleRate)
        return d == 0 ? translate("zq::Readout", "at Trig")
                      : Arg(translate("zq::Readout", "Trig %1"),
                            {(d > 0 ? "+" : "") + std::to_string(d)});
    const double seconds = SamplesTime(static_cast<double>(d), *sampleRate);
    return (seconds > 0 ? "+" : "") + TimeText(seconds);
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string AnnotationText(const AnnotationRow& row, const Annotation& a,
                           std::optional<double> sampleRate) {
    std::string text = row.desc + ": " + (a.texts.empty() ? std::string() : a.texts.front());
    const auto [first, last] = CoveredSamples(a);
    if (first == last) {
        text += "\n" + Arg(translate("zq::Readout", "Sample %1, %2"),
                           {std::to_string(first), FromTrigger(first, sampleRate)});
    } else {
        const int64_t count = last - first + 1;
        const std::string length =
            sampleRate ? TimeText(SamplesTime(static_cast<double>(count), *sampleRate))
                       : Arg(translate("zq::Readout", "%1 samples"), {std::to_string(count)});
        text += "\n" + Arg(translate("zq::Readout", "Samples %1 to %2, %3, %4 long"),
                           {std::to_string(first), std::to_string(last),
                            FromTrigger(first, sampleRate), length});
    }
    if (a.unreliable)
        text += "\n" + translate("zq::Readout", "unreliable: over damaged or missing samples");
    return text;
}

std::string AnnotationTime(const Annotation& a, std::optional<double> sampleRate) {
    return FromTrigger(static_cast<int64_t>(a.start), sampleRate);
}

bool MatchesSearch(const AnnotationTable& table, size_t i, std::string_view query) {
    const Annotation& a = table.annotation(i);
    std::string hay = a.decoder + '\n' + a.instance;
    if (table.rowOf(i) < table.rowCount()) hay += '\n' + table.row(table.rowOf(i)).desc;
    for (const std::string& t : a.texts) hay += '\n' + t;
    hay = Lower(hay);
    size_t at = 0;
    while (at < query.size()) {
        const size_t begin = query.find_first_not_of(' ', at);
        if (begin == std::string_view::npos) break;
        const size_t end = std::min(query.find(' ', begin), query.size());
        if (hay.find(Lower(query.substr(begin, end - begin))) == std::string::npos) return false;
        at = end;
    }
    return true;
}

SampleWindow WindowCentredOn(SampleWindow shown, int64_t first, int64_t last) {
    const int64_t length = std::max<int64_t>(shown.length, last - first);
    return ClampedWindow((first + last) / 2 - length / 2, length);
}

}  // namespace zq
