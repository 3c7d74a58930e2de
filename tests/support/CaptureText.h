#pragma once
// Builds capture file texts for tests: the layout the device sends, with ways to damage it.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace zq::test {

// A word per sample; the default gives every sample a distinct, recognisable word.
inline std::vector<uint16_t> CounterWords() {
    std::vector<uint16_t> w(2048);
    for (size_t i = 0; i < w.size(); ++i) w[i] = static_cast<uint16_t>(i * 0x0101u ^ 0x5A00u);
    return w;
}

inline std::string Hex4(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", v & 0xFFFFu);
    return buf;
}

// One file line: "S", a blank, the address, then 16 words each led by a blank, then CR LF.
inline std::string CaptureLine(unsigned address, const std::vector<uint16_t>& words) {
    std::string s = "S " + Hex4(address);
    for (unsigned n = 0; n < 16; ++n) s += " " + Hex4(words[address + n]);
    return s + "\r\n";
}

// Lines from firstLine to lastLine (indices 0..127) of a capture.
inline std::string CaptureText(const std::vector<uint16_t>& words = CounterWords(),
                               int firstLine = 0, int lastLine = 127) {
    std::string s;
    for (int l = firstLine; l <= lastLine; ++l)
        s += CaptureLine(static_cast<unsigned>(l) * 16, words);
    return s;
}

// Offset of the "S" of the line with the given address in a CaptureText.
inline size_t LineOffset(const std::string& text, unsigned address) {
    return text.find("S " + Hex4(address));
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zq::test
