// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/watched_logs.h"

#include <fcntl.h>
#include <glob.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "import/format_detection.h"
#include "import/imported_log_book.h"
#include "import/log_file_check.h"
#include "import/log_file_order.h"
#include "store/data_store.h"
#include "store/log_format.h"
#include "store/month_file_names.h"

namespace trafikon {

namespace {

std::string PatternsPath(const std::string& siteDir) {
    return SiteFolderPrefix(siteDir) + std::string(kWatchedLogsFileName);
}

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A pattern the list holds: not blank (a blank one would name files of the
// working folder) and on one line.
bool IsPattern(const std::string& pattern) {
    return pattern.find_first_not_of(" \t") != std::string::npos &&
           pattern.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

std::vector<std::string> ReadWatchedPatterns(const std::string& siteDir) {
    std::vector<std::string> patterns;
    for (auto& line : ReadTextLinesIfExists(PatternsPath(siteDir)))
        if (IsPattern(line))
            patterns.push_back(std::move(line));
    return patterns;
}

void WriteWatchedPatterns(const std::string& siteDir, const std::vector<std::string>& patterns) {
    std::vector<std::string> kept;
    for (const auto& pattern : patterns)
        if (IsPattern(pattern))
            kept.push_back(pattern);
    WriteTextLines(PatternsPath(siteDir), kept);
}

void AddWatchedPatterns(const std::string& siteDir, const std::vector<std::string>& patterns) {
    std::vector<std::string> all = ReadWatchedPatterns(siteDir);
    const std::size_t before = all.size();
    for (const auto& pattern : patterns)
        if (IsPattern(pattern) && std::find(all.begin(), all.end(), pattern) == all.end())
            all.push_back(pattern);
    if (all.size() != before)
        WriteTextLines(PatternsPath(siteDir), all);
}

namespace {

std::string WatchAnalysisLine(const std::string& siteDir) {
    try {
        const Lines lines =
            ReadTextLinesIfExists(SiteFolderPrefix(siteDir) + std::string(kWatchAnalysisFileName));
        return lines.empty() ? std::string() : lines.front();
    } catch (const IoError&) {
        return {};
    }
}

}  // namespace

int ReadWatchAnalysisMinutes(const std::string& siteDir) {
    const std::string line = WatchAnalysisLine(siteDir);
    if (ParseTimeOfDay(line) >= 0)
        return kAnalyseAtTimeOfDay;
    if (line.empty() || line.size() > 5)
        return 0;
    if (line == "-1")
        return kAnalyseByHand;
    if (line.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoi(line);
}

void WriteWatchAnalysisMinutes(const std::string& siteDir, int minutes) {
    WriteTextLines(SiteFolderPrefix(siteDir) + std::string(kWatchAnalysisFileName),
                   {std::to_string(minutes < 0 ? kAnalyseByHand : minutes)});
}

int ReadWatchAnalysisTime(const std::string& siteDir) {
    return ParseTimeOfDay(WatchAnalysisLine(siteDir));
}

void WriteWatchAnalysisTime(const std::string& siteDir, int dayMinute) {
    WriteTextLines(SiteFolderPrefix(siteDir) + std::string(kWatchAnalysisFileName),
                   {TimeOfDayText(dayMinute)});
}

int ParseTimeOfDay(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 1 || colon > 2 || text.size() != colon + 3)
        return -1;
    int hours = 0;
    int minutes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == colon)
            continue;
        if (text[i] < '0' || text[i] > '9')
            return -1;
        int& part = i < colon ? hours : minutes;
        part = part * 10 + (text[i] - '0');
    }
    return hours < 24 && minutes < 60 ? hours * 60 + minutes : -1;
}

std::string TimeOfDayText(int dayMinute) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", dayMinute / 60 % 24, dayMinute % 60);
    return text;
}

int SecondsUntilTimeOfDay(int nowSecond, int dayMinute) {
    constexpr int kDay = 24 * 60 * 60;
    const int wait = (dayMinute * 60 - nowSecond % kDay + kDay) % kDay;
    return wait == 0 ? kDay : wait;
}

std::vector<std::string> WatchedFiles(const std::vector<std::string>& patterns) {
    std::vector<std::string> files;
    for (const auto& pattern : patterns) {
        glob_t found{};
        if (::glob(pattern.c_str(), GLOB_NOSORT, nullptr, &found) == 0) {
            for (std::size_t i = 0; i < found.gl_pathc; ++i) {
                const std::string path = found.gl_pathv[i];
                std::error_code ec;
                if (std::filesystem::is_directory(path, ec)) {
                    for (const auto& entry : std::filesystem::directory_iterator(path, ec))
                        if (IsRegularFile(entry.path().string()))
                            files.push_back(entry.path().string());
                } else if (IsRegularFile(path)) {
                    files.push_back(path);
                }
            }
        }
        ::globfree(&found);
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

std::vector<std::string> ReadyWatchedLogs(const std::string& siteDir) {
    std::vector<std::string> ready;
    for (const auto& file : WatchedFiles(ReadWatchedPatterns(siteDir))) {
        try {
            if (CheckLogFile(file) != LogFileCheck::kAccepted)
                continue;
            struct stat st;
            if (!IsCompressedLog(file) &&
                (::stat(file.c_str(), &st) != 0 ||
                 LastLineEndOf(file, static_cast<std::uint64_t>(st.st_size)) == 0))
                continue;
        } catch (const IoError&) {
            continue;
        }
        ready.push_back(file);
    }
    return ready;
}

std::vector<LogToImport> WatchedLogsToImport(const std::string& siteDir,
                                             std::vector<std::string>& leftOut) {
    std::vector<std::string> paths;
    std::vector<FieldFormat> formats;
    for (const auto& path : ReadyWatchedLogs(siteDir)) {
        FieldFormat codes;
        try {
            codes = DetectFileFormat(path);
        } catch (const IoError&) {
        }
        if (codes.empty() || RepeatedFieldCode(codes) != '\0' ||
            !CheckRequiredFields(codes).empty()) {
            leftOut.push_back(path);
            continue;
        }
        paths.push_back(path);
        formats.push_back(std::move(codes));
    }
    std::vector<LogToImport> logs;
    for (const std::size_t i : OldestFirstOrder(paths, formats.empty() ? "" : formats.front()))
        logs.push_back({paths[i], formats[i], false, true});
    return logs;
}

WatchBusy::WatchBusy(const std::string& lockPath)
    : IoError(lockPath, "another process watches the logs of this site") {}

WatchLock::WatchLock(const std::string& siteDir) {
    const std::string path = SiteFolderPrefix(siteDir) + std::string(kWatchLockFileName);
    do
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        ThrowErrno(path);
    int r;
    do
        r = ::flock(fd_, LOCK_EX | LOCK_NB);
    while (r != 0 && errno == EINTR);
    if (r != 0) {
        const int saved = errno;
        ::close(fd_);
        fd_ = -1;
        if (saved == EWOULDBLOCK)
            throw WatchBusy(path);
        errno = saved;
        ThrowErrno(path);
    }
}

WatchLock::~WatchLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

}  // namespace trafikon
