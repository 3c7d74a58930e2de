#include "session/PortChoice.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "view/Translate.h"

namespace zq {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Path order with the numbers in a path compared by value: ttyS2 before ttyS10.
bool NaturalLess(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (!IsDigit(a[i]) || !IsDigit(b[j])) {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i, ++j;
            continue;
        }
        const auto number = [](std::string_view s, size_t& at) {
            const size_t start = at;
            while (at < s.size() && IsDigit(s[at])) ++at;
            std::string_view digits = s.substr(start, at - start);
            while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
            return digits;
        };
        const std::string_view x = number(a, i), y = number(b, j);
        if (x.size() != y.size()) return x.size() < y.size();
        if (x != y) return x < y;
    }
    return a.size() - i < b.size() - j;
}

std::string Hex4(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

bool IsMissing(int error) {
    return error == ENOENT || error == ENOTDIR || error == ENODEV || error == ENXIO;
}

// The ports found, for a message: a few lines the user can choose from, or that there are none.
std::string FoundText(const std::vector<PortInfo>& found) {
    if (found.empty()) return translate("zq::PortChoice", "No serial port was found.");
    constexpr size_t kShown = 8;
    std::vector<PortInfo> sorted = found;
    std::stable_sort(sorted.begin(), sorted.end(), [](const PortInfo& a, const PortInfo& b) {
        return NaturalLess(a.path, b.path);
    });
    std::string text = translate("zq::PortChoice", "Serial ports found:");
    for (size_t i = 0; i < sorted.size() && i < kShown; ++i)
        text += "\n    " + PortLabel(sorted[i]);
    if (sorted.size() > kShown)
        text += "\n    " + Arg(translate("zq::PortChoice", "and %1 more"),
                               {std::to_string(sorted.size() - kShown)});
    return text + "\n" +
           translate("zq::PortChoice",
                     "Choose the port under Device or beside \"Read  from ZQ350\".");
}

std::string PermissionAdvice(const PortAccess& access) {
    if (access.groupMayRead && !access.group.empty() && access.group != "root")
        return Arg(translate("zq::PortChoice",
                             "The port belongs to the group %1. Add yourself once with\n"
                             "    sudo usermod -aG %1 $USER\nand log in again."),
                   {access.group});
    return translate("zq::PortChoice",
                     "Only its owner may read it. A udev rule can let you, as\n"
                     "/usr/share/doc/zq350/udev/60-zq350.rules shows for a serial adapter.");
}

}  // namespace

std::string PortLabel(const PortInfo& port) {
    std::vector<std::string> parts;
    const auto add = [&](const std::string& part) {
        if (part.empty()) return;
        // udev often gives the maker's name as part of the product's, or the same text twice.
        for (const std::string& p : parts)
            if (p.find(part) != std::string::npos) return;
        parts.push_back(part);
    };
    add(port.description);
    add(port.manufacturer);
    if (!port.serialNumber.empty())
        parts.push_back(Arg(translate("zq::PortChoice", "serial %1"), {port.serialNumber}));
    if (port.vendorId && port.productId)
        parts.push_back("USB " + Hex4(*port.vendorId) + ":" + Hex4(*port.productId));
    else if (port.vendorId)
        parts.push_back(Arg(translate("zq::PortChoice", "USB vendor %1"), {Hex4(*port.vendorId)}));
    else if (port.productId)
        parts.push_back(
            Arg(translate("zq::PortChoice", "USB product %1"), {Hex4(*port.productId)}));
    std::string label = port.path;
    for (size_t i = 0; i < parts.size(); ++i) label += (i == 0 ? " - " : ", ") + parts[i];
    return label;
}

std::vector<PortEntry> PortEntries(const std::vector<PortInfo>& found, const std::string& chosen) {
    std::vector<PortInfo> ports;
    const auto listed = [&](const std::string& path) {
        return std::any_of(ports.begin(), ports.end(),
                           [&](const PortInfo& p) { return p.path == path; });
    };
    for (const PortInfo& p : found)
        if (!p.path.empty() && !listed(p.path)) ports.push_back(p);
    for (const std::string& path : {chosen, std::string(kZq350PortPath)})
        if (!path.empty() && !listed(path)) {
            PortInfo bare;
            bare.path = path;
            ports.push_back(bare);
        }
    std::stable_sort(ports.begin(), ports.end(), [](const PortInfo& a, const PortInfo& b) {
        return NaturalLess(a.path, b.path);
    });
    std::vector<PortEntry> entries;
    for (const PortInfo& p : ports)
        entries.push_back({p.path, PortLabel(p) + (p.path == kZq350PortPath
                                                       ? translate("zq::PortChoice", " (default)")
                                                       : "")});
    return entries;
}

std::optional<std::string> PortPathFromText(const std::string& text, const std::string& cwd) {
    constexpr const char* kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return std::nullopt;
    const std::string typed = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    std::filesystem::path path(typed);
    if (typed.find('/') == std::string::npos)
        path = std::filesystem::path("/dev") / path;
    else if (path.is_relative())
        path = std::filesystem::path(cwd) / path;
    return path.lexically_normal().string();
}

PortAccess ProbePortPath(const std::string& path) {
    PortAccess access;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        access.error = errno;
        access.characterDevice = false;
        return access;
    }
    access.characterDevice = S_ISCHR(st.st_mode);
    if (::access(path.c_str(), R_OK) != 0) access.readError = errno;
    if (const group* g = ::getgrgid(st.st_gid)) access.group = g->gr_name;
    access.groupMayRead = (st.st_mode & S_IRGRP) != 0;
    return access;
}

std::string PortProblem(const std::string& path, const PortAccess& access,
                        const std::vector<PortInfo>& found) {
    if (access.error != 0)
        return path + ": " + std::strerror(access.error) + "\n\n" +
               (IsMissing(access.error)
                    ? translate("zq::PortChoice", "Is the ZQ350 connected?") + " "
                    : "") +
               FoundText(found);
    if (!access.characterDevice)
        return Arg(translate("zq::PortChoice", "%1 is not a serial port."), {path}) + "\n\n" +
               FoundText(found);
    if (access.readError == EACCES || access.readError == EPERM)
        return path + ": " + std::strerror(access.readError) + "\n\n" + PermissionAdvice(access) +
               "\n\n" + FoundText(found);
    if (access.readError != 0)
        return path + ": " + std::strerror(access.readError) + "\n\n" + FoundText(found);
    return "";
}

}  // namespace zq
