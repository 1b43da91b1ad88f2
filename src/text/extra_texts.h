// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "text/language_table.h"

// X(name, French, English)
// clang-format off
#define TRAFIKON_EXTRA_TEXTS(X) \
    X(kStatusStopping, "Arr\xeat de l'analyse en cours...", "Stopping the analysis...") \
    X(kResultFilesDamaged, "Des fichiers de r\xe9sultat de ce mois sont absents ou ab\xeem\xe9s :", \
      "Some result files of this month are missing or damaged:") \
    X(kStoredLogUnreadable, "Le log enregistr\xe9 de ce mois est illisible :", \
      "The stored log of this month cannot be read:") \
    X(kStoredLogChanged, \
      "Le log enregistr\xe9 a chang\xe9 depuis l'analyse : %1 ligne(s) au-del\xe0 de sa fin. " \
      "Relancez l'analyse de ce mois.", \
      "The stored log changed since the analysis: %1 line(s) beyond its end. " \
      "Analyse this month again.") \
    X(kLineNumbersDamaged, \
      "Un fichier de r\xe9sultat de ce mois est ab\xeem\xe9 : %1 num\xe9ro(s) de ligne " \
      "illisible(s). Relancez l'analyse de ce mois.", \
      "A result file of this month is damaged: %1 line number(s) cannot be read. " \
      "Analyse this month again.") \
    X(kLineBeyondLogEnd, "(ligne au-del\xe0 de la fin du log enregistr\xe9)", \
      "(line beyond the end of the stored log)") \
    X(kStoredLogMissing, "(log enregistr\xe9 absent : supprim\xe9 depuis l'analyse)", \
      "(stored log missing: deleted since the analysis)") \
    X(kReferencesPastEnd, \
      "%1 r\xe9" "f\xe9rence(s) hors des fichiers de r\xe9sultats du mois (remplac\xe9s depuis " \
      "le chargement de cette fen\xeatre ?) ne sont pas affich\xe9" "es.", \
      "%1 reference(s) point past the end of the month's result files (replaced since this " \
      "window loaded them?) and are not shown.") \
    X(kLogLinesHint, \
      "Lignes extraites du fichier de log correspondantes aux \xe9l\xe9ments s\xe9lectionn\xe9s", \
      "Lines of the stored log that match the selected item") \
    X(kImportUndatedLines, \
      "Lignes dont la date est illisible : %1 (rang\xe9" "es avec un mois voisin)", \
      "Lines whose date could not be read: %1 (stored with a neighbouring month)") \
    X(kImportUnfiledLines, \
      "Lignes non import\xe9" "es (aucune date lisible dans leur fichier) : %1", \
      "Lines left out (no readable date in their file): %1") \
    X(kDefaultFieldsHint, "Remet les champs par d\xe9" "faut pour le traitement des logs", \
      "Puts back the default fields for reading the logs") \
    X(kCompareStopped, \
      "Comparaison interrompue : un fichier du mois %1 est absent ou illisible.", \
      "Comparison stopped: a file of month %1 is missing or cannot be read.") \
    X(kShortcutF2, "F2 : Affiche la fen\xeatre \"G\xe9n\xe9ral\"", \
      "F2 : Show the \"General\" window") \
    X(kShortcutCtrlInsert, "CTRL+INSERT : Copier (dans la fen\xeatre d'analyse)", \
      "CTRL+INSERT : Copy (in the analyse window)") \
    X(kShortcutCtrlC, "CTRL+C : Copier (dans la fen\xeatre d'analyse)", \
      "CTRL+C : Copy (in the analyse window)") \
    X(kShortcutCtrlV, "CTRL+V : Charge la page selectionn\xe9" "e dans un navigateur", \
      "CTRL+V : Load the selected file in your browser") \
    X(kTopListInfo, "Info", "Info") \
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
    X(kTextUserAgents, "Agents utilisateurs", "User agents") \
    X(kTextReportMenu, "Rapport", "Report") \
    X(kTextReportHtml, "Rapport HTML du mois...", "HTML report of the month...") \
    X(kTextReportCsv, "Fichiers CSV du mois...", "CSV files of the month...") \
    X(kTextReportTitle, "Rapport du mois", "Report of the month") \
    X(kTextReportWritten, "Rapport \xe9" "crit : ", "Report written: ") \
    X(kTextReportFailed, "Le rapport n'a pas pu \xeatre \xe9" "crit : ", "The report could not be written: ") \
    X(kTextGeneratedBy, "Rapport produit par Trafikon le", "Report made by Trafikon on") \
    X(kTextMonthNames, \
      "janvier f\xe9vrier mars avril mai juin juillet ao\xfbt septembre octobre novembre " \
      "d\xe9" "cembre", \
      "January February March April May June July August September October November December") \
    X(kTextLicence, "Logiciel libre sous licence GNU GPL version 3 ou ult\xe9rieure", \
      "Free software under the GNU GPL version 3 or later") \
    X(kTextCountries, "Pays", "Countries") \
    X(kTextCountry, "Pays", "Country") \
    X(kTextCity, "Ville", "City") \
    X(kTextUnknownCountry, "Inconnu", "Unknown") \
    X(kTextCountryNamesLanguage, "fr", "en") \
    X(kTextCountriesFrom, "Pays d'apr\xe8s : ", "Countries from: ") \
    X(kTextNoCountryDatabase, \
      "Aucune base de pays : seuls les noms d'h\xf4tes (.fr, .de...) donnent un pays. La base " \
      "fournie s'installe avec le programme ; une autre (DB-IP City Lite, GeoLite2 City...) se " \
      "choisit dans les param\xe8tres, puis analysez de nouveau.", \
      "No country database: only host names (.fr, .de...) give a country. The shipped database " \
      "comes with the program; another one (DB-IP City Lite, GeoLite2 City...) is chosen in the " \
      "settings, then analyse again.") \
    X(kTextCountryDatabaseUnreadable, "La base de pays n'a pas pu \xeatre lue : ", \
      "The country database could not be read: ") \
    X(kTextCountryDatabaseSetting, "Base de pays (.mmdb, vide : celle fournie) :", \
      "Country database (.mmdb, empty: the one shipped):") \
    X(kTextMaskAddresses, "Masquer les adresses des visiteurs dans les rapports et exports", \
      "Mask visitor addresses in reports and exports") \
    X(kTextCountryDataCredit, \
      "Donn\xe9" "es des pays : ip-location-db geo-whois-asn-country 2.3.2026061719, d'apr\xe8s " \
      "les registres Internet r\xe9gionaux, CC BY 4.0 NRO (nro.net)", \
      "Country data: ip-location-db geo-whois-asn-country 2.3.2026061719, from the regional " \
      "Internet registries, CC BY 4.0 NRO (nro.net)") \
    X(kLogChangedNotAnalysed, \
      "Le log de ce mois a chang\xe9 pendant l'analyse : mois non analys\xe9, relancez l'analyse.", \
      "The log of this month changed during the analysis: month not analysed, analyse it again.") \
    X(kFilesNotDeletedText, "Ces fichiers n'ont pas pu \xeatre supprim\xe9s :", \
      "These files could not be deleted:") \
    X(kOwnFormatUnknownText, \
      "Le format de ces fichiers n'est pas reconnu : ils seront lus avec le format affich\xe9.", \
      "The format of these files is not recognised: they will be read with the format shown.") \
    X(kOpeningStoreText, "Ouverture du d\xe9p\xf4t de donn\xe9" "es...", "Opening the data store...") \
    X(kExpansionLimitSetting, \
      "Un log compress\xe9 peut grandir \xe0 la lecture jusqu'\xe0 (fois sa taille) :", \
      "A compressed log may expand when read up to (times its size):") \
    X(kReadingLogFilesText, "Lecture des fichiers... (Annuler l'arr\xeate)", \
      "Reading the files... (Cancel stops it)") \
    X(kTrendTab, "Tendance", "Trend") \
    X(kTrendPeople, "Personnes", "People") \
    X(kTrendNotApart, "Personnes et robots (analyse ancienne)", \
      "People and robots (older analysis)") \
    X(kTrendVisits, "Visites", "Visits") \
    X(kTrendUniqueVisitors, "Visiteurs uniques", "Unique visitors") \
    X(kTrendLast12, "12 derniers mois", "Last 12 months") \
    X(kTrendLast24, "24 derniers mois", "Last 24 months") \
    X(kTrendAllMonths, "Tous les mois", "All months") \
    X(kTrendYearOverYear, "Un an avant", "Year over year") \
    X(kTrendMonth, "Le mois", "The month") \
    X(kTrendYearBefore, "Le m\xeame mois un an avant", "The same month a year before") \
    X(kTrendClickHint, "Un clic sur un mois ouvre son analyse.", \
      "Click a month to open its analysis.") \
    X(kSelectionsMenu, "S\xe9lections...", "Selections...") \
    X(kSelectionsTitle, "S\xe9lections", "Selections") \
    X(kSelectionName, "Nom :", "Name:") \
    X(kSelectionFrom, "Du (AAAA-MM-JJ ou AAAA-MM-JJTHH:MM) :", "From (YYYY-MM-DD or YYYY-MM-DDTHH:MM):") \
    X(kSelectionTo, "Au :", "To:") \
    X(kSelectionWhere, "Conditions (status=404 host=203.0.113.0/24 path~/blog/* !robot...) :", \
      "Conditions (status=404 host=203.0.113.0/24 path~/blog/* !robot...):") \
    X(kSelectionSave, "Enregistrer", "Save") \
    X(kSelectionRun, "Analyser", "Analyse") \
    X(kSelectionDelete, "Supprimer", "Delete") \
    X(kSelectionNoLine, "Aucune ligne ne correspond \xe0 cette s\xe9lection.", \
      "No line matches this selection.") \
    X(kSelectionBadPeriod, \
      "La p\xe9riode n'est pas lisible (AAAA-MM-JJ ou AAAA-MM-JJTHH:MM, la fin pas avant le d\xe9" "but).", \
      "The period cannot be read (YYYY-MM-DD or YYYY-MM-DDTHH:MM, the end not before the start).") \
    X(kSelectionBadConditions, "Conditions incorrectes : ", "Conditions not understood: ") \
    X(kSelectionNeedsName, "Donnez un nom \xe0 la s\xe9lection (sans tabulation).", \
      "Give the selection a name (without tabs).") \
    X(kSelectionFailed, "La s\xe9lection n'a pas pu \xeatre analys\xe9" "e : ", \
      "The selection could not be analysed: ") \
    X(kExclusionsButton, "Exclusions...", "Exclusions...") \
    X(kExclusionsHint, \
      "Une exclusion par ligne, dans le langage des s\xe9lections (host=203.0.113.0/24, " \
      "path=/health, spam...) : les lignes qui y r\xe9pondent sont laiss\xe9" "es hors de toute " \
      "analyse du site. spam : les r\xe9" "f\xe9rents de referrer-spam.tfd.", \
      "One exclusion a line, in the language of selections (host=203.0.113.0/24, " \
      "path=/health, spam...): the lines that match are left out of every analysis of the " \
      "site. spam: the referrers of referrer-spam.tfd.") \
    X(kExclusionsSaved, \
      "Exclusions enregistr\xe9" "es : les mois d\xe9j\xe0 analys\xe9s sont \xe0 analyser de nouveau.", \
      "Exclusions saved: the months already analysed are to be analysed again.") \
    X(kTextVisits, "Visites", "Visits") \
    X(kTextUniqueVisitors, "Visiteurs uniques", "Unique visitors") \
    X(kTextPeopleVisits, "Visites (personnes)", "Visits (people)") \
    X(kTextPeopleUniqueVisitors, "Visiteurs uniques (personnes)", "Unique visitors (people)") \
    X(kTextRobotVisits, "Visites (robots)", "Visits (robots)") \
    X(kTextRobotUniqueVisitors, "Visiteurs uniques (robots)", "Unique visitors (robots)") \
    X(kTextPagesPerVisit, "Pages par visite", "Pages per visit") \
    X(kTextAverageVisit, "Dur\xe9" "e moyenne d'une visite", "Average visit duration") \
    X(kTextMedianVisit, "Dur\xe9" "e m\xe9" "diane d'une visite", "Median visit duration") \
    X(kTextBounceRate, "Taux de rebond (visites d'une page)", "Bounce rate (one-page visits)") \
    X(kTextEntryPages, "Pages d'entr\xe9" "e", "Entry pages") \
    X(kTextExitPages, "Pages de sortie", "Exit pages") \
    X(kTextMonthTotals, "Totaux du mois", "Totals of the month") \
    X(kTextPeople, "Personnes", "People") \
    X(kTextTotal, "Total", "Total") \
    X(kTextVisitsPerDay, "Visites par jour", "Visits per day") \
    X(kTextVisitsAnalyseAgain, "Visites : analysez de nouveau ce mois pour les voir.", \
      "Visits: analyse this month again to see them.") \
    X(kImportedBeforeText, \
      "Ces fichiers ont d\xe9j\xe0 \xe9t\xe9 import\xe9s : seules leurs nouvelles lignes " \
      "le seront. Les importer \xe0 nouveau en entier ?", \
      "These files were imported before: only their new lines will be imported. " \
      "Import them whole again instead?") \
    X(kWatchedLogsMenu, "Logs surveill\xe9s...", "Watched logs...") \
    X(kWatchedLogsPrompt, \
      "Logs import\xe9s d\xe8s qu'ils changent, puis analys\xe9s : un fichier ou un dossier " \
      "par ligne, avec * et ? (ex. /var/log/nginx/access.log*)", \
      "Logs imported as soon as they change, then analysed: one file or folder a line, " \
      "with * and ? (e.g. /var/log/nginx/access.log*)") \
    X(kWatchAnalysisPrompt, "Analyse des mois qui re\xe7oivent des lignes :", \
      "Analysis of the months that receive lines:") \
    X(kWatchAnalysisAtOnce, "aussit\xf4t", "at once") \
    X(kWatchAnalysisEvery, "toutes les %1 minutes", "every %1 minutes") \
    X(kWatchAnalysisByHand, "\xe0 la main (Tout analyser)", "by hand (analyse all)") \
    X(kVisitGapSetting, "Pause la plus longue dans une visite (minutes) :", \
      "Longest pause within a visit (minutes):") \
    X(kSelectionStop, "Arr\xeater", "Stop") \
    X(kExclusionLeftOut, "Ligne d'exclusion laiss\xe9" "e de c\xf4t\xe9 : %1", \
      "Exclusion line left out: %1") \
    X(kWatchAnalysisAtTime, "\xe0 une heure du jour (%1)", "at a time of day (%1)") \
    X(kWatchAnalysisTimePrompt, \
      "Heure de l'analyse, une fois par jour (HH:MM, de 00:00 \xe0 23:59) :", \
      "Time of the analysis, once a day (HH:MM, 00:00 to 23:59):") \
    X(kSiteMenu, "Site", "Site") \
    X(kManageSitesItem, "G\xe9rer les sites...", "Manage sites...") \
    X(kAllSitesItem, "Tous les sites", "All sites") \
    X(kSiteNumbered, "Site %1", "Site %1") \
    X(kSiteChooserHint, "Site affich\xe9", "Site shown") \
    X(kSiteNumberColumn, "N\xb0", "No.") \
    X(kSiteNameColumn, "Nom", "Name") \
    X(kSiteHostsColumn, "H\xf4tes", "Hosts") \
    X(kSiteMonthsColumn, "Mois", "Months") \
    X(kSiteAddButton, "Ajouter...", "Add...") \
    X(kSiteRenameButton, "Renommer...", "Rename...") \
    X(kSiteDeleteButton, "Supprimer...", "Delete...") \
    X(kSiteNamePrompt, "Nom du nouveau site :", "Name of the new site:") \
    X(kSiteHostPrompt, \
      "H\xf4te du site, facultatif (ex. www.exemple.fr) : il donne l'adresse du site.", \
      "Host of the site, optional (e.g. www.example.com): it gives the site address.") \
    X(kSiteRenamePrompt, "Nouveau nom du site %1 :", "New name of site %1:") \
    X(kSiteDeleteQuestion, \
      "Supprimer le site \xab %1 \xbb ? Son dossier %2 sera effac\xe9 avec tout ce qu'il " \
      "contient : %3 mois de logs et d'analyses, ses r\xe9glages. Les autres sites ne " \
      "changent pas.", \
      "Delete the site \"%1\"? Its folder %2 will be erased with everything in it: %3 " \
      "month(s) of logs and analyses, its settings. The other sites do not change.") \
    X(kSiteOneKept, "Le site 1 ne peut pas \xeatre supprim\xe9.", "Site 1 cannot be deleted.") \
    X(kSiteBusy, \
      "Le site \xab %1 \xbb est en cours d'import ou d'analyse : r\xe9" "essayez quand ce " \
      "sera fini.", \
      "The site \"%1\" is being imported or analysed: try again once that is done.") \
    X(kAllSitesMonthColumn, "Mois", "Month") \
    X(kVhostFoldPort, "H\xf4tes virtuels : un suffixe \xab :port \xbb ne fait pas un autre site", \
      "Virtual hosts: a \":port\" suffix makes no other site") \
    X(kVhostFoldWww, "H\xf4tes virtuels : \xab www. \xbb en t\xeate ne fait pas un autre site", \
      "Virtual hosts: a leading \"www.\" makes no other site") \
    X(kVhostSitesMade, "Sites cr\xe9\xe9s pour les nouveaux h\xf4tes virtuels :", \
      "Sites made for new virtual hosts:") \
    X(kVhostPastSiteLimit, \
      "%1 ligne(s) d'autres nouveaux h\xf4tes virtuels rang\xe9" "e(s) dans le site vis\xe9 : " \
      "un import cr\xe9" "e au plus %2 sites.", \
      "%1 line(s) of further new virtual hosts filed into the site aimed at: one import " \
      "makes at most %2 sites.") \
    X(kVhostOtherSitesAnalysed, \
      "Les mois des autres sites qui ont re\xe7u des lignes sont analys\xe9s maintenant.", \
      "The months of the other sites that received lines are analysed now.") \
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
