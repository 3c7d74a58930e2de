#include "view/Translate.h"

namespace zq {

namespace {
Translator gTranslator = nullptr;
}

void SetTranslator(Translator translator) { gTranslator = translator; }

std::string translate(const char* context, const char* source) {
    return gTranslator ? gTranslator(context, source) : std::string(source);
}

std::string Arg(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const size_t n = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : args.size();
        if (c == '%' && n < args.size()) {
            out += args.begin()[n];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace zq
