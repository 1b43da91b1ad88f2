// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month_analysis.h"

#include <atomic>
#include <limits>

#include "engine/system_memory.h"

namespace trafikon {

namespace {

// Equality of texts of a few bytes, without a call for them.
bool SameShortText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    if (a.size() > 8)
        return a == b;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// The hash of a key the preparer gave none (the same as the hit before's),
// needed when the analysis has no position for it yet.
std::uint64_t KeyHash(std::uint64_t hash, bool same, std::string_view key) {
    return same ? HashBytes(key) : hash;
}

}  // namespace

namespace {
std::atomic<std::size_t> listBudget{PackedLists::kDefaultBudget};
}  // namespace

void SetListBudget(std::size_t bytes) {
    listBudget = bytes == 0 ? PackedLists::kDefaultBudget : bytes;
}

std::size_t ListBudget() {
    return listBudget;
}

MonthAnalysis::MonthAnalysis(SpillFile& spill)
    : spill_(spill),
      fileLines_(spill, true, ListBudget()),
      hostLines_(spill, true, ListBudget()),
      browserLines_(spill, true, ListBudget()),
      externalPageLines_(spill, true, ListBudget()),
      internalPageLines_(spill, true, ListBudget()),
      statusLines_(spill, true, ListBudget()),
      externalQuerySites_(spill, false, ListBudget()),
      internalQuerySites_(spill, false, ListBudget()) {
    MapLargeBlocksApart();
    hosts.keys.PackAddresses();
    for (IdLists* lists :
         {&files.hosts, &files.externalQueries, &files.internalQueries, &files.externalPages,
          &files.internalPages, &hosts.files, &externalPages.files, &internalPages.files,
          &externalQueries.files, &internalQueries.files, &statusFiles})
        lists->SpillTo(spill, ListBudget() / 2);
}

void MonthAnalysis::AddHit(const PreparedHit& hit, std::uint32_t lineNumber) {
    // A line without a readable day counts in the current day and changes nothing.
    if (hit.day != 0 && hit.day != previousDay_) {
        currentDay_ = hit.day;
        previousDay_ = hit.day;
        ++dayChanges;
        ++dayStamp_;  // empties the hosts seen this day
    }
    const int d = currentDay_ - 1;
    // Status texts are few: each is kept once, files hold its index.
    if (lastStatus_ == kNoRecord || !SameShortText(hit.status, lastStatusText_)) {
        bool added;
        lastStatus_ = statusTexts.FindOrAdd(hit.status, hit.statusHash, added);
        lastStatusText_.assign(hit.status);
    }

    lastHit_.line = lineNumber;
    time_ = TimeTexts::Ready{hit.timePacked, hit.time};
    const std::uint32_t filePos = AddFileHit(hit);
    AddStatusHit(hit, filePos);
    const std::uint32_t hostPos = AddHostHit(hit);
    AddBrowserHit(hit);
    std::int64_t pagePos = -1, queryPos = -1;
    AddReferrerHit(hit, pagePos, queryPos);
    LinkFileReferrer(filePos, hostPos, hit.internal, queryPos, pagePos);

    if (hostSeenStamp_[hostPos] != dayStamp_) {
        hostSeenStamp_[hostPos] = dayStamp_;
        ++days.visitors[d];
    }
    ++days.hits[d];
    if (hit.hasBytes) {
        std::int64_t& total = days.bytes[d];
        if (__builtin_add_overflow(total, hit.bytes, &total))
            total = std::numeric_limits<std::int64_t>::max();
    }
}

void MonthAnalysis::FinishHits() {
    for (PairSet* pairs : {&hostFiles_, &externalPageFiles_, &internalPageFiles_,
                           &externalQueryFiles_, &internalQueryFiles_})
        pairs->Clear();
    hostSeenStamp_.Release();
    for (KeyMap* keys : {&files.keys, &hosts.keys, &browsers.keys, &externalPages.keys,
                         &internalPages.keys, &externalQueries.keys, &internalQueries.keys})
        keys->ForgetIndex();
    for (PackedLists* lists :
         {&fileLines_, &hostLines_, &browserLines_, &externalPageLines_, &internalPageLines_,
          &statusLines_, &externalQuerySites_, &internalQuerySites_})
        lists->Seal();
    for (IdLists* lists :
         {&files.hosts, &files.externalQueries, &files.internalQueries, &files.externalPages,
          &files.internalPages, &hosts.files, &externalPages.files, &internalPages.files,
          &externalQueries.files, &internalQueries.files, &statusFiles})
        lists->Seal();
}

std::uint32_t MonthAnalysis::AddFileHit(const PreparedHit& hit) {
    bool added;
    const std::uint32_t pos = files.keys.FindOrAdd(hit.path, hit.pathHash, added);
    if (added) {
        files.hits.push_back(1);
        files.type.push_back(FileTypeOfPath(hit.path));
        files.statusSlots.push_back(0);
        files.lastStatus.push_back(lastStatus_);
        files.lastTime.Push(time_);
    } else {
        ++files.hits[pos];
        files.lastStatus[pos] = lastStatus_;
        files.lastTime.Set(pos, time_);
    }
    if (files.type[pos] == kPageFile)
        ++days.pages[currentDay_ - 1];
    fileLines_.Append(pos, lastHit_.line);
    lastHit_.file = pos;
    return pos;
}

void MonthAnalysis::AddStatusHit(const PreparedHit& hit, std::uint32_t filePos) {
    const int slot = hit.statusSlot;
    if (slot < 0)
        return;
    statusLines_.Append(static_cast<std::uint32_t>(slot), lastHit_.line);
    ++statusHits[slot];
    // The slots are fewer than 64: one bit per slot tells whether the file is listed.
    std::uint64_t& listed = files.statusSlots[filePos];
    const std::uint64_t bit = std::uint64_t{1} << slot;
    if (!(listed & bit)) {
        listed |= bit;
        statusFiles.Append(static_cast<std::uint32_t>(slot), filePos);
    }
}

std::uint32_t MonthAnalysis::AddHostHit(const PreparedHit& hit) {
    std::uint32_t pos;
    // HitPreparer saw the same hits in the same order: "the same as the hit
    // before" is the same as the hit added last.
    if (lastHostPos_ >= 0 && hit.sameHost) {
        pos = static_cast<std::uint32_t>(lastHostPos_);
        ++hosts.hits[pos];
        hosts.lastTime.Set(pos, time_);
    } else {
        bool added;
        pos = hosts.keys.FindOrAdd(hit.host, KeyHash(hit.hostHash, hit.sameHost, hit.host), added);
        if (added) {
            hosts.hits.push_back(1);
            hosts.lastTime.Push(time_);
            hostSeenStamp_.push_back(0);
        } else {
            ++hosts.hits[pos];
            hosts.lastTime.Set(pos, time_);
        }
        lastHostPos_ = pos;
    }
    hostLines_.Append(pos, lastHit_.line);
    lastHit_.host = pos;
    return pos;
}

void MonthAnalysis::AddBrowserHit(const PreparedHit& hit) {
    if (hit.userAgent.empty()) {
        lastHit_.agent = kNoRecord;
        return;
    }
    if (lastAgentPos_ < 0 || !hit.sameAgent) {
        bool added;
        lastAgentPos_ = browsers.keys.FindOrAdd(
            hit.userAgent, KeyHash(hit.agentHash, hit.sameAgent, hit.userAgent), added);
        if (added)
            browsers.hits.push_back(0);
    }
    ++browsers.hits[static_cast<std::size_t>(lastAgentPos_)];
    lastHit_.agent = static_cast<std::uint32_t>(lastAgentPos_);
    browserLines_.Append(lastHit_.agent, lastHit_.line);
}

void MonthAnalysis::AddReferrerHit(const PreparedHit& hit, std::int64_t& pagePos,
                                   std::int64_t& queryPos) {
    if (hit.referrer.empty())
        return;
    PageRecords& pages = hit.internal ? internalPages : externalPages;
    bool added = false;
    std::uint32_t pPos;
    if (lastPagePos_ >= 0 && hit.samePage) {  // of the same kind
        pPos = static_cast<std::uint32_t>(lastPagePos_);
    } else {
        pPos = pages.keys.FindOrAdd(hit.page, KeyHash(hit.pageHash, hit.samePage, hit.page), added);
        lastPagePos_ = pPos;
    }
    if (added) {
        pages.hits.push_back(1);
        pages.lastTime.Push(time_);
    } else {
        ++pages.hits[pPos];
        pages.lastTime.Set(pPos, time_);
    }
    (hit.internal ? internalPageLines_ : externalPageLines_).Append(pPos, lastHit_.line);
    pagePos = pPos;
    if (!hit.hasQuery)
        return;

    QueryRecords& queries = hit.internal ? internalQueries : externalQueries;
    const std::uint32_t qPos = queries.keys.FindOrAdd(hit.query, hit.queryHash, added);
    if (added) {
        queries.firstPage.push_back(pPos);
        queries.lastTime.Push(time_);
        queries.firstReferrerQuery.Push(hit.referrer.substr(hit.page.size()));
    } else {
        queries.lastTime.Set(qPos, time_);
    }
    (hit.internal ? internalQuerySites_ : externalQuerySites_).Append(qPos, hit.siteLength);
    queryPos = qPos;
}

// Lists the host, the referring page and the query of the hit in the file
// record, and the file in their records: each pair once, in order of first
// appearance. The pair's set decides for both lists.
void MonthAnalysis::LinkFileReferrer(std::uint32_t filePos, std::uint32_t hostPos, bool internal,
                                     std::int64_t queryPos, std::int64_t pagePos) {
    if (queryPos >= 0) {
        LinkPair(internal ? internalQueryFiles_ : externalQueryFiles_,
                 internal ? internalQueries.files : externalQueries.files,
                 static_cast<std::uint32_t>(queryPos),
                 internal ? files.internalQueries : files.externalQueries, filePos);
    }
    if (pagePos >= 0) {
        LinkPair(internal ? internalPageFiles_ : externalPageFiles_,
                 internal ? internalPages.files : externalPages.files,
                 static_cast<std::uint32_t>(pagePos),
                 internal ? files.internalPages : files.externalPages, filePos);
    }
    LinkPair(hostFiles_, hosts.files, hostPos, files.hosts, filePos);
}

}  // namespace trafikon
