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
    X(kYesToAll, "Oui pour tout", "Yes to all") \
    X(kIgnoredLinesPerMonth, "Lignes ignor\xe9" "es par mois :", "Lines ignored per month:") \
    X(kLogFilesFilter, "Fichiers de log", "Log files") \
    X(kAllFilesFilter, "Tous les fichiers", "All files") \
    X(kFormatMisfit, "Le format choisi ne convient pas \xe0 %1 : le champ \xab %2 \xbb ne correspond pas \xe0 ses lignes.", \
      "The chosen format does not fit %1: the field \"%2\" does not match its lines.") \
    X(kDetectedFormat, "Format d\xe9tect\xe9 : %1", "Detected format: %1") \
    X(kFormatNotRecognised, "Format non reconnu", "Format not recognised") \
    X(kUseDetectedFormat, "Utiliser le format d\xe9tect\xe9", "Use the detected format") \
    X(kEachFileOwnFormat, "Importer chaque fichier avec son format d\xe9tect\xe9", \
      "Import each file with its detected format") \
    X(kMonthFormatRefused, "Le fichier %1 n'a pas \xe9t\xe9 import\xe9 : le mois %2 est enregistr\xe9 au format %3, le fichier est au format %4.", \
      "The file %1 was not imported: the month %2 is stored with the format %3, the file has the format %4.") \
    X(kFileNotImported, "Le fichier %1 n'a pas \xe9t\xe9 import\xe9 : %2", "The file %1 was not imported: %2") \
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
