// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/files_list.h"

#include "month/month_results.h"
#include "store/result_records.h"
#include "text/analysis_entries.h"

namespace trafikon::tabs {

namespace entry = lang::analysis;

namespace {

void AddQueries(std::string_view ids, const LineTable& table, std::vector<FileQuery>& out,
                std::size_t& missing) {
    ForEachId(ids, [&](long long i) {
        if (i < 0 || static_cast<unsigned long long>(i) >= table.size()) {
            ++missing;
            return;
        }
        std::string_view line = table[static_cast<std::size_t>(i)];
        FileQuery q;
        q.text = ReadField(line, QueryField::kText);
        q.fullUrl = ReadField(line, QueryField::kReferrer);
        q.siteUrl = ReadField(line, QueryField::kReferrerSite);
        q.record = i;
        out.push_back(q);
    });
}

void AddNames(std::string_view ids, const LineTable& table, std::vector<std::string_view>& out,
              std::size_t& missing) {
    NameListResult r = NamesOf(ids, table);
    out = std::move(r.names);
    missing += r.missing;
}

}  // namespace

void FilesList::Load(const LineTable& table) {
    table_ = &table;
    rows_ = ReadNameCounts(table);
    kinds_.clear();
    kinds_.reserve(table.size());
    for (std::string_view line : table)
        kinds_.push_back(ReadField(line, FileField::kType));
}

void FilesList::Clear() {
    table_ = nullptr;
    rows_.clear();
    kinds_.clear();
}

std::vector<int> FilesList::Rows(int kind, std::string_view filter) const {
    std::vector<int> out;
    out.reserve(rows_.size());
    const char kindDigit = static_cast<char>('0' + kind);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (kind != kAllKinds) {
            std::string_view k = kinds_[i];
            if (k.size() != 1 || k[0] != kindDigit)
                continue;
        }
        if (Matches(rows_[i].name, filter))
            out.push_back(static_cast<int>(i));
    }
    return out;
}

FileDetail FilesList::Detail(int row, const TabTables& tables) const {
    FileDetail d;
    if (!table_ || row < 0 || static_cast<std::size_t>(row) >= table_->size())
        return d;
    std::string_view line = (*table_)[static_cast<std::size_t>(row)];
    d.found = true;
    d.name = ReadField(line, FileField::kPath);
    d.hits = ReadField(line, FileField::kHits);
    d.logLineIds = ReadField(line, FileField::kLogLines);
    d.logLineCount = IdListSize(d.logLineIds);
    d.lastStatus = ReadField(line, FileField::kLastStatus);
    d.lastStatusIsError = IsErrorStatus(d.lastStatus);
    d.lastAccess = LastAccessText(ReadField(line, FileField::kLastTime));
    // The lists, read from the month's files when the load left them there.
    auto list = [&](FileField field) {
        const std::string_view value = ReadField(line, field);
        return tables.month ? tables.month->IdListText(value) : std::string(value);
    };
    AddNames(list(FileField::kHosts), TableOrEmpty(tables.hosts), d.hosts, d.missing);
    AddQueries(list(FileField::kExternalQueries), TableOrEmpty(tables.externalQueries),
               d.externalQueries, d.missing);
    AddQueries(list(FileField::kInternalQueries), TableOrEmpty(tables.internalQueries),
               d.internalQueries, d.missing);
    AddNames(list(FileField::kExternalPages), TableOrEmpty(tables.externalReferrers),
             d.externalReferrers, d.missing);
    AddNames(list(FileField::kInternalPages), TableOrEmpty(tables.internalReferrers),
             d.internalReferrers, d.missing);
    return d;
}

bool IsErrorStatus(std::string_view status) {
    return ParseSignedDecimal(status).value_or(0) > 399;
}

std::string FileCountLabel(std::size_t rows, const TextLookup& texts) {
    return std::to_string(rows) + " " + texts(entry::kFilesCount);
}

std::array<std::string, 5> FileSwitchCaptions(const std::array<std::size_t, 5>& counts,
                                              const TextLookup& texts) {
    static constexpr int kEntries[5] = {
        entry::kExternalReferrersSwitch, entry::kInternalReferrersSwitch, entry::kHostsSwitch,
        entry::kExternalQueriesSwitch, entry::kInternalQueriesSwitch};
    std::array<std::string, 5> out;
    for (int i = 0; i < 5; ++i)
        out[i] = texts(kEntries[i]) + " (" + std::to_string(counts[i]) + ")";
    return out;
}

FileDetailTexts FileDetailLabels(const FileDetail& d, const TextLookup& texts) {
    FileDetailTexts t;
    t.title = texts(entry::kFileTitle) + std::string(d.name);
    t.accesses = texts(entry::kAccessCount) + " : " + std::string(d.hits);
    t.lastAccess = texts(entry::kLastAccessDate) + " : " + std::string(d.lastAccess);
    t.users = texts(entry::kUsers) + " : " + std::to_string(d.hosts.size());
    t.lastStatus = texts(entry::kLastStatus) + " : " + std::string(d.lastStatus);
    t.switches =
        FileSwitchCaptions({d.externalReferrers.size(), d.internalReferrers.size(), d.hosts.size(),
                            d.externalQueries.size(), d.internalQueries.size()},
                           texts);
    return t;
}

std::string AllNamesText(const std::vector<int>& rows, const std::vector<NameCount>& entries) {
    std::string out;
    for (int r : rows) {
        if (r < 0 || static_cast<std::size_t>(r) >= entries.size())
            continue;
        out += entries[static_cast<std::size_t>(r)].name;
        out += '\n';
    }
    return out;
}

}  // namespace trafikon::tabs
