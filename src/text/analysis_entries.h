// SPDX-License-Identifier: GPL-3.0-or-later
// Names of the language entries of the analysis window (85-156) that its tabs
// and their logic read.
#pragma once

namespace trafikon::lang::analysis {

constexpr int kFilesCount = 96;                  // "Fichiers"
constexpr int kExternalReferrersCount = 97;      // "Referents Externes"
constexpr int kInternalReferrersCount = 98;      // "Referents Internes"
constexpr int kHostsCount = 99;                  // "Host ou IP"
constexpr int kAccessCount = 100;                // "Nombre d'acces"
constexpr int kLastStatus = 101;                 // "Dernier Status"
constexpr int kLastAccessDate = 102;             // "Dernière date d'acces"
constexpr int kUsers = 103;                      // "Nombre d'utilisateur"
constexpr int kDifferentPages = 108;             // "Nombre de pages différentes :"
constexpr int kAccessCountColon = 109;           // "Nombre d'acces : "
constexpr int kDifferentSearches = 110;          // "Nombre de recherche différente : "
constexpr int kLastAccessDateColon = 111;        // "Dernière date d'acces : "
constexpr int kPagesSwitch = 115;                // "Fichiers"
constexpr int kHostsSwitch = 116;                // "Hote ou IP"
constexpr int kExternalReferrersSwitch = 118;    // "Referents Externe"
constexpr int kInternalReferrersSwitch = 119;    // "Referents Interne"
constexpr int kHitsColumn = 129;                 // "Hits"
constexpr int kKinds[4] = {132, 133, 134, 135};  // "Tout", "Pages", "Images", "Programmes"
constexpr int kFilter = 136;                     // "Filtrer"
constexpr int kNameColumn = 137;                 // "Nom"
constexpr int kHostColumn = 138;                 // "Hote ou IP"
constexpr int kCodeColumn = 139;                 // "Code"
constexpr int kDescriptionColumn = 140;          // "Description"
constexpr int kNumberColumn = 143;               // "Nombre"
constexpr int kFileTitle = 147;                  // "Fichier :"
constexpr int kHostTitle = 148;                  // "Hote : "
constexpr int kStatusTitle = 149;                // "Retour :"
constexpr int kExternalReferrerTitle = 150;      // "Moteurs de Recherche :"
constexpr int kInternalReferrerTitle = 151;      // "Moteurs de Recherche :"
constexpr int kQueriesSwitch = 152;              // "Paramètre de la Requête"
constexpr int kExternalQueriesSwitch = 153;      // "Requete Externe"
constexpr int kInternalQueriesSwitch = 154;      // "Requete Interne"
constexpr int kQueryColumn = 155;                // "Requete"
constexpr int kUrlColumn = 156;                  // "URL"

constexpr int kAnalysisCaption = 112;
constexpr int kGeneralTab = 113;
constexpr int kTopTen = 114;
constexpr int kFilesTab = 115;
constexpr int kHostsTab = 116;
constexpr int kStatusTab = 117;
constexpr int kExternalReferrersTab = 118;
constexpr int kInternalReferrersTab = 119;
constexpr int kBrowsersTab = 120;
constexpr int kSummary = 121;
constexpr int kStatistics = 122;
constexpr int kInfoColumn = 123;
constexpr int kValueColumn = 124;
constexpr int kDayColumn = 125;
constexpr int kVisitorsColumn = 126;
constexpr int kKilobytesColumn = 127;
constexpr int kPagesColumn = 128;
constexpr int kTopHosts = 130;
constexpr int kTopEngines = 131;
constexpr int kBrowserColumn = 141;
constexpr int kConnectionsColumn = 142;
constexpr int kLineNumberColumn = 144;
constexpr int kLineColumn = 145;
constexpr int kNoAnalysis = 146;

}  // namespace trafikon::lang::analysis
