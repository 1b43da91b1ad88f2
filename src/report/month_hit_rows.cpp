// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/month_hit_rows.h"

#include <charconv>

#include "engine/agent_family.h"
#include "engine/key_map.h"
#include "engine/month_analysis.h"
#include "geo/address_mask.h"
#include "geo/country_database.h"
#include "report/hit_columns.h"
#include "report/report_text.h"
#include "store/month_file_names.h"

namespace trafikon::report {

namespace {

// Agents kept classified at once; past that the cache starts again, so that a
// month of endless distinct agents keeps its memory.
constexpr std::size_t kMaxAgents = 1 << 15;

void AppendNumber(std::string& out, std::int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

// Appends `value` (0 or more) in `width` digits, zeros in front.
void AppendDigits(std::string& out, int value, int width) {
    char digits[8];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = static_cast<char>('0' + value % 10);
    out.append(digits, static_cast<std::size_t>(width));
}

// The value of a run of ASCII digits, -1 when there is anything else.
int Digits(std::string_view text) {
    int value = 0;
    if (text.empty())
        return -1;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The characters of `text` from `at`, as many as there are of `count`.
std::string_view Part(std::string_view text, std::size_t at, std::size_t count) {
    return at < text.size() ? text.substr(at, count) : std::string_view();
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return std::int64_t{era} * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<int>(z - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y = static_cast<int>(yoe + era * 400) + (m <= 2);
}

// The zone of an Apache time ("[24/Mar/2002:01:37:08 +0100]") in minutes
// ahead of UTC; 0 when it has none.
int ZoneMinutes(std::string_view t) {
    const std::size_t blank = t.rfind(' ');
    if (blank == std::string_view::npos || t.size() < blank + 6)
        return 0;
    const char sign = t[blank + 1];
    const int hours = Digits(Part(t, blank + 2, 2)), minutes = Digits(Part(t, blank + 4, 2));
    if ((sign != '+' && sign != '-') || hours < 0 || minutes < 0 || hours > 23 || minutes > 59)
        return 0;
    return (sign == '-' ? -1 : 1) * (hours * 60 + minutes);
}

// The host of a referrer: after its "scheme://", up to its path, query or
// fragment; empty for a referrer that names no site.
std::string_view ReferrerHost(std::string_view referrer) {
    const std::size_t scheme = referrer.find("://");
    if (scheme == std::string_view::npos || scheme > 10)
        return {};
    const std::string_view rest = referrer.substr(scheme + 3);
    return rest.substr(0, rest.find_first_of("/?#"));
}

void Tab(std::string& out) {
    out.push_back('\t');
}

// True when `text` is well-formed UTF-8.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80         ? 1
                              : (c >> 5) == 6  ? 2
                              : (c >> 4) == 14 ? 3
                              : (c >> 3) == 30 ? 4
                                               : 0;
        if (n == 0 || (n > 1 && c < 0xC2) || i + n > text.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

}  // namespace

MonthHitRows::MonthHitRows(const HitExportSource& source)
    : source_(source),
      format_(ReadFormatFile(MonthFormatPath(source.siteDir, source.monthKey))),
      agentsLogged_(format_.find('U') != std::string::npos),
      zoneLogged_(format_.find('t') != std::string::npos),
      signatures_(LoadRobotSignatures(ProgramDirOfSite(SiteFolderPrefix(source.siteDir)))),
      splitter_(format_),
      preparer_(std::make_unique<HitPreparer>(std::string())),
      countries_(std::make_unique<CountryDatabase>(source.countryDatabase)) {
    ReadHostFlags();
    reader_ = std::make_unique<LineReader>(StoredLogPath(source_.siteDir, source_.monthKey));
}

MonthHitRows::~MonthHitRows() = default;

bool MonthHitRows::NextHit(LineReader& reader, std::uint64_t& number, bool countSkipped) {
    std::string_view line;
    while (reader.Next(line)) {
        ++number;
        if (!line.empty() && line[0] == '#')
            continue;  // comment lines are no hits
        if (!splitter_.Split(line)) {
            skipped_ += countSkipped;
            continue;
        }
        splitter_.Complete();
        return true;
    }
    return false;
}

void MonthHitRows::ReadHostFlags() {
    const std::string log = StoredLogPath(source_.siteDir, source_.monthKey);
    std::uint64_t number = 0;
    {
        LineReader reader(log);
        while (NextHit(reader, number, false))
            if (RequestPath(splitter_['r']) == "/robots.txt")
                hostFlags_[HashBytes(splitter_['h'])] |= kAskedRobotsTxt;
    }
    if (hostFlags_.empty())
        return;
    LineReader reader(log);
    while (NextHit(reader, number, false)) {
        const auto host = hostFlags_.find(HashBytes(splitter_['h']));
        if (host == hostFlags_.end())
            continue;
        const std::string_view path = RequestPath(splitter_['r']);
        host->second |= HostFlagsOfHit(path, FileTypeOfPath(path) == kPageFile,
                                       AgentOf(splitter_['U']).cls.browser);
    }
}

const MonthHitRows::Agent& MonthHitRows::AgentOf(std::string_view userAgent) {
    const std::uint64_t hash = HashBytes(userAgent);
    if (const auto found = agents_.find(hash); found != agents_.end())
        return found->second;
    if (agents_.size() >= kMaxAgents)
        agents_.clear();
    Agent agent{ClassifyAgent(signatures_, userAgent, agentsLogged_), BrowserFamilyOf(userAgent),
                SystemOf(userAgent)};
    return agents_.emplace(hash, std::move(agent)).first->second;
}

std::int64_t MonthHitRows::AppendTime(std::string& out) {
    // d (YYYY-MM-DD) and H (hh:mm:ss) as the splitter completes them; a log
    // without t (IIS) writes UTC.
    const std::string_view d = splitter_['d'], h = splitter_['H'];
    const int year = Digits(Part(d, 0, 4)), month = Digits(Part(d, 5, 2)),
              day = Digits(Part(d, 8, 2));
    const int hour = Digits(Part(h, 0, 2)), minute = Digits(Part(h, 3, 2)),
              second = Digits(Part(h, 6, 2));
    const int zone = zoneLogged_ ? ZoneMinutes(splitter_['t']) : 0;
    if (d.size() != 10 || h.size() != 8 || year < 1971 || month < 1 || month > 12 || day < 1 ||
        day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 60) {
        out.append("0000-00-00 00:00:00\t");
        AppendNumber(out, zone);
        return INT64_MIN;
    }
    const std::int64_t local =
        DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    const std::int64_t utc = local - std::int64_t{zone} * 60;
    int y, m, dd;
    CivilFromDays(utc / 86400, y, m, dd);
    const auto s = static_cast<int>(utc % 86400);
    AppendDigits(out, y, 4);
    out.push_back('-');
    AppendDigits(out, m, 2);
    out.push_back('-');
    AppendDigits(out, dd, 2);
    out.push_back(' ');
    AppendDigits(out, s / 3600, 2);
    out.push_back(':');
    AppendDigits(out, s / 60 % 60, 2);
    out.push_back(':');
    AppendDigits(out, s % 60, 2);
    out.push_back('\t');
    AppendNumber(out, zone);
    return utc;
}

void MonthHitRows::TakeHost(std::string_view host) {
    // Hits of one host come in runs: its shown form and place are kept.
    if (haveLastHost_ && host == lastHost_)
        return;
    lastHost_.assign(host);
    lastHostText_.clear();
    AppendTsvValue(lastHostText_, source_.maskHosts ? MaskedHost(host) : std::string(host));
    const GeoPlace place = countries_->Locate(host);
    lastPlace_.clear();
    if (place.known())
        lastPlace_.append(place.country.data(), 2);
    lastPlace_.push_back('\t');
    std::string city;
    for (const char c : place.city)
        AppendCp1252AsUtf8(city, static_cast<unsigned char>(c));
    AppendTsvValue(lastPlace_, city);
    haveLastHost_ = true;
}

bool MonthHitRows::Next(std::string& out) {
    if (!NextHit(*reader_, line_, true))
        return false;
    const HitFields fields = HitFieldsOf(splitter_);
    const PreparedHit hit = preparer_->Prepare(fields);
    TakeHost(hit.host);
    const Agent& agent = AgentOf(hit.userAgent);

    AppendNumber(out, source_.site);
    Tab(out);
    const std::int64_t utc = AppendTime(out);
    Tab(out);
    out.append(lastHostText_);
    Tab(out);
    // The request line: method, target, protocol ("GET /a?b HTTP/1.1").
    const std::string_view request = fields.request;
    const std::size_t blank = request.find(' ');
    const std::string_view method =
        blank == std::string_view::npos ? std::string_view() : request.substr(0, blank);
    std::string_view target = blank == std::string_view::npos ? request : request.substr(blank + 1);
    std::string_view protocol;
    if (const std::size_t end = target.rfind(' '); end != std::string_view::npos) {
        protocol = target.substr(end + 1);
        target = target.substr(0, end);
    }
    std::string_view query;
    if (const std::size_t q = target.find('?'); q != std::string_view::npos)
        query = target.substr(q + 1, target.find('#', q) - q - 1);
    AppendTsvValue(out, method);
    Tab(out);
    AppendTsvValue(out, hit.path);
    Tab(out);
    AppendTsvValue(out, query);
    Tab(out);
    AppendTsvValue(out, protocol);
    Tab(out);
    std::int64_t status = 0;
    if (!ParseLogNumber(hit.status, status) || status > 65535)
        status = 0;
    AppendNumber(out, status);
    Tab(out);
    AppendNumber(out, hit.hasBytes ? hit.bytes : 0);
    Tab(out);
    AppendTsvValue(out, hit.referrer);
    Tab(out);
    AppendTsvValue(out, ReferrerHost(hit.referrer));
    Tab(out);
    // The decoder gives Windows-1252 when the referrer declared UTF-8, and
    // the bytes as they were otherwise: rows carry UTF-8 either way.
    if (hit.hasQuery && IsUtf8(hit.query)) {
        AppendTsvValue(out, hit.query);
    } else if (hit.hasQuery) {
        utf8_.clear();
        for (const char c : hit.query)
            AppendCp1252AsUtf8(utf8_, static_cast<unsigned char>(c));
        AppendTsvValue(out, utf8_);
    }
    Tab(out);
    AppendTsvValue(out, hit.userAgent);
    Tab(out);
    AppendTsvValue(out, agent.browser);
    Tab(out);
    AppendTsvValue(out, agent.system);
    Tab(out);
    const auto flags = hostFlags_.find(HashBytes(hit.host));
    const RobotKind kind = HitRobotKind(agent.cls.match.kind, agent.cls.browser,
                                        flags == hostFlags_.end() ? 0 : flags->second);
    out.append(kind == RobotKind::kPerson ? "0\t" : "1\t");
    // Under the /robots.txt rule a robot is named by its user agent, "-" for none.
    if (kind == RobotKind::kRobotsTxt)
        AppendTsvValue(out, hit.userAgent.empty() ? std::string_view("-") : hit.userAgent);
    else if (kind != RobotKind::kPerson)
        AppendTsvValue(out, agent.cls.match.name);
    Tab(out);
    out.append(lastPlace_);
    Tab(out);
    AppendTsvValue(out, source_.monthKey);
    Tab(out);
    AppendNumber(out, static_cast<std::int64_t>(line_));
    Tab(out);
    // A visitor is a host with a user agent, as the visits of the analysis.
    const std::uint64_t visitor = HashBytes(hit.host) * 31 + HashBytes(hit.userAgent);
    AppendNumber(out,
                 utc == INT64_MIN ? 0 : static_cast<std::int64_t>(visits_.Number(visitor, utc)));
    out.push_back('\n');
    return true;
}

}  // namespace trafikon::report
