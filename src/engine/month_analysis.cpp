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

MonthAnalysis::MonthAnalysis(std::string siteUrl)
    : siteUrl_(std::move(siteUrl)), decoder_(std::make_unique<QueryDecoder>()) {}

MonthAnalysis::~MonthAnalysis() = default;

void MonthAnalysis::AddHit(const HitFields& hit, std::uint32_t lineNumber) {
    // A line without a readable day counts in the current day and changes nothing.
    const int day = DayOfTimestamp(hit.time);
    if (day != 0 && day != previousDay_) {
        currentDay_ = day;
        previousDay_ = day;
        ++dayChanges;
        ++dayStamp_;  // empties the hosts seen this day
    }
    const int d = currentDay_ - 1;

    const std::uint32_t filePos = AddFileHit(hit, lineNumber);
    AddStatusHit(hit, lineNumber, filePos);
    const std::uint32_t hostPos = AddHostHit(hit, filePos, lineNumber);
    AddBrowserHit(hit, lineNumber);
    const bool internal = !siteUrl_.empty() && hit.referrer.starts_with(siteUrl_);
    std::int64_t pagePos = -1, queryPos = -1;
    AddReferrerHit(hit, filePos, lineNumber, internal, pagePos, queryPos);
    LinkFileReferrer(filePos, hostPos, internal, queryPos, pagePos);

    if (hostSeenStamp_[hostPos] != dayStamp_) {
        hostSeenStamp_[hostPos] = dayStamp_;
        ++days.visitors[d];
    }
    ++days.hits[d];
    std::int64_t bytes;
    if (ParseLogNumber(hit.bytes, bytes)) {
        std::int64_t& total = days.bytes[d];
        if (__builtin_add_overflow(total, bytes, &total))
            total = std::numeric_limits<std::int64_t>::max();
    }
}

std::uint32_t MonthAnalysis::AddFileHit(const HitFields& hit, std::uint32_t lineNumber) {
    const std::string_view path = RequestPath(hit.request);
    bool added;
    const std::uint32_t pos = files.Add(path, lineNumber, added);
    if (added) {
        files.type.push_back(FileTypeOfPath(path));
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

void MonthAnalysis::AddStatusHit(const HitFields& hit, std::uint32_t lineNumber,
                                 std::uint32_t filePos) {
    const int slot = StatusSlotOfText(hit.status);
    if (slot < 0)
        return;
    ++status[slot].hits;
    status[slot].lines.push_back(lineNumber);
    statusFiles.Add(static_cast<std::uint32_t>(slot), filePos);
}

std::uint32_t MonthAnalysis::AddHostHit(const HitFields& hit, std::uint32_t filePos,
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
    hosts.files.Add(pos, filePos);
    return pos;
}

void MonthAnalysis::AddBrowserHit(const HitFields& hit, std::uint32_t lineNumber) {
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

void MonthAnalysis::AddReferrerHit(const HitFields& hit, std::uint32_t filePos,
                                   std::uint32_t lineNumber, bool internal, std::int64_t& pagePos,
                                   std::int64_t& queryPos) {
    const std::string_view referrer = hit.referrer;
    if (referrer.empty() || referrer == "-")
        return;
    const auto question = referrer.find('?');
    const std::string_view page = referrer.substr(0, question);

    PageRecords& pages = internal ? internalPages : externalPages;
    bool added;
    const std::uint32_t pPos = pages.Add(page, lineNumber, added);
    if (added)
        pages.lastTime.emplace_back(hit.time);
    else
        pages.lastTime[pPos].assign(hit.time);
    pages.files.Add(pPos, filePos);
    pagePos = pPos;
    if (question == std::string_view::npos)
        return;

    decoder_->DecodeQuery(referrer.substr(question + 1), referrer, query_);
    const std::uint32_t siteLength = ReferrerSiteLength(referrer);
    QueryRecords& queries = internal ? internalQueries : externalQueries;
    const std::uint32_t qPos = queries.keys.FindOrAdd(query_, added);
    if (added) {
        queries.firstPage.push_back(pPos);
        queries.siteLength.emplace_back();
        queries.lastTime.emplace_back(hit.time);
        queries.firstReferrer.emplace_back(referrer);
        queries.firstSiteLength.push_back(siteLength);
    } else {
        queries.lastTime[qPos].assign(hit.time);
    }
    queries.siteLength[qPos].push_back(siteLength);
    queries.files.Add(qPos, filePos);
    queryPos = qPos;
}

void MonthAnalysis::LinkFileReferrer(std::uint32_t filePos, std::uint32_t hostPos, bool internal,
                                     std::int64_t queryPos, std::int64_t pagePos) {
    if (queryPos >= 0)
        (internal ? files.internalQueries : files.externalQueries)
            .Add(filePos, static_cast<std::uint32_t>(queryPos));
    if (pagePos >= 0)
        (internal ? files.internalPages : files.externalPages)
            .Add(filePos, static_cast<std::uint32_t>(pagePos));
    files.hosts.Add(filePos, hostPos);
}

}  // namespace trafikon
