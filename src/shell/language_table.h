// The 194 interface texts of the active language, addressed by section base
// plus offset, and the language files that hold them.
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

// The built-in texts, as Windows-1252 bytes, 194 each.
const std::vector<std::string>& BuiltInFrench();
const std::vector<std::string>& BuiltInEnglish();

// Writes programDir + "fr.tfl" and "en.tfl" from the built-in texts (replacing both).
void BuiltInTexts(const std::string& programDir);

// Loads the language of `code` into `table` with the start-up checks (missing
// file falls back to "fr"; a file without exactly 194 entries resets the files,
// and `onResetMessage` gets the French entry 193 when the code is neither en nor fr).
// Returns the code actually loaded.
std::string LoadLanguageChecked(const std::string& programDir, std::string code,
                                LanguageTable& table,
                                const std::function<void(const std::string&)>& onResetMessage);

// Loads a language file without the count check (settings dialog's switch).
void LoadLanguageFile(const std::string& path, LanguageTable& table);

// Entries of the language lists: for every programDir/*.tfl, its first line,
// " (", the first two characters of its file name, ")". Sorted by file name.
std::vector<std::string> ListLanguages(const std::string& programDir);

}  // namespace trafikon
