// SPDX-License-Identifier: GPL-3.0-or-later
// One generated log line: its fields, and how they are written as an Apache
// combined or common line or an IIS W3C line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "batch/generator_calendar.h"
#include "batch/generator_random.h"
#include "batch/log_generator.h"

namespace trafikon::batch::generator {

// The fields of one line. Views point into tables or the generator's scratch strings.
struct Fields {
    std::string_view host, user, method = "GET", path, query, protocol = "HTTP/1.1", referrer = "-",
                                 agent, agentIis;
    int status = 200;
    std::int64_t bytes = 0;  // < 0 writes "-"
    Moment when;
    // Hostile replacements of whole fields, used when not empty.
    std::string_view dateText, statusText, bytesText;
};

// Decimal digits of `n` appended to `out`.
void AppendNumber(std::string& out, std::int64_t n);
// YYYY-MM-DD HH:MM:SS
void AppendIisDate(std::string& out, const Moment& m);

// Appends the line of `f` in the format of `options`, without its line end;
// an IIS line draws its taken time and sent bytes from `random`.
void AppendLogLine(const Fields& f, const LogGeneratorOptions& options, Random& random,
                   std::string& out);

}  // namespace trafikon::batch::generator
