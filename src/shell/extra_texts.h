// Interface texts added after the original 194 entries of the language files.
//
// Each X line names one entry with its built-in French and English wording
// (Windows-1252 bytes). The order of the lines is the order of the entries in
// the language files: append new texts at the end of the list, never insert or
// remove one, so that a language file of an earlier version keeps its meaning.
// A language file that stops before the end of this list still loads; the
// entries it lacks take their built-in wording.
#pragma once

#include <string>
#include <vector>

#include "shell/language_table.h"

// X(name, French, English)
// clang-format off
#define TRAFIKON_EXTRA_TEXTS(X) \
    /* end of the list */
// clang-format on

namespace trafikon {
namespace lang {

// clang-format off
enum ExtraText : int {
    kExtraBefore = kEntryCount - 1,
#define TRAFIKON_EXTRA_TEXT_NAME(name, fr, en) name,
    TRAFIKON_EXTRA_TEXTS(TRAFIKON_EXTRA_TEXT_NAME)
#undef TRAFIKON_EXTRA_TEXT_NAME
    kExtraEnd
};
// clang-format on

// Entries of a complete language file of this version.
constexpr int kAllEntryCount = kExtraEnd;

}  // namespace lang

// Appends the built-in wording of every entry from `entries.size()` up to
// lang::kAllEntryCount: French when `french`, English otherwise. Entries
// before the first added text must already be there.
void CompleteWithExtraTexts(std::vector<std::string>& entries, bool french);

}  // namespace trafikon
