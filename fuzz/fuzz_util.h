// SPDX-License-Identifier: GPL-3.0-or-later
// Small helpers shared by the fuzz targets.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon::fuzz {

// Stops the run with a message: libFuzzer records the input as a crash.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
#define FUZZ_CHECK(cond)                   \
    do {                                   \
        if (!(cond))                       \
            ::trafikon::fuzz::Fail(#cond); \
    } while (0)

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Cuts `text` at each occurrence of `separator`, at most `maxParts` parts
// (the last part keeps the rest).
inline std::vector<std::string_view> Cut(std::string_view text, std::string_view separator,
                                         std::size_t maxParts) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < maxParts) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos)
            break;
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    parts.push_back(text);
    return parts;
}

// A store folder of this process in memory-backed storage, made once and
// emptied on demand; the path ends in '/'.
inline const std::string& ScratchStore() {
    // Never destroyed, so that the clean-up at exit can still read it.
    static const std::string* dir = [] {
        const char* base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        auto* d = new std::string(std::string(base) + "/trafikon-fuzz-" +
                                  std::to_string(::getpid()) + "/");
        std::filesystem::create_directories(*d);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ScratchStore(), ec);
        });
        return d;
    }();
    return *dir;
}

inline void EmptyScratchStore() {
    for (const auto& entry : std::filesystem::directory_iterator(ScratchStore()))
        std::filesystem::remove_all(entry.path());
}

}  // namespace trafikon::fuzz
