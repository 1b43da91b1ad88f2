// SPDX-License-Identifier: GPL-3.0-or-later
// The hints that ask for a coming hit's records while earlier hits are
// counted: on a busy month the tables are far larger than the caches.
#include "engine/month_analysis.h"

namespace trafikon {

namespace {

// Asks for element `i` of `v` when it has one.
template <typename Values>
void PrefetchAt(const Values& v, std::int64_t i) {
    if (i >= 0 && static_cast<std::size_t>(i) < v.size())
        PrefetchLine(&v[static_cast<std::size_t>(i)]);
}

}  // namespace

MonthAnalysis::GuessedRecords MonthAnalysis::PrefetchRecords(const HitFacts& hit) const {
    GuessedRecords guessed;
    const std::int64_t file = guessed.file = files.keys.GuessPosition(hit.pathHash);
    if (file >= 0) {
        const auto f = static_cast<std::uint32_t>(file);
        PrefetchAt(files.hits, file);
        PrefetchAt(files.type, file);
        PrefetchAt(files.statusSlots, file);
        PrefetchAt(files.lastStatus, file);
        files.lastTime.Prefetch(f);
        fileLines_.Prefetch(f);
    }
    if (!hit.sameHost) {
        const std::int64_t host = guessed.host = hosts.keys.GuessPosition(hit.hostHash);
        if (host >= 0) {
            const auto h = static_cast<std::uint32_t>(host);
            PrefetchAt(hosts.hits, host);
            PrefetchAt(hostSeenStamp_, host);
            hosts.lastTime.Prefetch(h);
            hostLines_.Prefetch(h);
            hosts.files.Prefetch(h);  // searched by LinkPair
        }
    }
    if (!hit.sameAgent) {
        const std::int64_t agent = guessed.agent = browsers.keys.GuessPosition(hit.agentHash);
        PrefetchAt(browsers.hits, agent);
        if (agent >= 0)
            browserLines_.Prefetch(static_cast<std::uint32_t>(agent));
    }
    if (hit.pageHash != 0) {
        const PageRecords& pages = hit.internal ? internalPages : externalPages;
        const std::int64_t page = guessed.page = pages.keys.GuessPosition(hit.pageHash);
        if (page >= 0) {
            const auto p = static_cast<std::uint32_t>(page);
            PrefetchAt(pages.hits, page);
            pages.lastTime.Prefetch(p);
            (hit.internal ? internalPageLines_ : externalPageLines_).Prefetch(p);
            pages.files.Prefetch(p);
        }
    }
    if (hit.hasQuery) {
        const QueryRecords& queries = hit.internal ? internalQueries : externalQueries;
        const std::int64_t query = guessed.query = queries.keys.GuessPosition(hit.queryHash);
        if (query >= 0) {
            const auto q = static_cast<std::uint32_t>(query);
            queries.lastTime.Prefetch(q);
            (hit.internal ? internalQuerySites_ : externalQuerySites_).Prefetch(q);
            queries.files.Prefetch(q);
        }
    }
    return guessed;
}

void MonthAnalysis::PrefetchListEnds(const HitFacts& hit, const GuessedRecords& guessed) const {
    const std::int64_t file = guessed.file;
    // The end of record `a`'s own line list, the list of `a` that LinkPair
    // searches, or the pair in the set.
    const auto ask = [file](const PackedLists& own, const IdLists& lists, const PairSet& pairs,
                            std::int64_t a) {
        if (a < 0)
            return;
        own.PrefetchEnd(static_cast<std::uint32_t>(a));
        lists.PrefetchEnd(static_cast<std::uint32_t>(a));
        if (file >= 0)
            pairs.Prefetch(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(file));
    };
    if (file >= 0)
        fileLines_.PrefetchEnd(static_cast<std::uint32_t>(file));
    if (!hit.sameHost)
        ask(hostLines_, hosts.files, hostFiles_, guessed.host);
    if (!hit.sameAgent && guessed.agent >= 0)
        browserLines_.PrefetchEnd(static_cast<std::uint32_t>(guessed.agent));
    if (hit.pageHash != 0) {
        const PageRecords& pages = hit.internal ? internalPages : externalPages;
        ask(PageLines(hit.internal), pages.files,
            hit.internal ? internalPageFiles_ : externalPageFiles_, guessed.page);
    }
    if (hit.hasQuery) {
        const QueryRecords& queries = hit.internal ? internalQueries : externalQueries;
        ask(QuerySiteLengths(hit.internal), queries.files,
            hit.internal ? internalQueryFiles_ : externalQueryFiles_, guessed.query);
    }
}

}  // namespace trafikon
