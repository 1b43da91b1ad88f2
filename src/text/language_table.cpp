// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/language_table.h"

#include <dirent.h>

#include <algorithm>
#include <memory>

#include "store/line_reader.h"
#include "store/text_file.h"
#include "text/extra_texts.h"

namespace trafikon {

const std::string& LanguageTable::Text(int entry) const {
    static const std::string empty;
    if (entry < 0 || static_cast<std::size_t>(entry) >= entries_.size())
        return empty;
    return entries_[static_cast<std::size_t>(entry)];
}

void BuiltInTexts(const std::string& programDir) {
    WriteTextLines(programDir + "fr.tfl", BuiltInFrench());
    WriteTextLines(programDir + "en.tfl", BuiltInEnglish());
}

std::string LanguageFilePath(const std::string& programDir, const std::string& code) {
    return programDir + code + ".tfl";
}

namespace {

// A code taken from the settings names a file in the program folder only: an
// empty code or one that would reach into another folder is not a language.
bool UsableCode(const std::string& code) {
    return !code.empty() && code.find('/') == std::string::npos &&
           code.find('\0') == std::string::npos;
}

// A file of this version holds every entry; one of an earlier version stops
// after the original table or after some of the added texts, which then take
// their built-in wording (French for "fr", English for any other language).
// Returns false for a file that holds fewer or more entries than that.
bool CompleteLanguageEntries(std::vector<std::string>& entries, const std::string& code) {
    if (entries.size() < static_cast<std::size_t>(lang::kEntryCount) ||
        entries.size() > static_cast<std::size_t>(lang::kAllEntryCount))
        return false;
    CompleteWithExtraTexts(entries, code == "fr");
    return true;
}

}  // namespace

std::string LoadLanguageChecked(const std::string& programDir, std::string code,
                                LanguageTable& table,
                                const std::function<void(const std::string&)>& onResetMessage) {
    if (!UsableCode(code) || !FileExists(LanguageFilePath(programDir, code)))
        code = "fr";
    // fr.tfl may be missing when the caller did not write the files first;
    // an empty table then goes through the same reset as a damaged file.
    std::vector<std::string> entries = ReadTextLinesIfExists(LanguageFilePath(programDir, code));
    if (CompleteLanguageEntries(entries, code)) {
        table.Assign(std::move(entries));
        return code;
    }

    BuiltInTexts(programDir);
    if (code == "en") {
        table.Assign(BuiltInEnglish());
        return code;
    }
    if (code != "fr" && onResetMessage)
        onResetMessage(BuiltInFrench()[lang::kLanguageResetMessage]);
    table.Assign(BuiltInFrench());
    return "fr";
}

void LoadLanguageFile(const std::string& path, LanguageTable& table) {
    std::vector<std::string> entries = ReadTextLines(path);
    const std::size_t slash = path.rfind('/');
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    CompleteLanguageEntries(entries, name.substr(0, 2));
    table.Assign(std::move(entries));
}

std::vector<std::string> ListLanguages(const std::string& programDir) {
    const std::string dirPath = programDir.empty() ? std::string(".") : programDir;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(dirPath.c_str()), ::closedir);
    if (!dir)
        return {};
    static const std::string kSuffix = ".tfl";
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string name = e->d_name;
        if (name.size() <= kSuffix.size() || name[0] == '.' ||
            name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
            continue;
        if (FileExists(programDir + name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());

    std::vector<std::string> entries;
    entries.reserve(names.size());
    for (const auto& name : names) {
        std::string firstLine;
        try {
            LineReader reader(programDir + name);
            std::string_view line;
            if (reader.Next(line))
                firstLine.assign(line);
        } catch (const IoError&) {
            continue;  // unreadable: it could not be loaded either
        }
        entries.push_back(firstLine + " (" + name.substr(0, 2) + ")");
    }
    return entries;
}

}  // namespace trafikon
