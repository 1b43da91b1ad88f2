// SPDX-License-Identifier: GPL-3.0-or-later
// Reads fuzzed copies of the files a site folder keeps beside its months: a
// visits file, the list of logs taken in, the watched patterns, the
// exclusions and the named selections. Each reader must take any bytes; what
// it reads, written back by its writer, must read back the same.
// Input: the five files in that order, separated by "@@\n".
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_exclusions.h"
#include "fuzz_util.h"
#include "import/watched_logs.h"
#include "state/named_selections.h"
#include "store/data_store.h"
#include "store/imported_logs.h"
#include "store/visit_file.h"

using namespace trafikon;
using namespace trafikon::fuzz;

namespace {

void WriteRaw(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Visits(std::string_view file) {
    VisitSummary first;
    if (!ParseVisits(SplitLines(file), first))
        return;
    const Lines written = FormatVisits(first);
    VisitSummary again;
    FUZZ_CHECK(ParseVisits(written, again));
    FUZZ_CHECK(FormatVisits(again) == written);
}

void ImportedLogs(const std::string& site, std::string_view file) {
    WriteRaw(ImportedLogsPath(site), file);
    const std::vector<ImportedLog> first = ReadImportedLogs(site);
    StageImportedLogs(site, first);
    CommitImportedLogs(site);
    const std::vector<ImportedLog> again = ReadImportedLogs(site);
    FUZZ_CHECK(again.size() == first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        const ImportedLog &a = first[i], &b = again[i];
        FUZZ_CHECK(a.device == b.device && a.inode == b.inode && a.fileSize == b.fileSize &&
                   a.compressed == b.compressed && a.headLength == b.headLength &&
                   a.headHash == b.headHash && a.offset == b.offset && a.tailHash == b.tailHash &&
                   a.importedAt == b.importedAt);
        std::string path = a.path;  // a tab in a name is written as '?'
        for (char& c : path)
            c = c == '\t' ? '?' : c;
        FUZZ_CHECK(b.path == path);
    }
}

void Watched(const std::string& site, std::string_view file) {
    WriteRaw(site + std::string(kWatchedLogsFileName), file);
    WriteRaw(site + std::string(kWatchAnalysisFileName), file);
    const std::vector<std::string> first = ReadWatchedPatterns(site);
    WriteWatchedPatterns(site, first);
    FUZZ_CHECK(ReadWatchedPatterns(site) == first);
    AddWatchedPatterns(site, first);
    FUZZ_CHECK(ReadWatchedPatterns(site) == first);

    const int minutes = ReadWatchAnalysisMinutes(site);
    FUZZ_CHECK(minutes >= kAnalyseByHand);
    WriteWatchAnalysisMinutes(site, minutes);
    FUZZ_CHECK(ReadWatchAnalysisMinutes(site) == minutes);
}

void Exclusions(const std::string& site, std::string_view file) {
    WriteRaw(site + std::string(kExclusionsFileName), file);
    const Lines first = LoadExclusionLines(site);
    const std::string& program = site;  // its robots and spam lists, made when missing
    LineExclusions exclusions(site, program, std::string(), true);
    if (!exclusions.empty()) {
        LogLineSplitter splitter("hlutrsbRU");
        if (splitter.Split("203.0.113.9 - - [24/Mar/2002:01:37:08 +0100] \"GET /a?b HTTP/1.1\" "
                           "404 12 \"http://semalt.com/\" \"curl/7.0\"")) {
            splitter.Complete();
            (void)exclusions.Excludes(splitter);
        }
    }
    const std::string problem = SaveExclusionLines(site, first);
    FUZZ_CHECK(problem.empty() == exclusions.problems().empty());
    if (problem.empty() && !exclusions.empty())
        FUZZ_CHECK(LoadExclusionLines(site) == first);
}

void Selections(const std::string& site, std::string_view file) {
    WriteRaw(site + std::string(kNamedSelectionsFileName), file);
    const std::vector<NamedSelection> first = LoadNamedSelections(site);
    for (const NamedSelection& s : first) {
        Selection selection;
        const SelectionProblem problem = ReadNamedSelection(s, selection);
        FUZZ_CHECK(problem.entry != 0 || selection.period.from <= selection.period.to);
        const std::string folder = NamedSelectionFolder(site, s.name);
        const std::string_view own = std::string_view(folder).substr(site.size());
        FUZZ_CHECK(own.starts_with("selections/") && own.ends_with("/") &&
                   own.find('/', 11) == own.size() - 1 && own.find("..") == own.npos);
    }
    SaveNamedSelections(site, first);
    const std::vector<NamedSelection> again = LoadNamedSelections(site);
    FUZZ_CHECK(again.size() == first.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        FUZZ_CHECK(again[i].name == first[i].name && again[i].from == first[i].from &&
                   again[i].to == first[i].to && again[i].where == first[i].where);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = Cut(AsText(data, size), "@@\n", 5);
    const auto part = [&parts](std::size_t i) {
        return i < parts.size() ? parts[i] : std::string_view();
    };
    EmptyScratchStore();
    const std::string& site = ScratchStore();
    Visits(part(0));
    ImportedLogs(site, part(1));
    Watched(site, part(2));
    Exclusions(site, part(3));
    Selections(site, part(4));
    return 0;
}
