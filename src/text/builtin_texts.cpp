// SPDX-License-Identifier: GPL-3.0-or-later
// The interface texts that the program carries itself, French and English,
// entries 0 to 193 in order followed by the added texts of extra_texts.h, as
// Windows-1252 bytes. They are written out as
// fr.tfl and en.tfl and restored from here whenever a language file is damaged.
#include "text/extra_texts.h"
#include "text/language_table.h"

namespace trafikon {

const std::vector<std::string>& BuiltInFrench() {
    // One entry per line, numbered.
    // clang-format off
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> original = {
        "Fran\xe7" "ais",  // 0
        "Fichier",  // 1
        "Ajout de Logs",  // 2
        "Suppression des Logs",  // 3
        "Tout analyser",  // 4
        "Configuration",  // 5
        "Quitter",  // 6
        "Afficher",  // 7
        "Analyse",  // 8
        "Contenu",  // 9
        "Comparaison",  // 10
        "Fen\xeatre",  // 11
        "Mozaique verticale",  // 12
        "Mozaique horizontale",  // 13
        "Cascade",  // 14
        "Aide",  // 15
        "A Propos",  // 16
        "Traiter TOUS les fichiers (OUI = Tous ; NON = seulement ceux non trait\xe9s) ?",  // 17
        "Confirmation",  // 18
        "Voulez-vous vraiment quitter ?",  // 19
        "Une analyse est en cours, voulez-vous vraiment quitter ?",  // 20
        "Confirmation de Fermeture",  // 21
        "Vous ne pouvez pas lancer 2 analyses en meme temps !",  // 22
        "Analyse en cours...",  // 23
        "G\xe9n\xe9ral",  // 24
        "G\xe9n\xe9ral",  // 25
        "Comparaison",  // 26
        "Tableau de Synth\xe8se des Statistiques Mensuelles",  // 27
        "Tableau de Synth\xe8se des Statistiques Mensuelles D\xe9taill\xe9" "es",  // 28
        "Raccourcis",  // 29
        "Date",  // 30
        "Total",  // 31
        "Pages",  // 32
        "Images",  // 33
        "Archives",  // 34
        "Hosts",  // 35
        "Moteurs",  // 36
        "Retour OK",  // 37
        "Retour KO",  // 38
        "Hits",  // 39
        "Jours",  // 40
        "Visiteurs",  // 41
        "Pages",  // 42
        "KiloOctets",  // 43
        "Hits",  // 44
        "Jour",  // 45
        "Rien \xe0 supprimer",  // 46
        "Rien \xe0 analyser",  // 47
        "Ajout de Logs",  // 48
        "Nom des fichiers",  // 49
        "Ajouter un fichier",  // 50
        "Supprimer le fichier s\xe9l\xe9" "ctionn\xe9",  // 51
        "Ok",  // 52
        "Annuler",  // 53
        "D\xe9tails >>>",  // 54
        "<<< Normal",  // 55
        "D\xe9" "faut (Apache)",  // 56
        "Monter",  // 57
        "Descendre",  // 58
        "Exemples de ligne :",  // 59
        "%h-Hote client (Remote Host)",  // 60
        "%l-Login client (Remote Logname)",  // 61
        "%u-Utilisateur client (Remote User)",  // 62
        "%t-Date et Heure (Time format Apache)",  // 63
        "%r-Requete (First line of request) standard Apache",  // 64
        "%I-Requete (First line of request) standard IIS",  // 65
        "%s-Code de retour (Status)",  // 66
        "%b-Taille du fichier (Bites sent)",  // 67
        "%R-R\xe9" "f\xe9rent (\\\"%{Referrer}i\\\")",  // 68
        "%U-Navigateur (\\\"%{User-agent}i\\\")",  // 69
        "%v-Hote virtual (Virtual Host)",  // 70
        "%d-Date (Date format IIS)",  // 71
        "%H-Heure (Heure format IIS)",  // 72
        "%M-Methode (IIS)",  // 73
        "%N-Valeur non trait\xe9" "e",  // 74
        "La premiere ligne est tir\xe9" "e de votre fichier, les suivantes sont des exemples en fonction de vos choix",  // 75
        "Le fichier s\xe9l\xe9" "ctionn\xe9 ne contient pas de lignes de log",  // 76
        "Le fichier s\xe9l\xe9" "ctionn\xe9 est vide, choisissez un autre fichier",  // 77
        "Liste de tous les champs",  // 78
        "Champs du fichier \xe0 traiter",  // 79
        "Aucun fichier \xe0 ajouter",  // 80
        "Les informations suivantes sont n\xe9" "cessaire : ",  // 81
        "Merci de sp\xe9" "cifier le format de log",  // 82
        "D\xe9" "faut IIS",  // 83
        "D\xe9" "faut EasyPHP",  // 84
        "Date de l'analyse",  // 85
        "Nombre de Hits",  // 86
        "Nombre de Pages",  // 87
        "Nombre d'Images",  // 88
        "Nombre d'archives et programmes",  // 89
        "Nombre de Hosts",  // 90
        "Nombre de Source",  // 91
        "Nombre de Moteurs",  // 92
        "Nombre de Retour OK",  // 93
        "Nombre de Retour KO",  // 94
        "Nombre de Jours analys\xe9s",  // 95
        "Fichiers",  // 96
        "Referents Externes",  // 97
        "Referents Internes",  // 98
        "Host ou IP",  // 99
        "Nombre d'acces",  // 100
        "Dernier Status",  // 101
        "Derni\xe8re date d'acces",  // 102
        "Nombre d'utilisateur",  // 103
        "Impossible de trouver ce Host dans la liste des Hosts (V\xe9rifier la configuration et les filtres)",  // 104
        "Nombre de fichier",  // 105
        "Impossible de trouver ce fichier dans la liste des Fichiers (V\xe9rifier les filtres).",  // 106
        "Nombre Total : ",  // 107
        "Nombre de pages diff\xe9rentes :",  // 108
        "Nombre d'acces : ",  // 109
        "Nombre de recherche diff\xe9rente : ",  // 110
        "Derni\xe8re date d'acces : ",  // 111
        "Analyse",  // 112
        "G\xe9n\xe9ral",  // 113
        "Top \"Ten\"",  // 114
        "Fichiers",  // 115
        "Hote ou IP",  // 116
        "Retour",  // 117
        "Referents Externe",  // 118
        "Referents Interne",  // 119
        "Navigateurs",  // 120
        "R\xe9sum\xe9",  // 121
        "Statistiques",  // 122
        "Info",  // 123
        "Valeur",  // 124
        "Jour",  // 125
        "Visiteurs",  // 126
        "KiloOctets",  // 127
        "Pages",  // 128
        "Hits",  // 129
        "Host",  // 130
        "Moteurs",  // 131
        "Tout",  // 132
        "Pages",  // 133
        "Images",  // 134
        "Programmes",  // 135
        "Filtrer",  // 136
        "Nom",  // 137
        "Hote ou IP",  // 138
        "Code",  // 139
        "Description",  // 140
        "Navigateur",  // 141
        "Nombre de connexion",  // 142
        "Nombre",  // 143
        "Nb",  // 144
        "Ligne",  // 145
        "Il n'y a pas d'analyse pour ce mois",  // 146
        "Fichier :",  // 147
        "Hote : ",  // 148
        "Retour :",  // 149
        "Moteurs de Recherche :",  // 150
        "Moteurs de Recherche :",  // 151
        "Param\xe8tre de la Requ\xeate",  // 152
        "Requete Externe",  // 153
        "Requete Interne",  // 154
        "Requete",  // 155
        "URL",  // 156
        "Comparaison",  // 157
        "Top \"Ten\"",  // 158
        "[Aucun]",  // 159
        "Comparer",  // 160
        "S\xe9lectionner les mois \xe0 comparer",  // 161
        "Fichiers",  // 162
        "Fichiers",  // 163
        "Recherche :",  // 164
        "Lancer la recherche",  // 165
        "Votre recherche doit contenir au moins 2 caract\xe8res",  // 166
        "Hits par R\xe9pertoire de Base",  // 167
        "Moyenne",  // 168
        "Suppression de Logs",  // 169
        "Supprimer l'analyse",  // 170
        "Supprimer l'analyse et le log",  // 171
        "Tout supprimer",  // 172
        "Fermer",  // 173
        "Etes-vous sur de vouloir supprimer TOUT les logs et analyses ?",  // 174
        "Confirmation",  // 175
        "Configuration",  // 176
        "&URL du site",  // 177
        "Afficher tous les &retours (pas seulement les codes d'erreurs)",  // 178
        "&Minimum de requ\xeates d'un Host pour l'afficher : ",  // 179
        "&Langue",  // 180
        "&Enregistrer les param\xe8tres",  // 181
        "&Annuler",  // 182
        "A Propos",  // 183
        "Trafikon analyse les journaux d'acc\xe8s de votre serveur web, mois par mois.",  // 184
        "Fermer",  // 185
        "Les logs, les analyses et les param\xe8tres sont conserv\xe9s dans le dossier du programme.",  // 186
        "Analyse termin\xe9" "e",  // 187
        "Les changements seront effectifs au prochain lancement de l'application",  // 188
        "Fermer",  // 189
        "Attention, erreur \xe0 la lecture de la ligne : ",  // 190
        "Souhaitez-vous ignorer la ligne ?",  // 191
        "Analyse annul\xe9" "e",  // 192
        "Les Fichiers de langues ont \xe9t\xe9 modifi\xe9s suite \xe0 une nouvelle version (Reinitialisation)",  // 193
        };
        CompleteWithExtraTexts(original, true);
        return original;
    }();
    // clang-format on
    return texts;
}

const std::vector<std::string>& BuiltInEnglish() {
    // One entry per line, numbered.
    // clang-format off
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> original = {
        "English",  // 0
        "File",  // 1
        "Add Log Files",  // 2
        "Delete Logs Files",  // 3
        "Analyze all",  // 4
        "Setup",  // 5
        "Exit",  // 6
        "Display",  // 7
        "Analyze",  // 8
        "Content",  // 9
        "Comparison",  // 10
        "Window",  // 11
        "Tile Vertically",  // 12
        "Tile Horizontally",  // 13
        "Cascade",  // 14
        "Help",  // 15
        "About",  // 16
        "Analyze ALL files (YES = All; NO = Only the not analyzed log) ?",  // 17
        "Confirmation",  // 18
        "Do you really want to quit ?",  // 19
        "Analyze is in progress, do you really want to quit ?",  // 20
        "Exit",  // 21
        "You can't start 2 analyzes at the same time !",  // 22
        "Analyze in progress...",  // 23
        "General",  // 24
        "General",  // 25
        "Comparison",  // 26
        "Monthly Stats Table",  // 27
        "Detailed Monthly Stats Table",  // 28
        "Shortcut",  // 29
        "Date",  // 30
        "Total",  // 31
        "Pages",  // 32
        "Images",  // 33
        "Archives",  // 34
        "Hosts",  // 35
        "Engine",  // 36
        "OK Status",  // 37
        "KO Status",  // 38
        "Hits",  // 39
        "Days",  // 40
        "Visitors",  // 41
        "Pages",  // 42
        "KiloBytes",  // 43
        "Hits",  // 44
        "Day",  // 45
        "Nothing to delete",  // 46
        "Nothing to analyze",  // 47
        "Add Log Files",  // 48
        "Files name",  // 49
        "Add a log file",  // 50
        "Delete the selected file",  // 51
        "Ok",  // 52
        "Cancel",  // 53
        "Details >>>",  // 54
        "<<< Standard",  // 55
        "Default (Apache)",  // 56
        "Up",  // 57
        "Down",  // 58
        "Line examples :",  // 59
        "%h-Remote Host",  // 60
        "%l-Remote Logname",  // 61
        "%u-Remote User",  // 62
        "%t-Date and Time",  // 63
        "%r-Request (First line of request) standard Apache",  // 64
        "%I-Request (First line of request) standard IIS",  // 65
        "%s-Status",  // 66
        "%b-Bites sent",  // 67
        "%R-Referrer",  // 68
        "%U-User-agent",  // 69
        "%v-Virtual Host",  // 70
        "%d-Date format IIS",  // 71
        "%H-Hour format IIS",  // 72
        "%M-Method (IIS)",  // 73
        "%N-Value not analyzed",  // 74
        "First line is taken from your log file, following ones are examples linked to your choice",  // 75
        "Selected file doesn't contain any log lines",  // 76
        "Selected file is empty, select another one",  // 77
        "All fields",  // 78
        "Fields of the choosen files",  // 79
        "No files to add",  // 80
        "Following information must be included : ",  // 81
        "Please, specify the log format",  // 82
        "Default IIS",  // 83
        "Default EasyPHP",  // 84
        "Analyze date",  // 85
        "Number of Hits",  // 86
        "Number of Pages",  // 87
        "Number of Images",  // 88
        "Number of Archives or Programs",  // 89
        "Number of Hosts",  // 90
        "Number of Referrer",  // 91
        "Number of Search Engine",  // 92
        "Number of Status OK",  // 93
        "Number of Status KO",  // 94
        "Number de Analyzed Days",  // 95
        "Files",  // 96
        "External Referrer",  // 97
        "Internal Referrer",  // 98
        "Host or IP",  // 99
        "Number of Access",  // 100
        "Last Status",  // 101
        "Last Visited Date",  // 102
        "Number of Users",  // 103
        "Host not found in Hosts List (check your configuration and filters)",  // 104
        "Number of Files",  // 105
        "File not found in File List (check filters)",  // 106
        "Total Number : ",  // 107
        "Different Pages Number :",  // 108
        "Access Number : ",  // 109
        "Different Search Number : ",  // 110
        "Last Access Date : ",  // 111
        "Analyse",  // 112
        "General",  // 113
        "Top \"Ten\"",  // 114
        "Files",  // 115
        "Host or IP",  // 116
        "Return",  // 117
        "External Referents",  // 118
        "Internal Referents",  // 119
        "Browsers",  // 120
        "Summary",  // 121
        "Statistics",  // 122
        "Info",  // 123
        "Value",  // 124
        "Day",  // 125
        "Visitors",  // 126
        "KiloBytes",  // 127
        "Pages",  // 128
        "Hits",  // 129
        "Host",  // 130
        "Engine",  // 131
        "All",  // 132
        "Pages",  // 133
        "Images",  // 134
        "Programs",  // 135
        "Filter",  // 136
        "Name",  // 137
        "Host or IP",  // 138
        "Code",  // 139
        "Description",  // 140
        "Browser",  // 141
        "Number of connexion",  // 142
        "Number",  // 143
        "Nb",  // 144
        "Line",  // 145
        "There is no analysis for this month",  // 146
        "File :",  // 147
        "Host : ",  // 148
        "Return :",  // 149
        "Search Engine :",  // 150
        "Search Engine :",  // 151
        "Request Parameters",  // 152
        "External request",  // 153
        "Internal request",  // 154
        "Request",  // 155
        "URL",  // 156
        "Comparison",  // 157
        "Top \"Ten\"",  // 158
        "[None]",  // 159
        "Compare",  // 160
        "Select the months to compare",  // 161
        "Files",  // 162
        "Files",  // 163
        "Search criteria :",  // 164
        "Search",  // 165
        "Your search criteria must contains at least 2 letters",  // 166
        "Hits for each Base Directory",  // 167
        "Average",  // 168
        "Delete Logs",  // 169
        "Delete Analyze",  // 170
        "Delete Analyze and Log",  // 171
        "Delete Everything",  // 172
        "Close",  // 173
        "Do you really want to delete ALL logs and anlyzes ?",  // 174
        "Confirmation",  // 175
        "Setup",  // 176
        "Site &URL ",  // 177
        "Display all &return (not only error status)",  // 178
        "&Minimum of requests needed to display a Host : ",  // 179
        "&Language",  // 180
        "Sav&e the settings",  // 181
        "C&ancel",  // 182
        "About",  // 183
        "Trafikon analyses the access logs of your web server, month by month.",  // 184
        "Close",  // 185
        "Logs, analyses and settings are kept in the program's folder.",  // 186
        "Analyze ended",  // 187
        "Change will be effective after the next restart of the application",  // 188
        "Close",  // 189
        "Warning, error on line : ",  // 190
        "Do you want to ignore this line ?",  // 191
        "Analyse canceled",  // 192
        "Language files has been modified due to new version (Reset)",  // 193
        };
        CompleteWithExtraTexts(original, false);
        return original;
    }();
    // clang-format on
    return texts;
}

}  // namespace trafikon
