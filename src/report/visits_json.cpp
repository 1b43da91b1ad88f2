// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/visits_json.h"

#include <utility>

#include "report/report_date.h"

namespace trafikon::report {

// People's and robots' visits apart, by day, and people's entry and exit pages.
void WriteVisitsJson(JsonOut& j, const std::string& key, const MonthExtras& extras) {
    j.Key("visits");
    if (!extras.visitsPresent)
        return j.Null();
    const VisitSummary& v = extras.visits;
    j.Open('{');
    for (const auto& [name, t] :
         {std::pair<const char*, const VisitTotals&>{"people", v.people}, {"robots", v.robots}}) {
        j.Key(name);
        j.Open('{');
        for (const auto& [field, value] : {std::pair<const char*, std::int64_t>{"visits", t.visits},
                                           {"unique_visitors", t.visitors},
                                           {"pages", t.pages},
                                           {"seconds", t.seconds},
                                           {"median_seconds", t.medianSeconds},
                                           {"bounces", t.bounces}}) {
            j.Key(field);
            j.Number(value);
        }
        j.Close('}');
    }
    j.Key("days");
    j.Open('[');
    for (int d = 0; d < DaysInMonth(key); ++d) {
        j.Open('{');
        for (const auto& [field, value] : {std::pair<const char*, std::int64_t>{"day", d + 1},
                                           {"people_visits", v.peopleVisits[d]},
                                           {"people_unique_visitors", v.peopleVisitors[d]},
                                           {"robot_visits", v.robotVisits[d]},
                                           {"robot_unique_visitors", v.robotVisitors[d]}}) {
            j.Key(field);
            j.Number(value);
        }
        j.Close('}');
    }
    j.Close(']');
    for (const auto& [name, pages] :
         {std::pair<const char*, const std::vector<VisitPage>&>{"entry_pages", v.entries},
          {"exit_pages", v.exits}}) {
        j.Key(name);
        j.Open('[');
        for (const VisitPage& p : pages) {
            j.Open('{');
            j.Key("name");
            j.String(p.page);
            j.Key("visits");
            j.Number(p.visits);
            j.Close('}');
        }
        j.Close(']');
    }
    j.Close('}');
}

}  // namespace trafikon::report
