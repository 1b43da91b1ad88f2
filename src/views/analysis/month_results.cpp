#include "views/analysis/month_results.h"

#include <charconv>
#include <exception>

#include "store/tagged_record.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

// Loads one result file into `table`, recording what is wrong.
void LoadTable(MonthResults& m, std::string_view prefix, Lines& table) {
    const std::string path = m.resultPath(prefix);
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

void SplitDayValues(MonthResults& m, std::string_view line, int series) {
    auto& texts = m.summary.dayTexts[series];
    auto& values = m.summary.dayValues[series];
    // Key (four letters), "=" and the leading "-".
    std::string_view rest = line.size() > 6 ? line.substr(6) : std::string_view{};
    bool bad = false;
    while (!rest.empty()) {
        std::size_t dash = rest.find('-');
        std::string_view piece = rest.substr(0, dash);
        texts.emplace_back(piece);
        long long v = ToNumber(piece, -1);
        if (v < 0) {
            bad = true;
            v = 0;
        }
        values.push_back(v);
        if (dash == std::string_view::npos)
            break;
        rest.remove_prefix(dash + 1);
    }
    if (bad)
        m.problems.push_back(m.resultPath("mon") + ": a value per day of line " +
                             std::to_string(18 + series) + " is not a number");
}

}  // namespace

std::string_view RecordField(std::string_view line, int i) { return ReadField(line, i); }

long long ToNumber(std::string_view text, long long fallback) {
    long long v = 0;
    if (text.empty())
        return fallback;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+')
        ++first;
    auto [p, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || p != last)
        return fallback;
    return v;
}

std::vector<long long> IdListNumbers(std::string_view idList, std::size_t* badPieces) {
    std::vector<long long> out;
    std::size_t bad = 0;
    if (!idList.empty() && idList.front() == '-')
        idList.remove_prefix(1);
    while (!idList.empty()) {
        std::size_t dash = idList.find('-');
        std::string_view piece = idList.substr(0, dash);
        long long v = ToNumber(piece, -1);
        if (v < 0 || piece.empty())
            ++bad;
        else
            out.push_back(v);
        if (dash == std::string_view::npos)
            break;
        idList.remove_prefix(dash + 1);
    }
    if (badPieces)
        *badPieces = bad;
    return out;
}

void RecordKeyIndex::Build(const Lines& table) {
    map_.clear();
    map_.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        map_.try_emplace(RecordField(table[i], 1), static_cast<long long>(i));
}

long long RecordKeyIndex::Find(std::string_view key) const {
    auto it = map_.find(key);
    return it == map_.end() ? -1 : it->second;
}

std::vector<TopListEntry> ParseShownTopList(std::string_view text, bool* malformed) {
    std::vector<TopListEntry> out;
    bool bad = false;
    if (!text.empty() && text.front() == '-')  // the list's leading dash, when not cut yet
        text.remove_prefix(1);
    while (!text.empty()) {
        std::size_t blank = text.find(' ');
        std::size_t close = text.find(')', blank == std::string_view::npos ? 0 : blank);
        if (blank == std::string_view::npos || close == std::string_view::npos ||
            blank + 2 > close || text[blank + 1] != '(') {
            bad = true;
            break;
        }
        TopListEntry e;
        e.position = ToNumber(text.substr(0, blank), -1);
        e.count = std::string(text.substr(blank + 2, close - blank - 2));
        if (e.position < 0)
            bad = true;
        else
            out.push_back(std::move(e));
        // Through ")" and the "-" after it.
        text.remove_prefix(std::min(text.size(), close + 2));
    }
    if (malformed)
        *malformed = bad;
    return out;
}

std::string MonthResults::logPath() const {
    return siteDir + "log-" + key + ".log";
}

std::string MonthResults::resultPath(std::string_view prefix) const {
    return siteDir + std::string(prefix) + "-" + key + ".tfd";
}

const std::string* MonthResults::LineAt(const Lines& table, long long position) {
    if (position < 0 || static_cast<unsigned long long>(position) >= table.size())
        return nullptr;
    return &table[static_cast<std::size_t>(position)];
}

std::string_view MonthResults::FieldAt(const Lines& table, long long position, int i) {
    const std::string* line = LineAt(table, position);
    return line ? RecordField(*line, i) : std::string_view{};
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
    if (!FileExists(m.resultPath("lfp")))
        return;
    m.analysed = true;
    LoadTable(m, "ori", m.externalQueries);
    LoadTable(m, "hos", m.hosts);
    LoadTable(m, "nav", m.browsers);
    LoadTable(m, "lfp", m.files);
    LoadTable(m, "ret", m.statuses);
    LoadTable(m, "mot", m.externalReferrers);
    LoadTable(m, "mit", m.internalReferrers);
    LoadTable(m, "oit", m.internalQueries);
    if (m.statuses.size() != 49 && !m.statuses.empty())
        m.problems.push_back(m.resultPath("ret") + ": " + std::to_string(m.statuses.size()) +
                             " status lines instead of 49");
    m.fileIndex.Build(m.files);
    m.hostIndex.Build(m.hosts);
    m.externalReferrerIndex.Build(m.externalReferrers);
    m.internalReferrerIndex.Build(m.internalReferrers);

    Lines mon;
    LoadTable(m, "mon", mon);
    MonthSummary& s = m.summary;
    s.present = FileExists(m.resultPath("mon")) && !mon.empty();
    s.lineCount = mon.size();
    if (s.present && mon.size() < 28)
        m.problems.push_back(m.resultPath("mon") + ": " + std::to_string(mon.size()) +
                             " lines instead of 28");
    auto value = [&](std::size_t lineNo, std::size_t cut) -> std::string {
        if (lineNo > mon.size() || mon[lineNo - 1].size() < cut)
            return {};
        return mon[lineNo - 1].substr(cut);
    };
    for (std::size_t r = 0; r < 10; ++r)
        s.rows[r] = value(r + 1, 5);
    s.rows[10] = value(17, 5);
    for (int series = 0; series < 4; ++series)
        if (static_cast<std::size_t>(18 + series) <= mon.size())
            SplitDayValues(m, mon[17 + series], series);
    s.topPages = value(26, 6);
    s.topHosts = value(27, 6);
    s.topEngines = value(28, 6);
}

}  // namespace trafikon
