// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/hit_columns.h"

namespace trafikon::report {

std::string HitTableDdl(std::string_view table, bool ifNotExists) {
    std::string ddl = "CREATE TABLE ";
    if (ifNotExists)
        ddl += "IF NOT EXISTS ";
    ddl += table;
    ddl += "\n(\n";
    for (std::size_t i = 0; i < kHitColumns.size(); ++i) {
        ddl += "    ";
        ddl += kHitColumns[i].name;
        ddl += ' ';
        ddl += kHitColumns[i].type;
        ddl += i + 1 < kHitColumns.size() ? ",\n" : "\n";
    }
    ddl += ")\nENGINE = MergeTree\nPARTITION BY (site, month)\nORDER BY (site, time)\n";
    return ddl;
}

std::string HitPartition(int site, std::string_view monthKey) {
    std::string p = "(" + std::to_string(site) + ", '";
    // A month of hostile lines may have any seven characters for its key.
    for (const char c : monthKey) {
        if (c == '\'' || c == '\\')
            p += '\\';
        p += c;
    }
    p += "')";
    return p;
}

void AppendTsvValue(std::string& out, std::string_view text) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char* escape = c == '\\'   ? "\\\\"
                             : c == '\t' ? "\\t"
                             : c == '\n' ? "\\n"
                             : c == '\r' ? "\\r"
                             : c == '\0' ? "\\0"
                                         : nullptr;
        if (!escape)
            continue;
        out.append(text.data() + from, i - from);
        out.append(escape);
        from = i + 1;
    }
    out.append(text.data() + from, text.size() - from);
}

bool IsPlainTableName(std::string_view name) {
    int dots = 0;
    if (name.empty() || name.front() == '.' || name.back() == '.')
        return false;
    for (const char c : name) {
        if (c == '.')
            ++dots;
        else if (!(c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                   (c >= 'A' && c <= 'Z')))
            return false;
    }
    return dots <= 1 && name.size() <= 200;
}

}  // namespace trafikon::report
