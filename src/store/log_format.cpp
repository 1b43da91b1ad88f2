// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/log_format.h"

#include <algorithm>

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

bool Holds(std::string_view format, char code) {
    return format.find(code) != std::string_view::npos;
}

// The first character of each non-empty line.
FieldFormat FormatOfLines(const Lines& lines) {
    FieldFormat format;
    for (const std::string& line : lines) {
        if (!line.empty())
            format += line[0];
    }
    return format;
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
    return FormatOfLines(ReadTextLines(path));
}

FieldFormat ReadFormatFileIfExists(const std::string& path) {
    return FormatOfLines(ReadTextLinesIfExists(path));
}

void WriteFormatFile(const std::string& path, std::string_view format) {
    Lines lines;
    lines.reserve(format.size());
    for (char c : format)
        lines.emplace_back(1, c);
    WriteTextLines(path, lines);
}

void AppendMonthKey(std::string& out, bool datedByT, std::string_view t, std::string_view d) {
    if (datedByT) {
        // d was made as year + "-" + two digits + "-" + day.
        out += d.substr(0, std::min(d.size(), Part(t, 9, 4).size() + 3));
    } else {
        out += Part(d, 1, 4);
        out += '-';
        out += Part(d, 6, 2);
    }
}

void AppendDayTimeStamp(std::string& out, std::string_view t) {
    out += Part(t, 2, 2);
    out += Part(t, 13, 9);
}

char RepeatedFieldCode(std::string_view format) {
    for (std::size_t i = 0; i < format.size(); ++i)
        if (format[i] != 'N' && format.find(format[i], i + 1) != std::string_view::npos)
            return format[i];
    return '\0';
}

}  // namespace trafikon
