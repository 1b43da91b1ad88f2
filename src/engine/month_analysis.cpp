#include "engine/month_analysis.h"

#include <limits>

#include "engine/query_decoder.h"

namespace trafikon {

namespace {

constexpr std::string_view kPageExtensions =
    ".php,.php3,.htm,.html,.xhtml,.jsp,.asp,.cfm,.dhtml,.cgi,.pl";
constexpr std::string_view kImageExtensions = ".jpeg,.jpg,.gif,.png";
constexpr std::string_view kArchiveExtensions = ".zip,.exe,.rar";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string_view RequestPath(std::string_view request) {
    std::string_view path = request;
    const auto method = path.find(' ');
    if (method != std::string_view::npos)
        path.remove_prefix(method + 1);
    const auto protocol = path.find(' ');
    if (protocol != std::string_view::npos)
        path = path.substr(0, protocol);
    const auto query = path.find('?');
    if (query != std::string_view::npos)
        path = path.substr(0, query);
    const auto fragment = path.find('#');
    if (fragment != std::string_view::npos)
        path = path.substr(0, fragment);
    return path;
}

FileType FileTypeOfPath(std::string_view path) {
    // Only the last five characters are scanned for the dot of an extension.
    const std::size_t n = path.size();
    const std::size_t stop = n > 5 ? n - 5 : 0;
    char ext[5];
    std::size_t extLen = 0;
    for (std::size_t i = n; i > stop; --i) {
        const char c = path[i - 1];
        if (c == '/')
            break;
        if (c == '.') {
            for (std::size_t k = i - 1; k < n; ++k) {
                const char e = path[k];
                ext[extLen++] = (e >= 'A' && e <= 'Z') ? static_cast<char>(e - 'A' + 'a') : e;
            }
            break;
        }
    }
    const std::string_view extension(ext, extLen);
    if (extLen == 0 || kPageExtensions.find(extension) != std::string_view::npos)
        return kPage;
    if (kImageExtensions.find(extension) != std::string_view::npos)
        return kImage;
    if (kArchiveExtensions.find(extension) != std::string_view::npos)
        return kArchive;
    return kOtherFile;
}

bool ParseLogNumber(std::string_view text, std::int64_t& value) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '+')
        ++i;
    if (i == text.size())
        return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (!IsDigit(c))
            return false;
        if (__builtin_mul_overflow(v, 10, &v) || __builtin_add_overflow(v, c - '0', &v))
            return false;
    }
    value = v;
    return true;
}

int DayOfTimestamp(std::string_view time) {
    if (time.size() < 3 || !IsDigit(time[1]) || !IsDigit(time[2]))
        return 0;
    const int day = (time[1] - '0') * 10 + (time[2] - '0');
    return day >= 1 && day <= 31 ? day : 0;
}

std::uint32_t ReferrerSiteLength(std::string_view referrer) {
    std::size_t p = 9;
    while (p < referrer.size() && referrer[p - 1] != '/')
        ++p;
    return static_cast<std::uint32_t>(p);
}

int StatusSlotOfText(std::string_view status) {
    std::int64_t code;
    if (!ParseLogNumber(status, code) || code > 1000)
        return -1;
    return StatusSlot(static_cast<int>(code));
}

std::uint32_t LineRecords::Add(std::string_view key, std::uint32_t lineNumber, bool& added) {
    const std::uint32_t pos = keys.FindOrAdd(key, added);
    if (added)
        lines.emplace_back();
    lines[pos].push_back(lineNumber);
    return pos;
}

HitPreparer::HitPreparer(std::string siteUrl)
    : siteUrl_(std::move(siteUrl)), decoder_(std::make_unique<QueryDecoder>()) {}

HitPreparer::~HitPreparer() = default;

PreparedHit HitPreparer::Prepare(const HitFields& hit) {
    PreparedHit p;
    p.path = RequestPath(hit.request);
    p.status = hit.status;
    p.time = hit.time;
    p.host = hit.host;
    p.userAgent = hit.userAgent;
    p.statusSlot = StatusSlotOfText(hit.status);
    p.day = DayOfTimestamp(hit.time);
    p.hasBytes = ParseLogNumber(hit.bytes, p.bytes);
    if (hit.referrer.empty() || hit.referrer == "-")
        return p;
    p.referrer = hit.referrer;
    p.internal = !siteUrl_.empty() && hit.referrer.starts_with(siteUrl_);
    const auto question = hit.referrer.find('?');
    p.page = hit.referrer.substr(0, question);
    if (question != std::string_view::npos) {
        p.hasQuery = true;
        decoder_->DecodeQuery(hit.referrer.substr(question + 1), hit.referrer, query_);
        p.query = query_;
        p.siteLength = ReferrerSiteLength(hit.referrer);
    }
    return p;
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

    const std::uint32_t filePos = AddFileHit(hit, lineNumber);
    AddStatusHit(hit, lineNumber, filePos);
    const std::uint32_t hostPos = AddHostHit(hit, filePos, lineNumber);
    AddBrowserHit(hit, lineNumber);
    // The cross links of the file record (its hosts, referring pages and
    // queries) are listed together with the other side of each pair.
    AddReferrerHit(hit, filePos, lineNumber);

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

std::uint32_t MonthAnalysis::AddFileHit(const PreparedHit& hit, std::uint32_t lineNumber) {
    const std::string_view path = hit.path;
    bool added;
    const std::uint32_t pos = files.Add(path, lineNumber, added);
    if (added) {
        files.type.push_back(FileTypeOfPath(path));
        files.statusSlots.push_back(0);
        files.lastStatus.emplace_back(hit.status);
        files.lastTime.emplace_back(hit.time);
    } else {
        files.lastStatus[pos].assign(hit.status);
        files.lastTime[pos].assign(hit.time);
    }
    if (files.type[pos] == kPage)
        ++days.pages[currentDay_ - 1];
    return pos;
}

void MonthAnalysis::AddStatusHit(const PreparedHit& hit, std::uint32_t lineNumber,
                                 std::uint32_t filePos) {
    const int slot = hit.statusSlot;
    if (slot < 0)
        return;
    ++status[slot].hits;
    status[slot].lines.push_back(lineNumber);
    // The slots are fewer than 64: one bit per slot tells whether the file is listed.
    std::uint64_t& listed = files.statusSlots[filePos];
    const std::uint64_t bit = std::uint64_t{1} << slot;
    if (!(listed & bit)) {
        listed |= bit;
        statusFiles.Append(static_cast<std::uint32_t>(slot), filePos);
    }
}

std::uint32_t MonthAnalysis::AddHostHit(const PreparedHit& hit, std::uint32_t filePos,
                                        std::uint32_t lineNumber) {
    std::uint32_t pos;
    if (lastHostPos_ >= 0 && hit.host == lastHost_) {
        pos = static_cast<std::uint32_t>(lastHostPos_);
        hosts.lines[pos].push_back(lineNumber);
        hosts.lastTime[pos].assign(hit.time);
    } else {
        bool added;
        pos = hosts.Add(hit.host, lineNumber, added);
        if (added) {
            hosts.lastTime.emplace_back(hit.time);
            hostSeenStamp_.push_back(0);
        } else {
            hosts.lastTime[pos].assign(hit.time);
        }
        lastHost_.assign(hit.host);
        lastHostPos_ = pos;
    }
    LinkPair(hostFiles_, hosts.files, pos, files.hosts, filePos);
    return pos;
}

void MonthAnalysis::AddBrowserHit(const PreparedHit& hit, std::uint32_t lineNumber) {
    if (hit.userAgent.empty())
        return;
    if (lastAgentPos_ >= 0 && hit.userAgent == lastAgent_) {
        browsers.lines[static_cast<std::size_t>(lastAgentPos_)].push_back(lineNumber);
        return;
    }
    bool added;
    lastAgentPos_ = browsers.Add(hit.userAgent, lineNumber, added);
    lastAgent_.assign(hit.userAgent);
}

void MonthAnalysis::AddReferrerHit(const PreparedHit& hit, std::uint32_t filePos,
                                   std::uint32_t lineNumber) {
    if (hit.referrer.empty())
        return;
    PageRecords& pages = hit.internal ? internalPages : externalPages;
    bool added;
    const std::uint32_t pPos = pages.Add(hit.page, lineNumber, added);
    if (added)
        pages.lastTime.emplace_back(hit.time);
    else
        pages.lastTime[pPos].assign(hit.time);
    LinkPair(hit.internal ? internalPageFiles_ : externalPageFiles_, pages.files, pPos,
             hit.internal ? files.internalPages : files.externalPages, filePos);
    if (!hit.hasQuery)
        return;

    QueryRecords& queries = hit.internal ? internalQueries : externalQueries;
    const std::uint32_t qPos = queries.keys.FindOrAdd(hit.query, added);
    if (added) {
        queries.firstPage.push_back(pPos);
        queries.siteLength.emplace_back();
        queries.lastTime.emplace_back(hit.time);
        queries.firstReferrer.emplace_back(hit.referrer);
        queries.firstSiteLength.push_back(hit.siteLength);
    } else {
        queries.lastTime[qPos].assign(hit.time);
    }
    queries.siteLength[qPos].push_back(hit.siteLength);
    LinkPair(hit.internal ? internalQueryFiles_ : externalQueryFiles_, queries.files, qPos,
             hit.internal ? files.internalQueries : files.externalQueries, filePos);
}

}  // namespace trafikon
