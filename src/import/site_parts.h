// SPDX-License-Identifier: GPL-3.0-or-later
// The sites one file's lines are filed into, each with everything the import
// guarantees a site: its store lock, its journal, its list of imported logs.
//
// The file is read once. Each site that a line goes to has its own open
// months and journal, and records the log in its own list when it received
// lines. At the end the sites are finished one by one, the site the import
// was aimed at last; as each site's months and list change together, a kill
// between two sites leaves each of them whole, and the aimed site, whose
// list tells where the next import of the log starts, never further than
// another. A site's own list tells which lines it already holds: a line
// before the offset the site imported is passed over, so that a file read
// again from the aimed site's offset never stores a line twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "import/imported_log_book.h"
#include "import/open_months.h"
#include "import/vhost_sites.h"
#include "store/store_lock.h"

namespace trafikon {

struct LogToImport;

// The sites other than the aimed one that a run files lines into: each is
// locked (StoreBusy when another writer holds it), tidied and its list read
// at first sight, and stays so for the whole run.
class RoutedSites {
  public:
    explicit RoutedSites(const VhostRouting& routing) : routing_(routing), sites_(routing_) {}

    struct Site {
        explicit Site(const std::string& siteDir);
        std::string dir;
        StoreWriteLock lock;
        ImportedLogBook book;
    };
    Site& Of(int number);
    VhostSites& sites() { return sites_; }
    const VhostRouting& routing() const { return routing_; }

  private:
    VhostRouting routing_;
    VhostSites sites_;
    std::map<int, std::unique_ptr<Site>> open_;
};

// One site's share of the file in hand.
struct SitePart {
    SitePart(int number, const std::string& siteDir, ImportedLogBook& book, std::size_t maxOpen,
             const MonthWriting& writing)
        : number(number), dir(siteDir), book(book), months(dir, maxOpen, writing) {}
    int number;
    std::string dir;
    ImportedLogBook& book;
    OpenMonths months;
    std::uint64_t skipBefore = 0;  // content offset of the first line the site lacks
    std::uint64_t lastUse = 0;
    bool done = false;
};

class FileParts {
  public:
    // Months open at once over all the sites of a routed file, and how each
    // is written: small buffers, through the cache (no writing thread each).
    static constexpr std::size_t kMaxOpenAll = 64;
    static constexpr MonthWriting kRoutedWriting{64 * 1024, 64 * 1024, false};

    // The aimed site alone, or, with `routed`, every site of the lines.
    FileParts(const std::string& aimedDir, ImportedLogBook& aimedBook, RoutedSites* routed);

    bool routed() const { return routed_ != nullptr; }
    SitePart& aimed() { return *aimed_; }
    // The part of the site of a line whose virtual host field holds `value`.
    // A site met for the first time in the file reads in its list what it
    // holds of `log`. Throws IoError.
    SitePart& Of(std::string_view value, const LogToImport& log);
    // The writer of month `key` of `part`, within kMaxOpenAll. Throws IoError.
    MonthWriter& Writer(SitePart& part, const std::string& key);

    // The file was read to the end of `source`: each site that received
    // lines (and the aimed one when `recordAimed`) records it, then every
    // site is finished, the aimed one last. Adds the keys that received
    // lines to `aimedMonths` and `otherMonths`. Throws IoError.
    void Finish(const LogSource& source, bool recordAimed, std::set<std::string>& aimedMonths,
                std::map<int, std::set<std::string>>& otherMonths);
    // The import of the file failed: every site not finished is put back.
    void Abandon() noexcept;

  private:
    RoutedSites* routed_;
    std::unique_ptr<SitePart> aimed_;
    std::map<int, std::unique_ptr<SitePart>> others_;
    SitePart* last_ = nullptr;  // of the last line
    std::size_t open_ = 0;      // months open over all parts
    std::uint64_t clock_ = 0;
};

}  // namespace trafikon
