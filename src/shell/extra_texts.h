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
    X(kStoreBusyText, \
      "Les donn\xE9" "es sont en cours d'utilisation par un autre ajout de logs ou une autre " \
      "analyse. R\xE9" "essayez quand ils seront termin\xE9" "s.", \
      "The store is in use by another import or analysis. Try again when it has finished.") \
    X(kMonthBeingAnalysedText, \
      "Ce mois est en cours d'analyse : il ne peut pas \xEA" "tre supprim\xE9 maintenant.", \
      "This month is being analysed: it cannot be deleted now.") \
    X(kDeleteAllDuringAnalysisText, \
      "Une analyse est en cours : attendez qu'elle se termine pour tout supprimer.", \
      "An analysis is running: wait until it ends to delete everything.") \
    X(kStoreUnusableText, \
      "Les donn\xE9" "es ne sont pas utilisables telles quelles : corrigez le probl\xE8" "me " \
      "signal\xE9 puis relancez le programme.", \
      "The store cannot be used as it is: mend the problem reported, then start the program " \
      "again.") \
    X(kNotRegularFileText, \
      "Ce n'est pas un fichier ordinaire : il ne peut pas \xEA" "tre lu.", \
      "This is not a regular file: it cannot be read.") \
    X(kForeignAddressText, \
      "Cette adresse m\xE8" "ne \xE0 un autre site que le v\xF4" "tre : elle n'est pas ouverte.", \
      "This address leads to another site than yours: it is not opened.") \
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
