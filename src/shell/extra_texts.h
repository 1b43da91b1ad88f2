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
    X(kTextRobots, "Robots", "Robots") \
    X(kTextRobot, "Robot", "Robot") \
    X(kTextRobotKind, "Reconnu par", "Recognised by") \
    X(kTextKindSignature, "signature", "signature") \
    X(kTextKindGeneric, "mot g\xe9n\xe9rique", "generic word") \
    X(kTextKindEmptyAgent, "sans user agent", "no user agent") \
    X(kTextKindRobotsTxt, "a demand\xe9 /robots.txt", "asked for /robots.txt") \
    X(kTextPeopleHits, "Hits des personnes", "People's hits") \
    X(kTextPeopleVisitors, "Visiteurs (personnes)", "Visitors (people)") \
    X(kTextRobotHits, "Hits des robots", "Robots' hits") \
    X(kTextRobotVisitors, "Visiteurs (robots)", "Visitors (robots)") \
    X(kTextHoursOfDay, "Heures de la journ\xe9" "e", "Hours of the day") \
    X(kTextHour, "Heure", "Hour") \
    X(kTextAnalyseAgain, "Ce mois a \xe9t\xe9 analys\xe9 par une version ant\xe9rieure : analysez-le de nouveau pour voir ces r\xe9sultats.", "This month was analysed by an earlier version: analyse it again to see these results.") \
    X(kTextFamilies, "Familles", "Families") \
    X(kTextFullList, "Liste compl\xe8te", "Full list") \
    X(kTextSystem, "Syst\xe8me", "System") \
    X(kTextUserAgents, "User agents", "User agents") \
    X(kTextReportMenu, "Rapport", "Report") \
    X(kTextReportHtml, "Rapport HTML du mois...", "HTML report of the month...") \
    X(kTextReportCsv, "Fichiers CSV du mois...", "CSV files of the month...") \
    X(kTextReportTitle, "Rapport du mois", "Report of the month") \
    X(kTextReportWritten, "Rapport \xe9" "crit : ", "Report written: ") \
    X(kTextReportFailed, "Le rapport n'a pas pu \xeatre \xe9" "crit : ", "The report could not be written: ") \
    X(kTextGeneratedBy, "Rapport produit par Trafikon le", "Report made by Trafikon on") \
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
