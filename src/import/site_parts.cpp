// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/site_parts.h"

#include "import/import_logs.h"
#include "store/data_store.h"
#include "store/import_journal.h"

namespace trafikon {

RoutedSites::Site::Site(const std::string& siteDir)
    : dir(siteDir), lock(siteDir), book((TidyLeftovers(siteDir), siteDir)) {}

RoutedSites::Site& RoutedSites::Of(int number) {
    auto it = open_.find(number);
    if (it == open_.end())
        it = open_.emplace(number, std::make_unique<Site>(SiteDir(routing_.programDir, number)))
                 .first;
    return *it->second;
}

FileParts::FileParts(const std::string& aimedDir, ImportedLogBook& aimedBook, RoutedSites* routed)
    : routed_(routed) {
    if (routed_ == nullptr)
        aimed_ = std::make_unique<SitePart>(0, aimedDir, aimedBook, OpenMonths::kMaxOpen,
                                            MonthWriting{});
    else
        aimed_ = std::make_unique<SitePart>(routed_->routing().aimedSite, aimedDir, aimedBook,
                                            OpenMonths::kMaxOpen, kRoutedWriting);
    last_ = aimed_.get();
}

SitePart& FileParts::Of(std::string_view value, const LogToImport& log) {
    const int number = routed_->sites().SiteOf(value);
    if (number == last_->number)
        return *last_;
    if (number == aimed_->number)
        return *(last_ = aimed_.get());
    auto it = others_.find(number);
    if (it == others_.end()) {
        RoutedSites::Site& site = routed_->Of(number);
        auto part = std::make_unique<SitePart>(number, site.dir, site.book, OpenMonths::kMaxOpen,
                                               kRoutedWriting);
        const LogOpening opening = site.book.Open(log.path, log.whole, log.completeLinesOnly);
        // No source though known: the site holds all of it (or more).
        part->skipBefore = opening.source ? opening.start : opening.knownBefore ? UINT64_MAX : 0;
        it = others_.emplace(number, std::move(part)).first;
    }
    return *(last_ = it->second.get());
}

MonthWriter& FileParts::Writer(SitePart& part, const std::string& key) {
    const std::size_t before = part.months.openCount();
    MonthWriter& writer = part.months.Get(key);
    open_ += part.months.openCount() - before;
    part.lastUse = ++clock_;
    while (open_ > kMaxOpenAll) {  // the least recently used site gives up its oldest month
        SitePart* oldest = nullptr;
        const auto consider = [&](SitePart* p) {
            if (p != &part && p->months.openCount() > 0 &&
                (oldest == nullptr || p->lastUse < oldest->lastUse))
                oldest = p;
        };
        consider(aimed_.get());
        for (auto& entry : others_)
            consider(entry.second.get());
        if (oldest == nullptr)
            break;
        oldest->months.CloseOldest();
        --open_;
    }
    return writer;
}

void FileParts::Finish(const LogSource& source, bool recordAimed,
                       std::set<std::string>& aimedMonths,
                       std::map<int, std::set<std::string>>& otherMonths) {
    for (auto& [number, part] : others_) {
        if (!part->months.touched())
            continue;
        part->book.Imported(source);
        for (const auto& key : part->months.Finish(part->book))
            otherMonths[number].insert(key);
        part->done = true;
    }
    if (recordAimed)
        aimed_->book.Imported(source);
    for (const auto& key : aimed_->months.Finish(aimed_->book))
        aimedMonths.insert(key);
    aimed_->done = true;
}

void FileParts::Abandon() noexcept {
    for (auto& [number, part] : others_)
        if (!part->done)
            part->months.Abandon(part->book);
    if (!aimed_->done)
        aimed_->months.Abandon(aimed_->book);
}

}  // namespace trafikon
