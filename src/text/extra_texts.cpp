// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/extra_texts.h"

#include <array>

namespace trafikon {

namespace {

struct ExtraWording {
    const char* fr;
    const char* en;
};

constexpr ExtraWording kWordings[] = {
#define TRAFIKON_EXTRA_TEXT_WORDING(name, fr, en) {fr, en},
    TRAFIKON_EXTRA_TEXTS(TRAFIKON_EXTRA_TEXT_WORDING)
#undef TRAFIKON_EXTRA_TEXT_WORDING
        {nullptr, nullptr}};  // keeps the array non-empty while the list is

static_assert(std::size(kWordings) == lang::kAllEntryCount - lang::kEntryCount + 1);

}  // namespace

void CompleteWithExtraTexts(std::vector<std::string>& entries, bool french) {
    for (std::size_t i = entries.size(); i < static_cast<std::size_t>(lang::kAllEntryCount); ++i) {
        if (i < static_cast<std::size_t>(lang::kEntryCount))
            continue;
        const ExtraWording& w = kWordings[i - lang::kEntryCount];
        entries.emplace_back(french ? w.fr : w.en);
    }
}

}  // namespace trafikon
