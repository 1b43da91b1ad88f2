// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/site_list.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "store/cp1252.h"
#include "store/data_store.h"
#include "store/store_lock.h"
#include "store/text_file.h"

namespace trafikon {
namespace {

constexpr int kMaxSiteNumber = 1000000;

// A site number written as the store writes it: digits without a leading zero.
std::optional<int> SiteNumberOf(std::string_view text) {
    if (text.empty() || text.size() > 7 || text[0] == '0')
        return std::nullopt;
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > kMaxSiteNumber)
        return std::nullopt;
    return n;
}

std::vector<std::string> SplitHosts(std::string_view text) {
    std::vector<std::string> hosts;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        std::size_t end = i;
        while (end < text.size() && text[end] != ' ')
            ++end;
        if (end > i)
            hosts.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return hosts;
}

// A name or host as one line's field: no line ends, no separator in a host.
std::string OneLine(std::string_view text) {
    std::string s(text);
    std::replace(s.begin(), s.end(), '\r', ' ');
    std::replace(s.begin(), s.end(), '\n', ' ');
    return s;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Cp1252ToLower(static_cast<unsigned char>(a[i])) !=
            Cp1252ToLower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

SiteEntry& EntryFor(std::vector<SiteEntry>& sites, int number) {
    for (SiteEntry& s : sites)
        if (s.number == number)
            return s;
    sites.push_back(SiteEntry{number, {}, {}});
    return sites.back();
}

void AddSiteFolders(const std::string& dataDir, std::vector<SiteEntry>& sites) {
    DIR* dir = opendir(dataDir.c_str());
    if (dir == nullptr) {
        if (errno == ENOENT || errno == ENOTDIR)
            return;
        ThrowErrno(dataDir);
    }
    while (const dirent* entry = readdir(dir)) {
        const std::optional<int> n = SiteNumberOf(entry->d_name);
        struct stat st;
        if (n && lstat((dataDir + entry->d_name).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            EntryFor(sites, *n);
    }
    closedir(dir);
}

}  // namespace

std::vector<SiteEntry> ReadSiteList(const std::string& programDir) {
    const std::string dataDir = DataDir(programDir);
    std::vector<SiteEntry> sites;
    EntryFor(sites, kSiteNumber);
    for (const std::string& line :
         ReadTextLinesIfExists(dataDir + std::string(kSiteListFileName))) {
        const std::size_t first = line.find(';');
        const std::size_t second = first == std::string::npos ? first : line.find(';', first + 1);
        if (second == std::string::npos)
            continue;
        const std::optional<int> n = SiteNumberOf(std::string_view(line).substr(0, first));
        if (!n)
            continue;
        SiteEntry& site = EntryFor(sites, *n);
        site.hosts = SplitHosts(std::string_view(line).substr(first + 1, second - first - 1));
        site.name = line.substr(second + 1);
    }
    AddSiteFolders(dataDir, sites);
    std::sort(sites.begin(), sites.end(),
              [](const SiteEntry& a, const SiteEntry& b) { return a.number < b.number; });
    return sites;
}

void WriteSiteList(const std::string& programDir, const std::vector<SiteEntry>& sites) {
    Lines lines;
    for (const SiteEntry& site : sites) {
        if (site.name.empty() && site.hosts.empty())
            continue;
        std::string line = std::to_string(site.number) + ';';
        for (const std::string& host : site.hosts) {
            std::string h = OneLine(host);
            h.erase(std::remove(h.begin(), h.end(), ';'), h.end());
            h.erase(std::remove(h.begin(), h.end(), ' '), h.end());
            if (h.empty())
                continue;
            if (line.back() != ';')
                line += ' ';
            line += h;
        }
        line += ';';
        line += OneLine(site.name);
        lines.push_back(std::move(line));
    }
    const std::string dataDir = DataDir(programDir);
    std::error_code ec;
    std::filesystem::create_directories(dataDir, ec);  // a failure shows at the write
    WriteTextLines(dataDir + std::string(kSiteListFileName), lines);
}

std::optional<int> FindSite(const std::vector<SiteEntry>& sites, std::string_view text) {
    if (const std::optional<int> n = SiteNumberOf(text))
        return SiteOf(sites, *n) ? n : std::nullopt;
    if (text.empty())
        return std::nullopt;
    for (const SiteEntry& site : sites)
        if (EqualIgnoringCase(site.name, text))
            return site.number;
    for (const SiteEntry& site : sites)
        for (const std::string& host : site.hosts)
            if (EqualIgnoringCase(host, text))
                return site.number;
    return std::nullopt;
}

const SiteEntry* SiteOf(const std::vector<SiteEntry>& sites, int number) {
    for (const SiteEntry& site : sites)
        if (site.number == number)
            return &site;
    return nullptr;
}

int AddSite(const std::string& programDir, const std::string& name,
            const std::vector<std::string>& hosts) {
    const std::string dataDir = DataDir(programDir);
    std::error_code ec;
    std::filesystem::create_directories(dataDir, ec);
    const StoreWriteLock lock(dataDir);
    std::vector<SiteEntry> sites = ReadSiteList(programDir);
    const int number = sites.back().number + 1;
    if (number > kMaxSiteNumber)
        throw IoError(dataDir, "too many sites");
    const std::string siteDir = SiteDir(programDir, number);
    if (::mkdir(siteDir.c_str(), 0777) != 0 && errno != EEXIST)
        ThrowErrno(siteDir);
    sites.push_back(SiteEntry{number, name, hosts});
    WriteSiteList(programDir, sites);
    return number;
}

void RenameSite(const std::string& programDir, int number, const std::string& name) {
    const std::string dataDir = DataDir(programDir);
    const StoreWriteLock lock(dataDir);
    std::vector<SiteEntry> sites = ReadSiteList(programDir);
    EntryFor(sites, number).name = name;
    WriteSiteList(programDir, sites);
}

bool DeleteSite(const std::string& programDir, int number) {
    if (number == kSiteNumber)
        return false;
    const std::string dataDir = DataDir(programDir);
    const StoreWriteLock listLock(dataDir);
    const std::string siteDir = SiteDir(programDir, number);
    // The folder's own name, without the final "/" that would make every
    // call follow a link: a site folder that is a link loses the link alone,
    // never what it points to (another site's files, say).
    const std::string folder = siteDir.substr(0, siteDir.size() - 1);
    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0) {
        if (errno != ENOENT)
            ThrowErrno(folder);
    } else if (!S_ISDIR(st.st_mode)) {
        if (::unlink(folder.c_str()) != 0)
            ThrowErrno(folder);
    } else {
        const StoreWriteLock siteLock(siteDir);
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        if (ec)
            throw IoError(siteDir, ec.message());
    }
    std::vector<SiteEntry> sites = ReadSiteList(programDir);
    std::erase_if(sites, [&](const SiteEntry& s) { return s.number == number; });
    WriteSiteList(programDir, sites);
    return true;
}

int ReadChosenSite(const std::string& programDir) {
    Lines lines;
    try {
        lines = ReadTextLinesIfExists(DataDir(programDir) + std::string(kChosenSiteFileName));
    } catch (const IoError&) {
        return kSiteNumber;
    }
    if (lines.empty())
        return kSiteNumber;
    const std::optional<int> n = SiteNumberOf(lines.front());
    if (!n || !DirectoryExists(SiteDir(programDir, *n)))
        return kSiteNumber;
    return *n;
}

void WriteChosenSite(const std::string& programDir, int number) {
    WriteTextLines(DataDir(programDir) + std::string(kChosenSiteFileName),
                   Lines{std::to_string(number)});
}

}  // namespace trafikon
