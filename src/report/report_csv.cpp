// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_csv.h"

#include <filesystem>
#include <system_error>

#include "report/report_output.h"
#include "report/report_text.h"
#include "store/text_file.h"

namespace trafikon::report {

namespace {

void AppendRow(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            out += ',';
        out += CsvField(cells[c]);
    }
    out += "\r\n";
}

}  // namespace

std::string TableCsv(const ReportTable& table) {
    std::string out;
    AppendRow(out, table.columns);
    for (const auto& row : table.rows)
        AppendRow(out, row);
    return out;
}

int WriteReportCsv(const MonthReport& report, const std::string& dir) {
    std::string folder = dir.empty() ? "." : dir;
    if (folder.back() != '/')
        folder += '/';
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        throw IoError(folder, ec.message());
    int written = 0;
    auto write = [&](const ReportTable& t) {
        WriteReportFile(folder + report.key + "-" + t.name + ".csv", TableCsv(t));
        ++written;
    };
    if (!report.totals.rows.empty())
        write(report.totals);
    write(report.summary);
    for (const ReportTable& t : report.tables)
        write(t);
    return written;
}

}  // namespace trafikon::report
