// SPDX-License-Identifier: GPL-3.0-or-later
// The interface texts of the active language, addressed by section base plus
// offset (the 194 original entries) or by name (the texts added after them,
// extra_texts.h), and the language files that hold them.
//
// A language file is programDir + code + ".tfl": Windows-1252 text, one entry
// per line, CR LF line ends, entries 0 to 193 in order, then the added texts. Entry 0 is the
// language's own name as shown in the language lists.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace trafikon {

// Section bases: first entry of each window's run of texts.
namespace lang {
constexpr int kMain = 0;         // main window and general window, 0-47
constexpr int kAddLog = 48;      // add-log dialog, 48-84
constexpr int kAnalysis = 85;    // analysis window, 85-156
constexpr int kCompare = 157;    // comparison window, 157-168
constexpr int kDelete = 169;     // deletion dialog, 169-175
constexpr int kSettings = 176;   // settings dialog, 176-182
constexpr int kAbout = 183;      // about box, 183-186
constexpr int kEndStatus = 187;  // end-of-analysis status text
constexpr int kOther = 188;      // other messages, 188-193
constexpr int kEntryCount = 194;

// Each base is the previous one plus the size of the previous run.
static_assert(kAddLog == kMain + 48 && kAnalysis == kAddLog + 37 && kCompare == kAnalysis + 72 &&
              kDelete == kCompare + 12 && kSettings == kDelete + 7 && kAbout == kSettings + 7 &&
              kEndStatus == kAbout + 4 && kOther == kEndStatus + 1 && kEntryCount == kOther + 6);

// Entry of the message shown when a further language file was found damaged.
constexpr int kLanguageResetMessage = kOther + 5;  // 193
}  // namespace lang

class LanguageTable {
  public:
    const std::string& Text(int entry) const;  // empty text when out of range
    std::size_t size() const { return entries_.size(); }
    void Assign(std::vector<std::string> entries) { entries_ = std::move(entries); }
    void Clear() { entries_.clear(); }

  private:
    std::vector<std::string> entries_;
};

// The built-in texts, as Windows-1252 bytes, lang::kAllEntryCount each.
const std::vector<std::string>& BuiltInFrench();
const std::vector<std::string>& BuiltInEnglish();

// Writes programDir + "fr.tfl" and "en.tfl" from the built-in texts (replacing
// both, each through a temporary file). Throws IoError.
void BuiltInTexts(const std::string& programDir);

// Path of the language file of `code`: programDir + code + ".tfl".
std::string LanguageFilePath(const std::string& programDir, const std::string& code);

// Loads the language of `code` into `table` with the start-up checks: a code
// without a file (or not usable as a file name) falls back to "fr"; a file of
// an earlier version, holding the 194 original entries and only some of the
// added texts of extra_texts.h, loads with the built-in wording of the texts it
// lacks; a file with fewer or more entries makes both built-in files be written
// again, then the table holds French or English again, or, for any other code,
// `onResetMessage` receives the French entry 193 and the table holds French.
// Returns the code actually loaded. Throws IoError when a file cannot be read
// or written.
std::string LoadLanguageChecked(const std::string& programDir, std::string code,
                                LanguageTable& table,
                                const std::function<void(const std::string&)>& onResetMessage);

// Loads a language file as it is, without the count check (the settings
// dialog's switch of language); a file of an earlier version is completed as
// at start. Throws IoError when it cannot be read.
void LoadLanguageFile(const std::string& path, LanguageTable& table);

// Entries of the language lists: for every programDir/*.tfl, its first line,
// " (", the first two characters of its file name, ")", e.g. "English (en)".
// Sorted by file name (byte order), so the list is the same at every start.
// Hidden files and files that cannot be read are left out.
std::vector<std::string> ListLanguages(const std::string& programDir);

}  // namespace trafikon
