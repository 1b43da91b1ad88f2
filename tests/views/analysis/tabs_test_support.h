// SPDX-License-Identifier: GPL-3.0-or-later
// Small builders for the tab logic tests: records, id lists and a language
// table holding the French texts the tabs use.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "store/tagged_record.h"
#include "text/extra_texts.h"
#include "text/language_table.h"

namespace trafikon::testing {

inline std::string Record(std::initializer_list<std::string_view> values) {
    std::string out;
    AppendRecord(out, values);
    return out;
}

inline LanguageTable FrenchTable() {
    std::vector<std::string> t(194);
    t[96] = "Fichiers";
    t[97] = "Referents Externes";
    t[98] = "Referents Internes";
    t[99] = "Host ou IP";
    t[100] = "Nombre d'acces";
    t[101] = "Dernier Status";
    t[102] = "Derni\xE8re date d'acces";
    t[103] = "Nombre d'utilisateur";
    t[108] = "Nombre de pages diff\xE9rentes :";
    t[109] = "Nombre d'acces : ";
    t[110] = "Nombre de recherche diff\xE9rente : ";
    t[111] = "Derni\xE8re date d'acces : ";
    t[115] = "Fichiers";
    t[116] = "Hote ou IP";
    t[118] = "Referents Externe";
    t[119] = "Referents Interne";
    t[147] = "Fichier :";
    t[148] = "Hote : ";
    t[149] = "Retour :";
    t[150] = "Moteurs de Recherche :";
    t[151] = "Moteurs de Recherche :";
    t[152] = "Param\xE8tre de la Requ\xEAte";
    t[153] = "Requete Externe";
    t[154] = "Requete Interne";
    CompleteWithExtraTexts(t, true);
    LanguageTable table;
    table.Assign(std::move(t));
    return table;
}

// Texts of FrenchTable() as the tabs look them up.
inline std::function<const std::string&(int)> FrenchTabTexts() {
    static const LanguageTable table = FrenchTable();
    return [](int entry) -> const std::string& { return table.Text(entry); };
}

}  // namespace trafikon::testing
