// zq350-inspect measure: the statistics the window's read-out gives a channel, for every
// channel at once and over the whole capture, as a table to read or as CSV for a script.

#include "view/Measure.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "CaptureTool.h"
#include "Commands.h"
#include "capture/DecodedCapture.h"
#include "view/SetupJson.h"
#include "view/Units.h"

namespace zq::inspect {

namespace {

struct MeasureOptions {
    std::vector<std::string> channels;  // as given
    std::string rate, setupPath;
    bool csv = false;
};

// Options as given, "--option=value" included; a message naming what is wrong otherwise.
std::optional<MeasureOptions> ReadOptions(const std::vector<std::string>& args,
                                          std::string& error) {
    MeasureOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const size_t eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (name == "--csv") {
            if (value) {
                error = "--csv takes no value";
                return std::nullopt;
            }
            o.csv = true;
            continue;
        }
        if (name != "--channel" && name != "--samplerate" && name != "--setup") {
            error = "unknown option " + Shown(args[i]);
            return std::nullopt;
        }
        if (!value && i + 1 < args.size()) value = args[++i];
        if (!value || value->empty()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        if (name == "--channel")
            o.channels.push_back(*value);
        else
            (name == "--samplerate" ? o.rate : o.setupPath) = *value;
    }
    return o;
}

// A channel number 0..15 first, so that scripts can always name a channel by its number; else a
// name the setup gives, read as a name typed into the setup is (blanks around it trimmed).
std::optional<int> FindChannel(const std::string& text, const ChannelSetup& setup) {
    if (!text.empty() && text.size() <= 2 && text.find_first_not_of("0123456789") == text.npos &&
        (text.size() == 1 || text[0] != '0')) {
        const int n = std::stoi(text);
        if (n < kChannels) return n;
    }
    const Parsed<std::string> name = ReadName(text);
    if (!name.ok() || name.value.empty()) return std::nullopt;
    for (int c = 0; c < kChannels; ++c)
        if (setup.channels[static_cast<size_t>(c)].name == name.value) return c;
    return std::nullopt;
}

std::string Printed(const char* format, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// A number of samples for a person: whole numbers as they are, means to two decimals.
std::string SampleText(double samples) {
    std::string text = Printed("%.2f", samples);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

// The values of one channel after its label, in the columns' order: edges, the three width
// statistics of high, low and period, frequency and duty. Empty where a value is unknown.
// Widths and frequency go through the two functions given (samples to text, per-sample
// frequency to text), so that the table and the CSV share the order and the unknowns.
template <class Width, class Frequency>
std::vector<std::string> ChannelValues(const ChannelStatistics& s, Width width, Frequency frequency,
                                       const char* dutyFormat) {
    std::vector<std::string> v{std::to_string(s.risingEdges), std::to_string(s.fallingEdges)};
    for (const auto& w : {s.high, s.low, s.period}) {
        if (!w) {
            v.insert(v.end(), 3, "");
            continue;
        }
        v.push_back(width(w->min));
        v.push_back(width(w->mean));
        v.push_back(width(w->max));
    }
    v.push_back(s.frequency ? frequency(*s.frequency) : "");
    v.push_back(s.duty ? Printed(dutyFormat, *s.duty * 100) : "");
    return v;
}

std::string CsvText(const std::vector<int>& channels, const std::vector<ChannelStatistics>& stats,
                    const ChannelSetup& setup, std::optional<double> rate) {
    const std::string unit = rate ? "_s" : "_samples";
    std::string out = "channel,name,rising_edges,falling_edges";
    for (const char* what : {"high", "low", "period"})
        for (const char* stat : {"_min", "_mean", "_max"}) out += "," + (what + (stat + unit));
    out += rate ? ",frequency_hz" : ",frequency_per_sample";
    out += ",duty_percent\n";
    for (size_t i = 0; i < channels.size(); ++i) {
        // Names hold no ',', but may hold '"': quoted as the CSV export quotes them.
        std::string name = setup.channels[static_cast<size_t>(channels[i])].name;
        if (!name.empty()) name = setup.CsvColumn(channels[i]);
        out += std::to_string(channels[i]) + "," + name;
        const auto values = ChannelValues(
            stats[i], [&](double w) { return Printed("%.9g", rate ? SamplesTime(w, *rate) : w); },
            [&](double f) { return Printed("%.9g", rate ? f * *rate : f); }, "%.9g");
        for (const std::string& v : values) out += "," + v;
        out += '\n';
    }
    return out;
}

struct Column {
    std::string group;  // the title over the columns of a group; empty for none
    std::string title;
    size_t width = 0;
};

std::string TableText(const std::vector<int>& channels, const std::vector<ChannelStatistics>& stats,
                      const ChannelSetup& setup, std::optional<double> rate) {
    const std::string unit = rate ? "" : " (samples)";
    std::vector<Column> columns{{"", "channel"}, {"edges", "rise"}, {"edges", "fall"}};
    for (const char* what : {"high", "low", "period"})
        for (const char* stat : {"min", "mean", "max"}) columns.push_back({what + unit, stat});
    columns.push_back(rate ? Column{"", "frequency"} : Column{"frequency", "per sample"});
    columns.push_back({"", "duty"});

    std::vector<std::vector<std::string>> rows;
    for (size_t i = 0; i < channels.size(); ++i) {
        std::vector<std::string> row{Shown(setup.RowLabel(channels[i]))};
        const auto values = ChannelValues(
            stats[i],
            [&](double w) { return rate ? TimeText(SamplesTime(w, *rate)) : SampleText(w); },
            [&](double f) { return rate ? FrequencyText(f * *rate) : Printed("%.3g", f); },
            "%.1f %%");
        for (const std::string& v : values) row.push_back(v.empty() ? "-" : v);
        rows.push_back(row);
    }
    for (size_t c = 0; c < columns.size(); ++c) {
        columns[c].width = columns[c].title.size();
        for (const auto& row : rows) columns[c].width = std::max(columns[c].width, row[c].size());
    }
    // One blank between the columns of a group, three between groups; a group as wide as its
    // title at least, the room going to its first column.
    auto sameGroup = [&](size_t c) {
        return c > 0 && !columns[c].group.empty() && columns[c].group == columns[c - 1].group;
    };
    std::vector<size_t> groupStarts;
    for (size_t c = 0; c < columns.size(); ++c)
        if (!columns[c].group.empty() && !sameGroup(c)) groupStarts.push_back(c);
    for (size_t first : groupStarts) {
        size_t span = columns[first].width;
        for (size_t c = first + 1; c < columns.size() && sameGroup(c); ++c)
            span += 1 + columns[c].width;
        const size_t title = columns[first].group.size();
        if (title > span) columns[first].width += title - span;
    }
    auto line = [&](const std::vector<std::string>& cells) {
        std::string out;
        for (size_t c = 0; c < columns.size(); ++c) {
            if (c > 0) out += sameGroup(c) ? " " : "   ";
            const std::string pad(columns[c].width - cells[c].size(), ' ');
            out += c == 0 ? cells[c] + pad : pad + cells[c];
        }
        out.erase(out.find_last_not_of(' ') + 1);
        return out + "\n";
    };
    // The group titles, each centred over its columns.
    std::string groups;
    size_t x = 0;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) x += sameGroup(c) ? 1 : 3;
        if (std::find(groupStarts.begin(), groupStarts.end(), c) != groupStarts.end()) {
            size_t span = columns[c].width;
            for (size_t d = c + 1; d < columns.size() && sameGroup(d); ++d)
                span += 1 + columns[d].width;
            const std::string& title = columns[c].group;
            groups.resize(x + (span - title.size()) / 2, ' ');
            groups += title;
        }
        x += columns[c].width;
    }
    std::vector<std::string> titles;
    for (const Column& c : columns) titles.push_back(c.title);
    std::string out = groups + "\n" + line(titles);
    for (const auto& row : rows) out += line(row);
    return out;
}

}  // namespace

int Measure(const std::string& path, const std::vector<std::string>& args) {
    std::string error;
    const auto options = ReadOptions(args, error);
    if (!options) return Usage(error);
    ChannelSetup setup;
    if (!options->setupPath.empty() && !LoadSetup(options->setupPath, setup)) return 2;
    std::optional<double> rate = setup.sampleRate;
    if (!options->rate.empty()) {
        const Parsed<double> r = ParseSampleRate(options->rate);
        if (!r.ok()) return Usage("--samplerate " + r.error);
        rate = r.value;
    }
    std::vector<int> channels;
    for (const std::string& text : options->channels) {
        const auto c = FindChannel(text, setup);
        if (!c)
            return Usage("--channel " + Shown(text) +
                         ": no such channel (0 to 15, or a name from --setup)");
        if (std::find(channels.begin(), channels.end(), *c) == channels.end())
            channels.push_back(*c);
    }
    if (options->channels.empty())
        for (int c = 0; c < kChannels; ++c) channels.push_back(c);

    auto file = Open(path);
    if (!file) return 2;
    const DecodedCapture model = DecodeCapture(*file);
    std::vector<ChannelStatistics> stats;
    for (int c : channels) stats.push_back(ChannelStats(model, c));
    const std::string out = options->csv ? CsvText(channels, stats, setup, rate)
                                         : TableText(channels, stats, setup, rate);
    if (!WriteStandardOutput(out)) return 2;
    return FinishWithReport(model.report);
}

}  // namespace zq::inspect
