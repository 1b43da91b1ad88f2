// SPDX-License-Identifier: GPL-3.0-or-later
// Writes fuzzed texts as the report does: each CSV cell reads back as it was
// (a formula-like text with its apostrophe), an HTML text holds no markup
// character; and a report built from fuzzed result files renders as a page
// that holds no markup from them and no text longer than a window shows.
// Input: cells (tab between cells, newline between rows), "@@\n", the mon-
// file, "@@\n", the ret- file, "@@\n", the lfp- file, "@@\n", the stored log.
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_util.h"
#include "report/month_report.h"
#include "report/month_report_files.h"
#include "report/report_csv.h"
#include "report/report_html.h"
#include "report/report_text.h"
#include "store/cp1252.h"
#include "store/text_file.h"
#include "text/language_table.h"

using namespace trafikon;
using namespace trafikon::fuzz;

namespace {

void WriteRaw(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Reads the cells of a CSV text back (RFC 4180).
std::vector<std::vector<std::string>> ParseCsv(std::string_view csv) {
    std::vector<std::vector<std::string>> rows(1);
    std::string cell;
    bool quoted = false, inQuotes = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"')
                cell += '"', ++i;
            else if (c == '"')
                inQuotes = false;
            else
                cell += c;
        } else if (c == '"') {
            FUZZ_CHECK(cell.empty() && !quoted);  // a quote only opens a field
            inQuotes = quoted = true;
        } else if (c == ',') {
            rows.back().push_back(std::move(cell));
            cell.clear();
            quoted = false;
        } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            rows.back().push_back(std::move(cell));
            cell.clear();
            quoted = false;
            rows.emplace_back();
            ++i;
        } else {
            FUZZ_CHECK(c != '\r' && c != '\n');  // bare line ends only inside quotes
            cell += c;
        }
    }
    FUZZ_CHECK(!inQuotes);
    rows.pop_back();  // after the last row's line end
    return rows;
}

void CheckCells(std::string_view text) {
    report::ReportTable table;
    table.columns = {"a", "b"};
    for (std::string_view line : Cut(text, "\n", 16)) {
        auto& row = table.rows.emplace_back();
        for (std::string_view cell : Cut(line, "\t", 4))
            row.emplace_back(cell);
    }
    const auto rows = ParseCsv(report::TableCsv(table));
    FUZZ_CHECK(rows.size() == table.rows.size() + 1);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        FUZZ_CHECK(rows[r + 1].size() == table.rows[r].size());
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            const std::string& given = table.rows[r][c];
            const std::string& read = rows[r + 1][c];
            const bool neutral = read != given;
            FUZZ_CHECK(!neutral || read == "'" + given);
            if (!read.empty() && std::string_view("=+-@\t\r").find(read[0]) != std::string::npos)
                FUZZ_CHECK(read.find_first_not_of("+-.0123456789") == std::string::npos);
        }
        for (const std::string& cell : table.rows[r])
            FUZZ_CHECK(report::HtmlEscape(cell).find_first_of("<>\"'") == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024)
        return 0;
    const auto parts = Cut(AsText(data, size), "@@\n", 5);
    CheckCells(parts[0]);
    if (parts.size() < 2)
        return 0;

    EmptyScratchStore();
    const std::string& dir = ScratchStore();
    const char* names[] = {"mon-2002-03.tfd", "ret-2002-03.tfd", "lfp-2002-03.tfd",
                           "log-2002-03.log"};
    for (std::size_t i = 1; i < parts.size(); ++i)
        WriteRaw(dir + names[i - 1], parts[i]);
    static const LanguageTable texts = [] {
        LanguageTable t;
        t.Assign(BuiltInEnglish());
        return t;
    }();
    std::vector<std::string> problems;
    report::MonthReport month;
    try {
        month = report::LoadMonthReport({dir, "2002-03", "today"}, texts, problems);
    } catch (const IoError&) {
        return 0;  // no analysis
    }
    const std::string html = report::RenderReportHtml(month, "en");
    for (const char* markup : {"<script", "<img", "<iframe", "javascript:"})
        FUZZ_CHECK(html.find(markup) == std::string::npos);
    for (const report::ReportTable& t : month.tables)
        for (const auto& row : t.rows)
            for (const std::string& cell : row)
                FUZZ_CHECK(cell.size() <= 3 * kShownTextLimit + 3);  // UTF-8 of the cut text
    return 0;
}
