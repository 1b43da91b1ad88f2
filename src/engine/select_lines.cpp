// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/select_lines.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "engine/line_exclusions.h"
#include "engine/robot_signatures.h"
#include "store/country_file.h"
#include "store/data_store.h"
#include "store/extra_result_names.h"
#include "store/line_reader.h"
#include "store/log_format.h"
#include "store/month_file_names.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

constexpr std::uint64_t kLinesBetweenChecks = 4096;

std::string SameFolder(const std::string& path) {
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.lexically_normal().string() + "/";
}

// Removes the analysis of `key` from `folder`, the monthly file first so the
// folder never looks analysed with results missing.
void RemoveAnalysis(const std::string& folder, const std::string& key) {
    std::vector<std::string> names{MonthStatsFileName(key), AnalysedLogFileName(key),
                                   std::string(kCountriesPrefix) + key + ".tfd"};
    for (const std::string& n : AnalysisFileNames(key))
        names.push_back(n);
    for (const std::string& n : ExtraAnalysisFileNames(key))
        names.push_back(n);
    for (const std::string& n : names)
        std::filesystem::remove(folder + n);
}

}  // namespace

SelectionResult RunSelection(const std::string& siteDir, const Selection& selection,
                             const std::string& outDir, const std::string& siteUrl,
                             AnalysisObserver& observer, const std::string& countryDatabase) {
    const std::string site = SiteFolderPrefix(siteDir);
    const std::string out = SiteFolderPrefix(outDir);
    std::error_code error;
    std::filesystem::create_directories(out, error);
    if (error)
        throw IoError(out, error.message());
    if (SameFolder(site) == SameFolder(out))
        throw IoError(out, "a selection is never written into the site folder");
    // Never over the months of a store: a folder with stored logs must be a
    // selection's already.
    const std::string marker = out + std::string(kSelectionMarkerFileName);
    if (!FileExists(marker) && !ListStoredMonths(out).empty())
        throw IoError(out, "holds stored months that are not a selection's; give another folder");

    SelectionResult result;
    result.key = MonthKeyOfStamp(selection.period.from);
    const std::string lastKey = MonthKeyOfStamp(selection.period.to);
    std::vector<std::string> months;
    FieldFormat format;
    std::uint64_t totalBytes = 0;
    timespec newest{};
    for (const std::string& key : ListStoredMonths(site)) {
        if (key < result.key || key > lastKey)
            continue;
        const FieldFormat own = ReadFormatFile(MonthFormatPath(site, key));
        if (!months.empty() && own != format)
            throw IoError(MonthFormatPath(site, key),
                          "this month's lines have another format than " + months.front() +
                              "'s; choose a period within one format");
        format = own;
        months.push_back(key);
        struct stat info {};
        if (::stat(StoredLogPath(site, key).c_str(), &info) == 0) {
            totalBytes += static_cast<std::uint64_t>(info.st_size);
            if (info.st_mtim.tv_sec > newest.tv_sec ||
                (info.st_mtim.tv_sec == newest.tv_sec && info.st_mtim.tv_nsec > newest.tv_nsec))
                newest = info.st_mtim;
        }
    }
    if (format.empty())
        format = ReadFormatFileIfExists(site + std::string(kLastFormatFileName));

    PrepareAnalysisRun(site);  // never copy the half of a killed import
    PrepareAnalysisRun(out);
    WriteTextLines(marker,
                   {std::to_string(selection.period.from), std::to_string(selection.period.to)});
    const RobotSignatures signatures = LoadRobotSignatures(ProgramDirOfSite(site));
    const CountryDatabase countries(countryDatabase);
    LineFilter filter(selection.conditions, selection.period, signatures, countries,
                      format.find('U') != std::string::npos);
    LineExclusions exclusions(site, ProgramDirOfSite(site), countryDatabase,
                              format.find('U') != std::string::npos);
    LogLineSplitter splitter(format);
    const std::string logPath = out + LogFileName(result.key);
    {
        AtomicFileWriter copy(logPath);
        std::uint64_t bytesBefore = 0;
        for (const std::string& key : months) {
            LineReader reader(StoredLogPath(site, key));
            std::string_view line;
            while (reader.Next(line)) {
                if (++result.linesRead % kLinesBetweenChecks == 0) {
                    if (observer.StopRequested()) {
                        result.analysis.stopped = true;
                        return result;
                    }
                    if (totalBytes > 0)
                        observer.Progress(static_cast<int>(
                            100 * (bytesBefore + reader.bytesRead()) / totalBytes));
                }
                if (line.empty() || line[0] == '#' || !splitter.Split(line))
                    continue;
                splitter.Complete();
                if (filter.Matches(splitter) &&
                    (exclusions.empty() || !exclusions.Excludes(splitter))) {
                    copy.WriteLine(line);
                    ++result.linesKept;
                }
            }
            bytesBefore += reader.bytesRead();
        }
        copy.Commit();
    }
    WriteFormatFile(MonthFormatPath(out, result.key), format);
    // The copy bears the date of the newest month it came from, which the
    // monthly file shows as the date of the log.
    const timespec times[2] = {newest, newest};
    if (newest.tv_sec != 0)
        ::utimensat(AT_FDCWD, logPath.c_str(), times, 0);
    if (result.linesKept == 0) {
        RemoveAnalysis(out, result.key);
        return result;
    }
    // Stopped, cancelled or failed after the copy: the results of an earlier
    // run must not stand beside lines they were not made from.
    try {
        result.analysis = AnalyseLog(out, result.key, siteUrl, observer, countryDatabase, false,
                                     ProgramDirOfSite(site));
    } catch (...) {
        RemoveAnalysis(out, result.key);
        throw;
    }
    if (!result.analysis.completed)
        RemoveAnalysis(out, result.key);
    return result;
}

std::string SelectionKey(const std::string& folder) {
    const std::vector<std::string> keys = ListStoredMonths(SiteFolderPrefix(folder));
    return keys.empty() ? std::string() : keys.front();
}

}  // namespace trafikon
