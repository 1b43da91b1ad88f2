// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/open_months.h"

#include <algorithm>

#include "import/month_format_guard.h"
#include "store/month_file_names.h"

namespace trafikon {

const FieldFormat& OpenMonths::MonthFormat(const std::string& key, const FieldFormat& lineCodes,
                                           bool w3c, const std::string& path) {
    auto it = formats_.find(key);
    if (it == formats_.end()) {
        FieldFormat stored = StoredMonthFormat(siteDir_, key);
        it = formats_.emplace(key, stored.empty() ? lineCodes : std::move(stored)).first;
    }
    if (it->second != lineCodes && !(w3c && CanRewriteFields(lineCodes, it->second)))
        throw MonthFormatConflict(path, key, it->second, lineCodes);
    return it->second;
}

MonthWriter& OpenMonths::Get(const std::string& key) {
    for (std::size_t i = 0; i < open_.size(); ++i) {
        if (open_[i]->key() == key) {
            std::rotate(open_.begin(), open_.begin() + i, open_.begin() + i + 1);
            return *open_.front();
        }
    }
    if (std::find(touched_.begin(), touched_.end(), key) == touched_.end()) {
        journal_.RecordMonth(key);
        touched_.push_back(key);
    }
    if (open_.size() >= maxOpen_)
        CloseOldest();
    open_.insert(open_.begin(), std::make_unique<MonthWriter>(key, siteDir_, writing_));
    return *open_.front();
}

void OpenMonths::CloseOldest() {
    if (open_.empty())
        return;
    open_.back()->Close();
    open_.pop_back();
}

const std::vector<std::string>& OpenMonths::Finish(ImportedLogBook& book) {
    for (auto& month : open_)
        month->Close();
    open_.clear();
    for (const auto& key : touched_)
        WriteFormatFile(MonthFormatPath(siteDir_, key), formats_.at(key));
    book.Stage();
    journal_.Commit();
    book.Commit();
    return touched_;
}

void OpenMonths::Abandon(ImportedLogBook& book) noexcept {
    open_.clear();
    try {
        journal_.RollBack();
    } catch (...) {
    }
    book.Drop();
}

}  // namespace trafikon
