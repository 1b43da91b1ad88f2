// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/visit_report.h"

#include <tuple>

#include "month/visit_figures.h"
#include "report/report_date.h"
#include "report/report_text.h"
#include "store/cp1252.h"
#include "store/visit_file.h"
#include "text/extra_texts.h"

namespace trafikon::report {

namespace {

std::string Num(std::int64_t v) {
    return std::to_string(v);
}

ReportTable Table(const LanguageTable& texts, std::string name, int title,
                  std::initializer_list<int> columns, std::vector<bool> numeric) {
    ReportTable t;
    t.name = std::move(name);
    t.title = LabelText(texts, title);
    for (const int c : columns)
        t.columns.push_back(LabelText(texts, c));
    t.numeric = std::move(numeric);
    return t;
}

// The log's text as the report shows it, cut as the windows cut it.
std::string PageText(const std::string& page) {
    if (page.size() <= kShownTextLimit)
        return Cp1252ToUtf8(page);
    return Cp1252ToUtf8(std::string_view(page).substr(0, kShownTextLimit)) + "\xE2\x80\xA6";
}

}  // namespace

ReportTable MonthTotals(const MonthExtras& extras, const LanguageTable& texts) {
    ReportTable t =
        Table(texts, "totals", lang::kTextMonthTotals,
              {lang::kTextMonthTotals, lang::kTextPeople, lang::kTextRobots, lang::kTextTotal},
              {false, true, true, true});
    t.columns[0].clear();
    if (!extras.present)
        return t;
    const AudienceTotals& p = extras.audience.people;
    const AudienceTotals& r = extras.audience.robots;
    auto add = [&](int name, std::int64_t people, std::int64_t robots) {
        t.rows.push_back({LabelText(texts, name), Num(people), Num(robots), Num(people + robots)});
    };
    add(129, p.hits, r.hits);
    add(128, p.pages, r.pages);
    add(127, p.bytes / 1024, r.bytes / 1024);
    if (!extras.visitsPresent)
        return t;
    const VisitSummary& v = extras.visits;
    add(lang::kTextVisits, v.people.visits, v.robots.visits);
    add(lang::kTextUniqueVisitors, v.people.visitors, v.robots.visitors);
    VisitTotals all = v.people;
    all.visits += v.robots.visits;
    all.pages += v.robots.pages;
    all.seconds += v.robots.seconds;
    all.bounces += v.robots.bounces;
    t.rows.push_back({LabelText(texts, lang::kTextPagesPerVisit), PagesPerVisitText(v.people),
                      PagesPerVisitText(v.robots), PagesPerVisitText(all)});
    t.rows.push_back({LabelText(texts, lang::kTextAverageVisit), AverageVisitText(v.people),
                      AverageVisitText(v.robots), AverageVisitText(all)});
    // The median of both together is not kept: only each one's.
    t.rows.push_back({LabelText(texts, lang::kTextMedianVisit), MedianVisitText(v.people),
                      MedianVisitText(v.robots), ""});
    t.rows.push_back({LabelText(texts, lang::kTextBounceRate), BounceRateText(v.people),
                      BounceRateText(v.robots), BounceRateText(all)});
    return t;
}

void AddVisits(MonthReport& report, const MonthExtras& extras, const LanguageTable& texts) {
    if (!extras.present || !extras.visitsPresent)
        return;
    const VisitSummary& v = extras.visits;
    ReportTable days = Table(texts, "visits", lang::kTextVisitsPerDay,
                             {125, lang::kTextPeopleVisits, lang::kTextPeopleUniqueVisitors,
                              lang::kTextRobotVisits, lang::kTextRobotUniqueVisitors},
                             {true, true, true, true, true});
    ReportBars bars{days.title,
                    {},
                    {},
                    {},
                    LabelText(texts, lang::kTextPeopleVisits),
                    LabelText(texts, lang::kTextPeopleUniqueVisitors)};
    const int dayCount = DaysInMonth(report.key);
    for (int d = 0; d < dayCount; ++d) {
        const std::string label = (d < 9 ? "0" : "") + Num(d + 1);
        days.rows.push_back({label, Num(v.peopleVisits[d]), Num(v.peopleVisitors[d]),
                             Num(v.robotVisits[d]), Num(v.robotVisitors[d])});
        bars.labels.push_back(label);
        bars.values.push_back(v.peopleVisits[d]);
        bars.inner.push_back(v.peopleVisitors[d]);
    }
    report.graphs.push_back(std::move(bars));
    report.tables.push_back(std::move(days));
    for (const auto& [name, title, pages] :
         {std::tuple<const char*, int, const std::vector<VisitPage>*>{
              "entry-pages", lang::kTextEntryPages, &v.entries},
          std::tuple<const char*, int, const std::vector<VisitPage>*>{
              "exit-pages", lang::kTextExitPages, &v.exits}}) {
        ReportTable t = Table(texts, name, title, {title, lang::kTextPeopleVisits}, {false, true});
        for (const VisitPage& p : *pages)
            t.rows.push_back({PageText(p.page), Num(p.visits)});
        report.tables.push_back(std::move(t));
    }
}

}  // namespace trafikon::report
