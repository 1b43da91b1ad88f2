// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/country_file.h"
#include "store/tagged_record.h"

namespace trafikon {

namespace {

void AppendText(std::string& out, std::string_view text) {
    for (char c : text)
        out += c == '\r' || c == '\n' ? ' ' : c;
}

}  // namespace

std::string FormatCountrySource(CountrySource source, std::string_view text) {
    std::string line = "D;";
    line += static_cast<char>(source);
    line += ';';
    AppendText(line, text);
    return line;
}

std::string FormatCountryRecord(const CountryRecord& r) {
    std::string line = "C;";
    line += r.code;
    for (const AudienceTotals* t : {&r.people, &r.robots})
        for (std::int64_t v : {t->hits, t->pages, t->bytes, t->visitors}) {
            line += ';';
            line += std::to_string(v);
        }
    line += ';';
    AppendText(line, r.city);
    return line;
}

std::string FormatHostCountry(std::uint32_t record) {
    return "H;" + std::to_string(record);
}

bool ParseCountryFile(const Lines& lines, CountryFile& file) {
    file = CountryFile{};
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!ParseCountryLine(lines[i], i == 0, file))
            return false;
    return !lines.empty();
}

bool ParseCountryLine(std::string_view line, bool first, CountryFile& file) {
    std::string_view rest = line, kind, field;
    if (!NextSemicolonField(rest, kind))
        return false;
    if (kind == "D" && first) {
        if (!NextSemicolonField(rest, field) || field.size() != 1 || field[0] < '0' ||
            field[0] > '2')
            return false;
        file.source = static_cast<CountrySource>(field[0]);
        file.sourceText = rest;
    } else if (kind == "C") {
        CountryRecord r;
        if (!NextSemicolonField(rest, field) || !(field.empty() || field.size() == 2))
            return false;
        r.code = field;
        for (AudienceTotals* t : {&r.people, &r.robots})
            for (std::int64_t* v : {&t->hits, &t->pages, &t->bytes, &t->visitors}) {
                if (!NextSemicolonField(rest, field))
                    return false;
                *v = ParseInteger(field);
            }
        r.city = rest;
        file.records.push_back(std::move(r));
    } else if (kind == "H") {
        const std::int64_t n = ParseInteger(rest);
        if (rest.empty() || n < 0 || static_cast<std::size_t>(n) >= file.records.size())
            return false;
        file.hostRecord.push_back(static_cast<std::uint32_t>(n));
    } else {
        return false;
    }
    return true;
}

}  // namespace trafikon
