// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/log_file_order.h"

#include <algorithm>
#include <numeric>

#include "import/format_detection.h"
#include "import/line_date.h"
#include "import/log_file_check.h"
#include "store/text_file.h"

namespace trafikon {

std::string FirstLineTime(const std::string& path, std::string_view codes) {
    std::vector<std::string> head;
    try {
        head = ReadFileHead(path, 1);
    } catch (const IoError&) {
        return {};
    }
    if (head.empty() || IsHeaderOrBlank(head.back()))
        return {};
    FieldFormat format = DetectFormat(head);
    if (format.empty())
        format = codes;
    LineDater dater(format);
    dater.Date(head.back());
    if (!IsWellFormedMonthKey(dater.monthKey()))
        return {};
    return dater.monthKey() + dater.stamp();
}

std::vector<std::size_t> OldestFirstOrder(const std::vector<std::string>& paths,
                                          std::string_view codes) {
    std::vector<std::string> times;
    for (const auto& path : paths)
        times.push_back(FirstLineTime(path, codes));
    std::vector<std::size_t> order(paths.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (times[a].empty() || times[b].empty())
            return !times[a].empty() && times[b].empty();
        return times[a] < times[b];
    });
    return order;
}

}  // namespace trafikon
