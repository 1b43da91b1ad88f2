// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/month_report.h"

#include <algorithm>
#include <tuple>

#include "month/general_lists.h"
#include "month/robots_list.h"
#include "month/status_list.h"
#include "month/whole_line_reader.h"
#include "report/country_report.h"
#include "report/report_text.h"
#include "report/visit_report.h"
#include "store/cp1252.h"
#include "store/result_records.h"
#include "store/tagged_record.h"
#include "text/extra_texts.h"

namespace trafikon::report {

namespace {

using Row = std::vector<std::string>;

class Builder {
  public:
    explicit Builder(const LanguageTable& texts) : texts_(texts) {}
    std::string T(int entry) const { return LabelText(texts_, entry); }

    ReportTable Table(std::string name, int title, std::vector<int> columns,
                      std::vector<bool> numeric) const {
        ReportTable t;
        t.name = std::move(name);
        t.title = T(title);
        for (int c : columns)
            t.columns.push_back(T(c));
        t.numeric = std::move(numeric);
        return t;
    }

  private:
    const LanguageTable& texts_;
};

std::string Num(std::int64_t v) {
    return std::to_string(v);
}
std::string Kilobytes(std::int64_t bytes) {
    return Num(bytes / 1024);
}
// A text of the store as the report shows it: cut as the windows cut it.
std::string Utf8(std::string_view store) {
    if (store.size() <= kShownTextLimit)
        return Cp1252ToUtf8(store);
    return Cp1252ToUtf8(store.substr(0, kShownTextLimit)) + "\xE2\x80\xA6";
}

// Sorts rows by the number in `column`, most first; ties keep their order.
void SortByCount(ReportTable& t, std::size_t column) {
    std::stable_sort(t.rows.begin(), t.rows.end(), [column](const Row& a, const Row& b) {
        return ParseInteger(a[column]) > ParseInteger(b[column]);
    });
}

// name, hits, last time of tagged records (hosts and referring pages).
ReportTable RecordTable(const Builder& b, std::string name, int title, int nameColumn,
                        const MonthResults& month, const LineTable& records) {
    ReportTable t = b.Table(std::move(name), title, {nameColumn, 129, 102}, {false, true, false});
    WholeLineReader whole(month, records);  // the host lines' ends are in their file
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string_view line = whole.Line(i);
        t.rows.push_back({Utf8(ReadField(line, PageField::kKey)),
                          Utf8(ReadField(line, PageField::kHits)),
                          Utf8(ReadField(line, PageField::kLastTime))});
    }
    SortByCount(t, 1);
    return t;
}

ReportTable QueryTable(const Builder& b, std::string name, int title, const LineTable& records) {
    ReportTable t =
        b.Table(std::move(name), title, {155, 129, 131, 102}, {false, true, false, false});
    for (std::string_view line : records)
        t.rows.push_back(
            {Utf8(ReadField(line, QueryField::kText)),
             Num(static_cast<std::int64_t>(IdListSize(ReadField(line, QueryField::kSiteLengths)))),
             Utf8(ReadField(line, QueryField::kReferrerSite)),
             Utf8(ReadField(line, QueryField::kLastTime))});
    SortByCount(t, 1);
    return t;
}

// The monthly statistics, then people beside robots.
ReportTable SummaryTable(const Builder& b, const MonthResults& month, const MonthExtras& extras) {
    ReportTable summary = b.Table("summary", 121, {123, 124}, {false, true});
    for (std::size_t i = 0; i < kSummaryEntries.size(); ++i)
        summary.rows.push_back({b.T(kSummaryEntries[i]), Utf8(month.summary.rows[i])});
    if (extras.present) {
        const Audience& a = extras.audience;
        summary.rows.push_back({b.T(lang::kTextPeopleHits), Num(a.people.hits)});
        summary.rows.push_back({b.T(lang::kTextPeopleVisitors), Num(a.people.visitors)});
        summary.rows.push_back({b.T(lang::kTextRobotHits), Num(a.robots.hits)});
        summary.rows.push_back({b.T(lang::kTextRobotVisitors), Num(a.robots.visitors)});
    }
    return summary;
}

// Per day and per hour (when the month has its extra files), as lists and as graphs.
void AddDaysAndHours(MonthReport& r, const Builder& b, const MonthResults& month,
                     const MonthExtras& extras) {
    ReportTable days =
        b.Table("days", 122, {125, 126, 127, 128, 129}, {true, true, true, true, true});
    ReportBars dayBars{b.T(122), {}, {}, {}, b.T(129), b.T(128)};
    for (const auto& d : DayRows(month.summary)) {
        days.rows.push_back({d[0], d[1], d[2], d[3], d[4]});
        dayBars.labels.push_back(d[0]);
        dayBars.values.push_back(ParseInteger(d[4]));
        dayBars.inner.push_back(ParseInteger(d[3]));
    }
    r.graphs.push_back(std::move(dayBars));
    r.tables.push_back(std::move(days));
    if (!extras.present)
        return;
    ReportTable hours = b.Table("hours", lang::kTextHoursOfDay, {lang::kTextHour, 129, 128, 127},
                                {true, true, true, true});
    ReportBars hourBars{b.T(lang::kTextHoursOfDay), {}, {}, {}, b.T(129), b.T(128)};
    for (int h = 0; h < 24; ++h) {
        const std::string label = (h < 10 ? "0" : "") + Num(h);
        hours.rows.push_back({label, Num(extras.hours.hits[h]), Num(extras.hours.pages[h]),
                              Kilobytes(extras.hours.bytes[h])});
        hourBars.labels.push_back(label);
        hourBars.values.push_back(extras.hours.hits[h]);
        hourBars.inner.push_back(extras.hours.pages[h]);
    }
    r.graphs.push_back(std::move(hourBars));
    r.tables.push_back(std::move(hours));
}

ReportTable FilesTable(const Builder& b, const MonthResults& month) {
    ReportTable files = b.Table("files", 96, {96, 129, 101, 102}, {false, true, true, false});
    for (std::string_view line : month.files)
        files.rows.push_back({Utf8(ReadField(line, FileField::kPath)),
                              Utf8(ReadField(line, FileField::kHits)),
                              Utf8(ReadField(line, FileField::kLastStatus)),
                              Utf8(ReadField(line, FileField::kLastTime))});
    SortByCount(files, 1);
    return files;
}

// The codes met at least once.
ReportTable StatusTable(const Builder& b, const MonthResults& month) {
    ReportTable status = b.Table("status", 117, {139, 140, 129}, {true, false, true});
    const std::vector<std::string> counts = tabs::StatusCounts(month.statuses, true);
    const std::vector<int> codeRows = tabs::StatusRows(true);
    for (std::size_t i = 0; i < codeRows.size() && i < counts.size(); ++i)
        if (ParseInteger(counts[i]) > 0)
            status.rows.push_back({tabs::StatusCodes()[codeRows[i]].code,
                                   tabs::StatusCodes()[codeRows[i]].description, Utf8(counts[i])});
    return status;
}

ReportTable RobotsTable(const Builder& b, const MonthExtras& extras, const LanguageTable& texts) {
    const tabs::TextLookup lookup = [&texts](int e) -> const std::string& { return texts.Text(e); };
    ReportTable robotTable = b.Table("robots", lang::kTextRobots,
                                     {lang::kTextRobot, lang::kTextRobotKind, 129, 128, 127, 102},
                                     {false, false, true, true, true, false});
    for (const RobotRecord& robot : extras.robots)
        robotTable.rows.push_back({Utf8(tabs::RobotName(robot, lookup)),
                                   Utf8(tabs::RobotKindText(robot.kind, lookup)), Num(robot.hits),
                                   Num(robot.pages), Kilobytes(robot.bytes), Utf8(robot.lastTime)});
    SortByCount(robotTable, 2);
    return robotTable;
}

// Browser families, systems, then every user agent.
void AddBrowserTables(MonthReport& r, const Builder& b, const MonthResults& month,
                      const MonthExtras& extras) {
    const FamilyGroups& families = extras.families;
    for (const auto& [name, title, column, list] :
         {std::tuple<const char*, int, int, const std::vector<FamilyCount>*>{
              "browser-families", lang::kTextFamilies, 141, &families.browsers},
          std::tuple<const char*, int, int, const std::vector<FamilyCount>*>{
              "systems", lang::kTextSystem, lang::kTextSystem, &families.systems}}) {
        ReportTable t =
            b.Table(name, title, {column, 129, lang::kTextUserAgents}, {false, true, true});
        for (const FamilyCount& f : *list)
            t.rows.push_back({f.name, Num(f.hits), Num(f.agents)});
        if (extras.present)
            r.tables.push_back(std::move(t));
    }
    ReportTable browsers = b.Table("browsers", 120, {141, 129}, {false, true});
    for (std::string_view line : month.browsers)
        browsers.rows.push_back({Utf8(ReadField(line, BrowserField::kName)),
                                 Utf8(ReadField(line, BrowserField::kHits))});
    SortByCount(browsers, 1);
    r.tables.push_back(std::move(browsers));
}

}  // namespace

MonthReport BuildMonthReport(const MonthResults& month, const MonthExtras& extras,
                             const LanguageTable& texts, const std::string& madeOn) {
    const Builder b(texts);
    MonthReport r;
    r.key = month.key;
    r.title = b.T(lang::kTextReportTitle) + " " + month.key;
    r.made = b.T(lang::kTextGeneratedBy) + " " + madeOn;
    if (!extras.present)
        r.extrasMissing = b.T(lang::kTextAnalyseAgain);
    else if (!extras.visitsPresent)
        r.extrasMissing = b.T(lang::kTextVisitsAnalyseAgain);
    r.totals = MonthTotals(extras, texts);
    r.summary = SummaryTable(b, month, extras);
    AddDaysAndHours(r, b, month, extras);
    AddVisits(r, extras, texts);
    r.tables.push_back(FilesTable(b, month));
    r.tables.push_back(RecordTable(b, "hosts", 116, 99, month, month.hosts));
    r.tables.push_back(StatusTable(b, month));
    r.tables.push_back(
        RecordTable(b, "external-referrers", 118, 97, month, month.externalReferrers));
    r.tables.push_back(QueryTable(b, "external-queries", 153, month.externalQueries));
    r.tables.push_back(
        RecordTable(b, "internal-referrers", 119, 98, month, month.internalReferrers));
    r.tables.push_back(QueryTable(b, "internal-queries", 154, month.internalQueries));
    if (extras.present)
        r.tables.push_back(RobotsTable(b, extras, texts));
    AddBrowserTables(r, b, month, extras);
    AddCountries(r, extras, texts);
    return r;
}

}  // namespace trafikon::report
