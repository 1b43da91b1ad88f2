// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/visit_figures.h"

namespace trafikon {

namespace {

// `numerator / denominator` rounded to one decimal.
std::string OneDecimal(std::int64_t numerator, std::int64_t denominator, char point) {
    if (denominator <= 0)
        return "0";
    const std::int64_t tenths = (numerator * 10 + denominator / 2) / denominator;
    return std::to_string(tenths / 10) + point + std::to_string(tenths % 10);
}

}  // namespace

std::string DurationText(std::int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    std::string out = std::to_string(seconds / 3600);
    for (const std::int64_t part : {seconds / 60 % 60, seconds % 60}) {
        out += ':';
        out += static_cast<char>('0' + part / 10);
        out += static_cast<char>('0' + part % 10);
    }
    return out;
}

std::string PagesPerVisitText(const VisitTotals& t, char point) {
    return OneDecimal(t.pages, t.visits, point);
}

std::string AverageVisitText(const VisitTotals& t) {
    return DurationText(t.visits > 0 ? (t.seconds + t.visits / 2) / t.visits : 0);
}

std::string MedianVisitText(const VisitTotals& t) {
    return DurationText(t.medianSeconds);
}

std::string BounceRateText(const VisitTotals& t, char point) {
    return OneDecimal(t.bounces * 100, t.visits, point) + " %";
}

}  // namespace trafikon
