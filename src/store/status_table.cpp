// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/status_table.h"

namespace trafikon {
namespace {

// First slot and number of slots of each class 1..5.
constexpr int kClassBase[6] = {0, 0, 3, 11, 19, 46};
constexpr int kClassSize[6] = {0, 3, 8, 8, 27, 11};

constexpr std::array<int, kStatusLineCount> MakeFileCodes() {
    std::array<int, kStatusLineCount> codes{};
    int k = 0;
    for (int c = 100; c <= 102; ++c)
        codes[k++] = c;
    for (int c = 200; c <= 207; ++c)
        codes[k++] = c;
    for (int c = 300; c <= 305; ++c)
        codes[k++] = c;
    codes[k++] = 307;
    for (int c = 400; c <= 417; ++c)
        codes[k++] = c;
    for (int c : {422, 423, 424, 426})
        codes[k++] = c;
    for (int c = 500; c <= 507; ++c)
        codes[k++] = c;
    codes[k++] = 510;
    return codes;
}

constexpr std::array<int, kStatusLineCount> kFileCodes = MakeFileCodes();

}  // namespace

const std::array<int, kStatusLineCount>& StatusFileCodes() {
    return kFileCodes;
}

int StatusSlot(int code) {
    if (code < 100)
        return -1;
    int cls;
    if (code < 200)
        cls = 1;
    else if (code < 300)
        cls = 2;
    else if (code < 400)
        cls = 3;
    else if (code >= 500)
        cls = 5;
    else
        cls = 4;
    const int offset = code - cls * 100;
    if (offset < 0 || offset >= kClassSize[cls])
        return -1;
    return kClassBase[cls] + offset;
}

int StatusSlot(std::string_view statusText) {
    if (statusText.empty() || statusText.size() > 9)
        return -1;
    int code = 0;
    for (char c : statusText) {
        if (c < '0' || c > '9')
            return -1;
        code = code * 10 + (c - '0');
    }
    return StatusSlot(code);
}

int StatusCodeOfSlot(int slot) {
    if (slot < 0 || slot >= kStatusSlotCount)
        return 0;
    for (int cls = 5; cls >= 1; --cls) {
        if (slot >= kClassBase[cls])
            return cls * 100 + (slot - kClassBase[cls]);
    }
    return 0;
}

std::string_view ReadStatusPart(std::string_view line, StatusPart part) {
    std::size_t start = 0;
    for (int i = 0; i < static_cast<int>(part); ++i) {
        const std::size_t semi = line.find(kStatusPartSeparator, start);
        if (semi == std::string_view::npos)
            return {};
        start = semi + 1;
    }
    const std::size_t end = line.find(kStatusPartSeparator, start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool IsStatusLineOf(std::string_view line, std::string_view code) {
    return line.size() > code.size() && line.substr(0, code.size()) == code &&
           line[code.size()] == kStatusPartSeparator;
}

}  // namespace trafikon
