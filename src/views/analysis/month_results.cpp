#include "views/analysis/month_results.h"

#include <exception>
#include <utility>

#include "store/month_stats.h"
#include "store/status_table.h"
#include "store/tagged_record.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

// Loads one result file into `table`, recording what is wrong.
void LoadTable(MonthResults& m, const std::string& path, Lines& table) {
    try {
        if (!FileExists(path)) {
            m.problems.push_back(path + ": file not found");
            return;
        }
        table = ReadTextLines(path);
    } catch (const IoError& e) {
        m.problems.push_back(e.path() + ": " + e.reason());
    } catch (const std::exception& e) {
        m.problems.push_back(path + ": " + e.what());
    }
}

void SplitDayValues(MonthResults& m, const MonthStats& stats, int series) {
    const MonthStatsLine line = kDayListLines[static_cast<std::size_t>(series)];
    auto& texts = m.summary.dayTexts[series];
    auto& values = m.summary.dayValues[series];
    bool bad = false;
    for (std::string_view piece : SplitDayList(stats[line])) {
        texts.emplace_back(piece);
        long long v = ParseSignedDecimal(piece).value_or(-1);
        if (v < 0) {
            bad = true;
            v = 0;
        }
        values.push_back(v);
    }
    if (bad)
        m.problems.push_back(m.monthStatsPath() + ": a value per day of line " +
                             std::to_string(line + 1) + " is not a number");
}

// A top list without its leading "-".
std::string TopListText(const std::string& value) {
    return value.empty() ? value : value.substr(1);
}

}  // namespace

void RecordKeyIndex::Build(const Lines& table) {
    map_.clear();
    map_.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        map_.try_emplace(ReadField(table[i], CountedField::kKey), static_cast<long long>(i));
}

long long RecordKeyIndex::Find(std::string_view key) const {
    auto it = map_.find(key);
    return it == map_.end() ? -1 : it->second;
}

std::string MonthResults::logPath() const {
    return siteDir + LogFileName(key);
}

std::string MonthResults::resultPath(ResultFile file) const {
    return siteDir + ResultFileName(file, key);
}

std::string MonthResults::monthStatsPath() const {
    return siteDir + MonthStatsFileName(key);
}

const std::string* MonthResults::LineAt(const Lines& table, long long position) {
    if (position < 0 || static_cast<unsigned long long>(position) >= table.size())
        return nullptr;
    return &table[static_cast<std::size_t>(position)];
}

void MonthResults::Clear() {
    analysed = false;
    fileIndex.Clear();
    hostIndex.Clear();
    externalReferrerIndex.Clear();
    internalReferrerIndex.Clear();
    for (Lines* t : {&externalQueries, &hosts, &browsers, &files, &statuses, &externalReferrers,
                     &internalReferrers, &internalQueries})
        t->clear();
    summary = MonthSummary{};
    problems.clear();
}

void LoadMonthResults(const std::string& siteDir, const std::string& key, MonthResults& m) {
    m.siteDir = siteDir;
    m.key = key;
    m.Clear();
    if (!FileExists(m.resultPath(kFilesResult)))
        return;
    m.analysed = true;
    const std::pair<ResultFile, Lines*> tables[] = {
        {kExternalQueriesResult, &m.externalQueries},
        {kHostsResult, &m.hosts},
        {kBrowsersResult, &m.browsers},
        {kFilesResult, &m.files},
        {kStatusResult, &m.statuses},
        {kExternalReferrersResult, &m.externalReferrers},
        {kInternalReferrersResult, &m.internalReferrers},
        {kInternalQueriesResult, &m.internalQueries},
    };
    for (const auto& [file, table] : tables)
        LoadTable(m, m.resultPath(file), *table);
    if (m.statuses.size() != kStatusLineCount && !m.statuses.empty())
        m.problems.push_back(m.resultPath(kStatusResult) + ": " +
                             std::to_string(m.statuses.size()) + " status lines instead of " +
                             std::to_string(kStatusLineCount));
    m.fileIndex.Build(m.files);
    m.hostIndex.Build(m.hosts);
    m.externalReferrerIndex.Build(m.externalReferrers);
    m.internalReferrerIndex.Build(m.internalReferrers);

    Lines mon;
    LoadTable(m, m.monthStatsPath(), mon);
    MonthSummary& s = m.summary;
    s.present = !mon.empty();
    s.lineCount = mon.size();
    if (s.present && mon.size() < kMonthStatsLineCount)
        m.problems.push_back(m.monthStatsPath() + ": " + std::to_string(mon.size()) +
                             " lines instead of " + std::to_string(kMonthStatsLineCount));
    const MonthStats stats = ParseMonthStats(mon);
    for (std::size_t r = 0; r < kSummaryLines.size(); ++r)
        s.rows[r] = stats[kSummaryLines[r]];
    for (int series = 0; series < static_cast<int>(kDayListLines.size()); ++series)
        SplitDayValues(m, stats, series);
    s.topPages = TopListText(stats[kStatTtPa]);
    s.topHosts = TopListText(stats[kStatTtHo]);
    s.topEngines = TopListText(stats[kStatTtMo]);
}

}  // namespace trafikon
