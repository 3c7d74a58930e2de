// zq350-inspect decode: protocol decoders over a capture, their annotations printed as
// sigrok-cli prints them, so that users carry their command lines and scripts over. A program
// of its own (zq350-inspect-decode): the decoder library starts Python, and no other command
// should load it. zq350-inspect runs it for "decode" with the same arguments.

#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CaptureTool.h"
#include "capture/CaptureFile.h"
#include "capture/DecodedCapture.h"
#include "decode/DecoderLibrary.h"
#include "export/AnnotationCsv.h"
#include "view/Setup.h"
#include "view/Units.h"

namespace {

using namespace zq;
using namespace zq::decode;

constexpr const char* kDecodeUsage =
    "usage: zq350-inspect decode FILE -P DECODER[:CHANNEL=NAME...][:OPTION=VALUE...] [-P ...]\n"
    "                            [-A DECODER[=ROW...]] [--samplerate HZ] [--setup FILE] [--csv]\n"
    "                            [--protocol-decoder-samplenum]\n";

int DecodeUsage(const std::string& message) {
    std::cerr << "zq350-inspect: " << message << "\n" << kDecodeUsage;
    return 2;
}

struct DecodeOptions {
    std::string path, rate, setupPath;
    std::vector<std::string> stacks, annotations;  // the -P and -A arguments as given
    bool csv = false, sampleNumbers = false;
};

// sigrok-cli's forms as well as ours: -P VALUE, -PVALUE, --protocol-decoders VALUE or =VALUE.
std::optional<DecodeOptions> ReadOptions(const std::vector<std::string>& args, std::string& error) {
    DecodeOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const size_t eq = name.find('='); name.starts_with("--") && eq != name.npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        } else if ((name.starts_with("-P") || name.starts_with("-A")) && name.size() > 2) {
            value = name.substr(2);
            name = name.substr(0, 2);
        }
        if (name == "--protocol-decoders") name = "-P";
        if (name == "--protocol-decoder-annotations") name = "-A";
        if (name == "--csv" || name == "--protocol-decoder-samplenum") {
            if (value) {
                error = name + " takes no value";
                return std::nullopt;
            }
            (name == "--csv" ? o.csv : o.sampleNumbers) = true;
            continue;
        }
        if (name != "-P" && name != "-A" && name != "--samplerate" && name != "--setup") {
            if (name.starts_with("-") || !o.path.empty()) {
                error = (name.starts_with("-") ? "unknown option " : "a second FILE: ") +
                        inspect::Shown(args[i]);
                return std::nullopt;
            }
            o.path = args[i];
            continue;
        }
        if (!value && i + 1 < args.size()) value = args[++i];
        if (!value || value->empty()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        if (name == "-P")
            o.stacks.push_back(*value);
        else if (name == "-A")
            o.annotations.push_back(*value);
        else
            (name == "--samplerate" ? o.rate : o.setupPath) = *value;
    }
    if (o.path.empty()) {
        error = "missing FILE";
        return std::nullopt;
    }
    return o;
}

// The annotation classes to print of each decoder: -A's choices, a name looked up among the
// classes before the rows as sigrok-cli looks it up; without -A, everything every decoder says.
struct Choice {
    bool all = false;
    std::set<int> classes;
};

struct Filter {
    std::optional<std::map<std::string, Choice>> decoders;  // none: no -A, all shown
    bool Shows(const Annotation& a) const {
        if (!decoders) return true;
        const auto found = decoders->find(a.decoder);
        return found != decoders->end() &&
               (found->second.all || found->second.classes.contains(a.classIndex));
    }
};

std::optional<Filter> ReadFilter(DecoderLibrary& library, const std::vector<std::string>& texts,
                                 const std::vector<DecoderStack>& stacks, std::string& error) {
    Filter filter;
    if (texts.empty()) return filter;
    filter.decoders.emplace();
    std::set<std::string> run;
    for (const DecoderStack& stack : stacks)
        for (const DecoderUse& use : stack) run.insert(use.id);
    for (const std::string& text : texts) {
        const auto parsed = ParseAnnotationArgument(text);
        if (!parsed.ok()) {
            error = "-A: " + parsed.error;
            return std::nullopt;
        }
        for (const AnnotationChoice& choice : parsed.value) {
            const auto info =
                run.contains(choice.decoder) ? library.Info(choice.decoder, &error) : std::nullopt;
            if (!info) {
                error = "-A " + inspect::Shown(choice.decoder) + ": no such decoder in -P";
                return std::nullopt;
            }
            Choice& shown = (*filter.decoders)[choice.decoder];
            shown.all = shown.all || choice.names.empty();
            for (const std::string& name : choice.names) {
                bool found = false;
                for (size_t c = 0; c < info->annotationClasses.size() && !found; ++c)
                    if (info->annotationClasses[c].first == name) {
                        shown.classes.insert(static_cast<int>(c));
                        found = true;
                    }
                for (const AnnotationRowInfo& row : info->annotationRows)
                    if (!found && row.id == name) {
                        shown.classes.insert(row.classes.begin(), row.classes.end());
                        found = true;
                    }
                if (!found) {
                    error = "-A " + choice.decoder + ": no annotation row or class " +
                            inspect::Shown(name);
                    return std::nullopt;
                }
            }
        }
    }
    return filter;
}

// The row and class ids of an annotation, from its decoder's description.
std::pair<std::string, std::string> RowAndClass(const Annotation& a, const DecoderInfo& info) {
    std::pair<std::string, std::string> ids;
    if (a.rowIndex >= 0 && static_cast<size_t>(a.rowIndex) < info.annotationRows.size())
        ids.first = info.annotationRows[static_cast<size_t>(a.rowIndex)].id;
    if (a.classIndex >= 0 && static_cast<size_t>(a.classIndex) < info.annotationClasses.size())
        ids.second = info.annotationClasses[static_cast<size_t>(a.classIndex)].first;
    return ids;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = ReadOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) return DecodeUsage(error);
    ChannelSetup setup;
    if (!options->setupPath.empty() && !inspect::LoadSetup(options->setupPath, setup)) return 2;
    std::optional<double> rate = setup.sampleRate;
    if (!options->rate.empty()) {
        const Parsed<double> r = ParseSampleRate(options->rate);
        if (!r.ok()) return DecodeUsage("--samplerate " + r.error);
        rate = r.value;
    }
    // -P's stacks; without any, the setup's decoders.
    std::vector<DecoderStack> stacks;
    for (const std::string& text : options->stacks) {
        const auto stack = ParseDecoderArgument(text, setup);
        if (!stack.ok()) return DecodeUsage("-P " + inspect::Shown(stack.error));
        stacks.push_back(stack.value);
    }
    if (options->stacks.empty()) stacks = setup.decoders;
    if (stacks.empty()) return DecodeUsage("decode needs -P DECODER or a setup with decoders");

    std::string openError;
    const auto file = CaptureFile::open(options->path, openError);
    if (!file) {
        std::cerr << "zq350-inspect: " << inspect::Shown(options->path) << ": " << openError
                  << "\n";
        return 2;
    }
    const DecodedCapture model = DecodeCapture(*file);
    const auto library = DecoderLibrary::Load(&error);
    if (!library) {
        std::cerr << "zq350-inspect: " << error << "\n";
        return 2;
    }
    const auto filter = ReadFilter(*library, options->annotations, stacks, error);
    if (!filter) return DecodeUsage(error);
    const DecodeResult result = library->Run(model, stacks, rate.value_or(0));

    std::string out;
    std::map<std::string, DecoderInfo> infos;
    if (options->csv)
        out = "start_sample,end_sample,start_time,end_time,decoder,row,class,text,unreliable\n";
    for (const Annotation& a : result.annotations) {
        if (!filter->Shows(a)) continue;
        const std::string text = a.texts.empty() ? "" : a.texts.front();
        if (!options->csv) {
            // sigrok-cli's line: the first (longest) text, after the samples when asked for.
            if (options->sampleNumbers)
                out += std::to_string(a.start) + "-" + std::to_string(a.end) + " ";
            out += a.instance + ": " + text + "\n";
            continue;
        }
        if (!infos.contains(a.decoder)) infos[a.decoder] = *library->Info(a.decoder, &error);
        const auto [row, cls] = RowAndClass(a, infos[a.decoder]);
        out += std::to_string(a.start) + "," + std::to_string(a.end) + "," +
               exports::CsvTime(a.start, rate) + "," + exports::CsvTime(a.end, rate) + "," +
               a.instance + "," + row + "," + cls + "," + exports::CsvField(text) + "," +
               (a.unreliable ? "1" : "0") + "\n";
    }
    if (!inspect::WriteStandardOutput(out)) return 2;
    for (const std::string& e : result.errors)
        std::cerr << "zq350-inspect: " << inspect::Shown(e) << "\n";
    const int status = inspect::FinishWithReport(model.report);
    return result.errors.empty() ? status : 2;
}
