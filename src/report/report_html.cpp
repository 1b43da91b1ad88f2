// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_html.h"

#include <algorithm>
#include <cstdio>

#include "report/report_text.h"

namespace trafikon::report {

namespace {

constexpr const char* kStyle = R"(
body{font-family:sans-serif;margin:2em auto;max-width:60em;color:#222;padding:0 1em}
h1{font-size:1.6em;margin-bottom:.2em}h2{font-size:1.2em;border-bottom:1px solid #bbb;margin-top:1.6em}
p.made{color:#666;margin-top:0}p.note{background:#fff4d6;border:1px solid #e0c060;padding:.5em}
table{border-collapse:collapse;width:100%;font-size:.9em}
th,td{border-bottom:1px solid #ddd;padding:.2em .5em;text-align:left;vertical-align:top}
td{overflow-wrap:anywhere}td.n,th.n{text-align:right;white-space:nowrap}
th{background:#eef}p.more{color:#666;font-size:.85em}
svg{width:100%;height:auto;max-height:16em}svg text{font-size:10px;fill:#444}
.bar{fill:#6a8fd0}.inner{fill:#23467f}
.legend span{display:inline-block;width:.8em;height:.8em;margin:0 .3em 0 1em}
.graph{break-inside:avoid}
@media print{body{margin:0;max-width:none}h2{break-after:avoid}tr{break-inside:avoid}}
)";

std::string Escaped(const std::string& s) {
    return HtmlEscape(s);
}

void Bars(std::string& out, const ReportBars& g) {
    const std::size_t n = g.values.size();
    if (n == 0)
        return;
    const std::int64_t top =
        std::max<std::int64_t>(1, *std::max_element(g.values.begin(), g.values.end()));
    const int width = 720, height = 200, base = 180, left = 40;
    const double step = static_cast<double>(width - left) / static_cast<double>(n);
    out += "<svg viewBox=\"0 0 " + std::to_string(width) + " " + std::to_string(height) +
           "\" xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" aria-label=\"" + Escaped(g.title) +
           "\">";
    out += "<line x1=\"" + std::to_string(left) + "\" y1=\"" + std::to_string(base) + "\" x2=\"" +
           std::to_string(width) + "\" y2=\"" + std::to_string(base) + "\" stroke=\"#888\"/>";
    out += "<text x=\"" + std::to_string(left - 4) + "\" y=\"12\" text-anchor=\"end\">" +
           std::to_string(top) + "</text>";
    auto rect = [&](std::size_t i, std::int64_t v, const char* cls, double shrink) {
        const double h = static_cast<double>(std::max<std::int64_t>(0, v)) * (base - 10) /
                         static_cast<double>(top);
        const double x = left + i * step + step * (0.1 + shrink);
        const double w = step * (0.8 - 2 * shrink);
        char buf[160];
        std::snprintf(buf, sizeof buf,
                      "<rect class=\"%s\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\"/>",
                      cls, x, base - h, w, h);
        out += buf;
    };
    for (std::size_t i = 0; i < n; ++i) {
        out += "<g><title>" + Escaped(g.labels[i]) + ": " + std::to_string(g.values[i]) +
               (i < g.inner.size() ? " / " + std::to_string(g.inner[i]) : std::string()) +
               "</title>";
        rect(i, g.values[i], "bar", 0);
        if (i < g.inner.size())
            rect(i, g.inner[i], "inner", 0.15);
        out += "</g>";
        char buf[120];
        std::snprintf(buf, sizeof buf, "<text x=\"%.1f\" y=\"%d\" text-anchor=\"middle\">",
                      left + (i + 0.5) * step, base + 14);
        out += buf;
        out += Escaped(g.labels[i]) + "</text>";
    }
    out += "</svg>";
    out += "<p class=\"legend\"><span style=\"background:#6a8fd0\"></span>" + Escaped(g.valueName);
    if (!g.inner.empty())
        out += "<span style=\"background:#23467f\"></span>" + Escaped(g.innerName);
    out += "</p>";
}

// A list under its heading, after the graph of the same values when there is one.
void Table(std::string& out, const ReportTable& t, std::size_t cap, const ReportBars* graph) {
    out += "<section><h2>" + Escaped(t.title) + "</h2>";
    if (graph) {
        out += "<div class=\"graph\">";
        Bars(out, *graph);
        out += "</div>";
    }
    out += "<table><thead><tr>";
    for (std::size_t c = 0; c < t.columns.size(); ++c)
        out += std::string(c < t.numeric.size() && t.numeric[c] ? "<th class=\"n\">" : "<th>") +
               Escaped(t.columns[c]) + "</th>";
    out += "</tr></thead><tbody>";
    const std::size_t shown = std::min(cap, t.rows.size());
    for (std::size_t r = 0; r < shown; ++r) {
        out += "<tr>";
        for (std::size_t c = 0; c < t.rows[r].size(); ++c)
            out += std::string(c < t.numeric.size() && t.numeric[c] ? "<td class=\"n\">" : "<td>") +
                   Escaped(t.rows[r][c]) + "</td>";
        out += "</tr>";
    }
    out += "</tbody></table>";
    if (shown < t.rows.size())
        out += "<p class=\"more\">" + std::to_string(shown) + " / " +
               std::to_string(t.rows.size()) + "</p>";
    out += "</section>\n";
}

}  // namespace

std::string RenderReportHtml(const MonthReport& report, const std::string& languageCode,
                             std::size_t rowsPerList) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"" + Escaped(languageCode) +
                      "\"><head><meta charset=\"utf-8\">"
                      "<meta name=\"viewport\" content=\"width=device-width\">"
                      "<title>" +
                      Escaped(report.title) + "</title><style>";
    out += kStyle;
    out += "</style></head><body>\n<h1>" + Escaped(report.title) + "</h1><p class=\"made\">" +
           Escaped(report.made) + "</p>\n";
    if (!report.extrasMissing.empty())
        out += "<p class=\"note\">" + Escaped(report.extrasMissing) + "</p>\n";
    if (!report.totals.rows.empty())
        Table(out, report.totals, report.totals.rows.size(), nullptr);
    Table(out, report.summary, report.summary.rows.size(), nullptr);
    // One heading per section: a graph goes with the list of the same title.
    auto graphOf = [&report](const ReportTable& t) -> const ReportBars* {
        for (const ReportBars& g : report.graphs)
            if (g.title == t.title)
                return &g;
        return nullptr;
    };
    for (const ReportBars& g : report.graphs) {
        bool listed = false;
        for (const ReportTable& t : report.tables)
            listed = listed || t.title == g.title;
        if (listed)
            continue;
        out += "<section class=\"graph\"><h2>" + Escaped(g.title) + "</h2>";
        Bars(out, g);
        out += "</section>\n";
    }
    for (const ReportTable& t : report.tables)
        Table(out, t,
              t.name == "days" || t.name == "hours" || t.name == "visits" ? t.rows.size()
                                                                          : rowsPerList,
              graphOf(t));
    out += "</body></html>\n";
    return out;
}

}  // namespace trafikon::report
