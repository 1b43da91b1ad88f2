// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/generated_line.h"

#include <array>

namespace trafikon::batch::generator {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void AppendTwo(std::string& out, int n) {
    out += static_cast<char>('0' + n / 10);
    out += static_cast<char>('0' + n % 10);
}

// HH:MM:SS
void AppendClock(std::string& out, const Moment& m) {
    AppendTwo(out, m.hour);
    out += ':';
    AppendTwo(out, m.minute);
    out += ':';
    AppendTwo(out, m.second);
}

void AppendStatus(const Fields& f, std::string& out) {
    if (f.statusText.empty())
        AppendNumber(out, f.status);
    else
        out += f.statusText;
}

}  // namespace

void AppendNumber(std::string& out, std::int64_t n) {
    char digits[24];
    int i = 0;
    const bool negative = n < 0;
    std::uint64_t u = negative ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    do {
        digits[i++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (negative)
        out += '-';
    while (i)
        out += digits[--i];
}

// YYYY-MM-DD HH:MM:SS
void AppendIisDate(std::string& out, const Moment& m) {
    AppendNumber(out, m.year);
    out += '-';
    AppendTwo(out, m.month);
    out += '-';
    AppendTwo(out, m.day);
    out += ' ';
    AppendClock(out, m);
}

// DD/Mon/YYYY:HH:MM:SS
void AppendApacheDate(std::string& out, const Moment& m) {
    AppendTwo(out, m.day);
    out += '/';
    out += kMonthNames[m.month - 1];
    out += '/';
    AppendNumber(out, m.year);
    out += ':';
    AppendClock(out, m);
}

void AppendLogLine(const Fields& f, const LogGeneratorOptions& options, Random& random,
                   std::string& out) {
    if (options.format == GeneratedFormat::kIis) {
        if (f.dateText.empty())
            AppendIisDate(out, f.when);
        else
            out += f.dateText;
        out += " 192.0.2.10 ";
        out += f.method;
        out += ' ';
        out += f.path;
        out += ' ';
        out += f.query.empty() ? "-" : f.query;
        out += f.status == 206 ? " 443 " : " 80 ";
        out += f.user;
        out += ' ';
        out += f.host;
        out += ' ';
        out += f.agentIis;
        out += ' ';
        out += f.referrer;
        out += ' ';
        AppendStatus(f, out);
        out += f.status == 404 ? " 0 2 " : " 0 0 ";
        if (!f.bytesText.empty())
            out += f.bytesText;
        else
            AppendNumber(out, f.bytes < 0 ? 180 : f.bytes);
        out += ' ';
        AppendNumber(out, random.Between(180, 650));
        out += ' ';
        AppendNumber(out, random.Between(0, 900));
        return;
    }
    out += f.host;
    out += " - ";
    out += f.user;
    out += " [";
    if (f.dateText.empty()) {
        AppendApacheDate(out, f.when);
        out += ' ';
        out += options.timeZone;
    } else {
        out += f.dateText;
    }
    out += "] \"";
    out += f.method;
    out += ' ';
    out += f.path;
    if (!f.query.empty()) {
        out += '?';
        out += f.query;
    }
    out += ' ';
    out += f.protocol;
    out += "\" ";
    AppendStatus(f, out);
    out += ' ';
    if (!f.bytesText.empty())
        out += f.bytesText;
    else if (f.bytes < 0)
        out += '-';
    else
        AppendNumber(out, f.bytes);
    if (options.format == GeneratedFormat::kCombined) {
        out += " \"";
        out += f.referrer;
        out += "\" \"";
        out += f.agent;
        out += '"';
    }
}

}  // namespace trafikon::batch::generator
