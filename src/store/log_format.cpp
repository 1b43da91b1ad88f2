#include "store/log_format.h"

#include <algorithm>

#include "shell/language_table.h"
#include "store/text_file.h"

namespace trafikon {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Characters pos..pos+len-1 of `text`, counted from 1, cut to what is there.
std::string_view Part(std::string_view text, std::size_t pos, std::size_t len) {
    if (pos == 0 || pos > text.size())
        return {};
    return text.substr(pos - 1, len);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool Holds(std::string_view format, char code) {
    return format.find(code) != std::string_view::npos;
}

}  // namespace

const std::array<std::string_view, 12>& MonthNames() {
    return kMonthNames;
}

bool IsFieldCode(char code) {
    for (const FieldCode& f : kFieldCodes) {
        if (f.code == code)
            return true;
    }
    return false;
}

int FieldCodeOffset(char code) {
    for (const FieldCode& f : kFieldCodes) {
        if (f.code == code)
            return f.offset;
    }
    return 0;
}

int FieldTextEntry(char code) {
    return lang::kAddLog + FieldCodeOffset(code);
}

char CodeOfFieldText(std::string_view text) {
    return text.size() >= 2 ? text[1] : '\0';
}

std::string CheckRequiredFields(std::string_view format) {
    std::string missing;
    auto add = [&missing](std::string_view name) {
        if (!missing.empty())
            missing += ", ";
        missing += name;
    };
    if (!Holds(format, 'r') && !Holds(format, 'M'))
        add("Ressource");
    if (!Holds(format, 's'))
        add("Retour HTTP");
    if (!Holds(format, 'h'))
        add("Host");
    return missing;
}

FieldFormat ReadFormatFile(const std::string& path) {
    FieldFormat format;
    for (const std::string& line : ReadTextLines(path)) {
        if (!line.empty())
            format += line[0];
    }
    return format;
}

FieldFormat ReadFormatFileIfExists(const std::string& path) {
    FieldFormat format;
    for (const std::string& line : ReadTextLinesIfExists(path)) {
        if (!line.empty())
            format += line[0];
    }
    return format;
}

void WriteFormatFile(const std::string& path, std::string_view format) {
    Lines lines;
    lines.reserve(format.size());
    for (char c : format)
        lines.emplace_back(1, c);
    WriteTextLines(path, lines);
}

void LogFields::Clear() {
    for (std::string& v : values_)
        v.clear();
}

void ExtractField(std::string_view& line, std::string_view& value, char code) {
    value = {};
    if (line.empty())
        return;
    if (line.front() == '"') {
        const std::size_t p = line.find("\" ");
        if (p == std::string_view::npos) {
            line.remove_prefix(1);
        } else {
            // The search starts at the opening quote itself: '" ' at once gives
            // an empty value.
            value = p >= 1 ? line.substr(1, p - 1) : std::string_view();
            line.remove_prefix(p + 2);
        }
    } else if (line.front() == '[') {
        const std::size_t p = line.find("] ");
        if (p == std::string_view::npos) {
            line.remove_prefix(1);
        } else {
            value = line.substr(0, p + 1);
            line.remove_prefix(p + 2);
        }
    } else {
        const std::size_t p = line.find(' ');
        if (p == std::string_view::npos) {
            line.remove_prefix(1);
        } else {
            value = line.substr(0, p);
            line.remove_prefix(p + 1);
        }
    }
    if (code == 'r') {
        // Skip the rest of a request that held a quote followed by a blank, up
        // to the next field that starts with '-' or a digit (the status).
        while (!line.empty() && line.front() != '-' && !IsDigit(line.front())) {
            const std::size_t q = line.find('"');
            if (q == std::string_view::npos)
                line.remove_prefix(1);
            else
                line.remove_prefix(std::min(q + 2, line.size()));
        }
    }
}

void NormaliseDates(LogFields& fields, DateParts& parts) {
    std::string& t = fields['t'];
    std::string& d = fields['d'];
    std::string& h = fields['H'];
    if (!t.empty()) {
        const std::string_view tv = t;
        parts.day.assign(Part(tv, 2, 2));
        parts.monthName.assign(Part(tv, 5, 3));
        parts.year.assign(Part(tv, 9, 4));
        parts.hour.assign(Part(tv, 14, 2));
        parts.minute.assign(Part(tv, 17, 2));
        parts.second.assign(Part(tv, 20, 2));
        int number = 0;
        for (int m = 0; m < 12; ++m) {
            if (parts.monthName == kMonthNames[m]) {
                number = m + 1;
                break;
            }
        }
        parts.monthNumber.clear();
        parts.monthNumber += static_cast<char>('0' + number / 10);
        parts.monthNumber += static_cast<char>('0' + number % 10);

        d.clear();
        d += parts.year;
        d += '-';
        d += parts.monthNumber;
        d += '-';
        d += parts.day;
        h.clear();
        h += parts.hour;
        h += ':';
        h += parts.minute;
        h += ':';
        h += parts.second;
    } else {
        const std::string_view dv = d;
        const std::string_view hv = h;
        parts.year.assign(Part(dv, 1, 4));
        parts.monthNumber.assign(Part(dv, 6, 2));
        parts.day.assign(Part(dv, 9, 2));
        parts.hour.assign(Part(hv, 1, 2));
        parts.minute.assign(Part(hv, 4, 2));
        parts.second.assign(Part(hv, 7, 2));
        int number = 0;
        bool numeric = !parts.monthNumber.empty();
        for (char c : parts.monthNumber) {
            if (!IsDigit(c)) {
                numeric = false;
                break;
            }
            number = number * 10 + (c - '0');
        }
        if (numeric && number >= 1 && number <= 12)
            parts.monthName.assign(kMonthNames[number - 1]);
        else
            parts.monthName.clear();

        t.clear();
        t += '[';
        t += parts.day;
        t += '/';
        t += parts.monthName;
        t += '/';
        t += parts.year;
        t += ':';
        t += parts.hour;
        t += ':';
        t += parts.minute;
        t += ':';
        t += parts.second;
        t += " +0200]";
    }
}

void SplitLine(std::string_view line, std::string_view format, LogFields& fields,
               DateParts& parts) {
    fields['t'].clear();
    fields['r'].clear();
    std::string& work = fields.line_;
    work.assign(line);
    work += ' ';
    std::string_view rest = work;
    std::string_view value;
    for (char code : format) {
        ExtractField(rest, value, code);
        fields[code].assign(value);
    }
    NormaliseDates(fields, parts);
}

void AppendMonthKey(std::string& out, const DateParts& parts) {
    out += parts.year;
    out += '-';
    out += parts.monthNumber;
}

std::string MonthKey(const DateParts& parts) {
    std::string key;
    AppendMonthKey(key, parts);
    return key;
}

void AppendDayTimeStamp(std::string& out, std::string_view t) {
    out += Part(t, 2, 2);
    out += Part(t, 13, 9);
}

std::string DayTimeStamp(std::string_view t) {
    std::string s;
    AppendDayTimeStamp(s, t);
    return s;
}

}  // namespace trafikon
