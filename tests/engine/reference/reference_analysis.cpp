// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/reference/reference_analysis.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

#include "engine/reference/key_index.h"
#include "engine/reference/reference_split.h"
#include "store/data_store.h"
#include "store/log_format.h"
#include "store/month_stats.h"
#include "store/status_table.h"
#include "store/tagged_record.h"
#include "store/text_file.h"
#include "store/top_by_hits.h"
#include "support/store_records.h"

namespace trafikon::testing {
namespace {

// Values taken from log lines may hold a backslash, even a whole tag such as
// "\3;". Inside the in-memory record lines every backslash of a value is
// written as "\e", so that re-reading a record at the next hit finds its own
// fields and an index key never holds "\1;"; the files get the values back as
// they stand. For values without a backslash this changes nothing, so the
// algorithm stays the literal text one.
std::string Escape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        out += c;
        if (c == '\\')
            out += 'e';
    }
    return out;
}

std::string Unescape(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        out += line[i];
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'e')
            ++i;
    }
    return out;
}

std::string Num(long long n) {
    return std::to_string(n);
}

// A number of the log (status, bytes): an optional single "+" and one or more
// ASCII digits, within signed 64 bits.
bool ReadLogNumber(std::string_view text, long long& value) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    unsigned long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        const unsigned d = static_cast<unsigned>(c - '0');
        if (v > (9223372036854775807ULL - d) / 10)
            return false;
        v = v * 10 + d;
    }
    value = static_cast<long long>(v);
    return true;
}

// Counter slot of a status code (0..56), -1 when its class has no slot for it.
int SlotOfCode(long long code) {
    long long base = 400;
    int size = 27, first = 19;
    if (code < 200) {
        base = 100, size = 3, first = 0;
    } else if (code < 300) {
        base = 200, size = 8, first = 3;
    } else if (code < 400) {
        base = 300, size = 8, first = 11;
    } else if (code >= 500) {
        base = 500, size = 11, first = 46;
    }
    const long long d = code - base;
    return (d >= 0 && d < size) ? first + static_cast<int>(d) : -1;
}

// Record position written after the "\1;" of an index line.
long long IndexPosition(const std::string& indexLine) {
    const std::size_t p = indexLine.find("\\1;");
    return ParseInteger(std::string_view(indexLine).substr(p + 3));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Extension of a path scanned back from its last character, over at most
// `limit` characters (0: no limit), up to the first "." or "/".
std::string ExtensionOf(std::string_view path, std::size_t limit) {
    const std::size_t n = path.size();
    const std::size_t stop = (limit == 0 || n <= limit) ? 0 : n - limit;
    for (std::size_t i = n; i > stop; --i) {
        const char c = path[i - 1];
        if (c == '.')
            return std::string(path.substr(i - 1));
        if (c == '/')
            return {};
    }
    return {};
}

bool OccursIn(std::string_view list, std::string_view ext) {
    return list.find(ext) != std::string_view::npos;
}

constexpr std::string_view kPageExtensions =
    ".php,.php3,.htm,.html,.xhtml,.jsp,.asp,.cfm,.dhtml,.cgi,.pl";
constexpr std::string_view kImageExtensions = ".jpeg,.jpg,.gif,.png";
constexpr std::string_view kArchiveExtensions = ".zip,.exe,.rar";

// A result list as text lines with its sorted index.
struct KeyedList {
    Lines lines;
    KeyIndex index;

    // Appends a new record line and indexes its (escaped) key; returns the
    // index position of the new index line.
    int Create(const std::string& key, const std::string& line) {
        lines.push_back(line);
        const long long position = static_cast<long long>(lines.size()) - 1;
        const int at = InsertKey(key, index);
        index[at] += "\\1;" + Num(position);
        return at;
    }
    // Record position of a key, or -1.
    long long Find(const std::string& key) const {
        const int at = FindKey(key, index);
        return at < 0 ? -1 : IndexPosition(index[at]);
    }
};

struct StatusSlot {
    long long count = 0;
    std::string lines = "-";
    std::string files = "-";
};

void AppendIfAbsent(std::string& list, long long n) {
    if (!IdListContains(list, n))
        IdListAppend(list, n);
}

void Increment(std::string& number) {
    number = Num(ParseInteger(number) + 1);
}

class ReferenceRun {
  public:
    ReferenceRun(std::string siteDir, std::string key, std::string siteUrl)
        : siteDir_(std::move(siteDir)), key_(std::move(key)), siteUrl_(std::move(siteUrl)) {}

    ReferenceResult Run(const ReferenceMalformedAnswer& answer, const ReferenceDateText& dateText);

  private:
    void Hit(long long lineNumber);
    long long AddFileHit(long long lineNumber);
    void AddStatusHit(long long lineNumber, long long filePos);
    long long AddHostHit(long long filePos, long long lineNumber);
    void AddBrowserHit(long long lineNumber);
    std::pair<long long, long long> AddReferrerHit(long long filePos, long long lineNumber,
                                                   KeyedList& pages, KeyedList& queries);
    void LinkFileReferrer(long long filePos, long long hostPos, bool internal, long long queryPos,
                          long long pagePos);
    void WriteFiles();
    void WriteMonthStats(const ReferenceDateText& dateText);
    std::string Path(std::string_view prefix) const {
        return siteDir_ + std::string(prefix) + key_ + ".tfd";
    }

    std::string siteDir_, key_, siteUrl_;
    LogFields fields_;
    KeyedList files_, hosts_, browsers_, extPages_, extQueries_, intPages_, intQueries_;
    std::array<StatusSlot, kStatusSlotCount> status_{};
    std::string lastHost_;
    int lastHostIndex_ = -1;
    std::string lastAgent_;
    long long lastAgentPos_ = -1;
    std::array<long long, kDaysInList> hitsPerDay_{}, pagesPerDay_{}, visitorsPerDay_{},
        bytesPerDay_{};
    int previousDay_ = 0;
    int currentDay_ = 1;
    long long dayChanges_ = 0;
    std::string dayHosts_ = "-";
};

long long ReferenceRun::AddFileHit(long long lineNumber) {
    std::string path = fields_['r'];
    std::size_t blank = path.find(' ');
    if (blank != std::string::npos)
        path.erase(0, blank + 1);
    blank = path.find(' ');
    if (blank != std::string::npos)
        path.erase(blank);
    if (const std::size_t q = path.find('?'); q != std::string::npos)
        path.erase(q);
    if (const std::size_t h = path.find('#'); h != std::string::npos)
        path.erase(h);

    const std::string key = Escape(path);
    if (const long long pos = files_.Find(key); pos >= 0) {
        RecordValues v = ReadFields(files_.lines[pos], 12);
        Increment(v[1]);
        IdListAppend(v[2], lineNumber);
        if (v[3] == "1")
            ++pagesPerDay_[currentDay_ - 1];
        v[4] = Escape(fields_['s']);
        v[5] = Escape(fields_['t']);
        files_.lines[pos] = BuildRecord(v, 12);
        return pos;
    }

    std::string ext = ExtensionOf(path, 5);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    char type = '4';
    if (ext.empty() || OccursIn(kPageExtensions, ext)) {
        type = '1';
        ++pagesPerDay_[currentDay_ - 1];
    } else if (OccursIn(kImageExtensions, ext)) {
        type = '2';
    } else if (OccursIn(kArchiveExtensions, ext)) {
        type = '3';
    }
    files_.Create(key, "\\1;" + key + "\\2;1\\3;-" + Num(lineNumber) + "-\\4;" + type + "\\5;" +
                           Escape(fields_['s']) + "\\6;" + Escape(fields_['t']) +
                           "\\7;-\\8;-\\9;-\\10;-\\11;-\\12;-\\13;");
    return static_cast<long long>(files_.lines.size()) - 1;
}

void ReferenceRun::AddStatusHit(long long lineNumber, long long filePos) {
    long long code = 0;
    if (!ReadLogNumber(fields_['s'], code))
        return;
    const int slot = SlotOfCode(code);
    if (slot < 0)
        return;
    StatusSlot& s = status_[slot];
    ++s.count;
    IdListAppend(s.lines, lineNumber);
    AppendIfAbsent(s.files, filePos);
}

long long ReferenceRun::AddHostHit(long long filePos, long long lineNumber) {
    const std::string& h = fields_['h'];
    long long pos = -1;
    // The memory counts only once it holds a host: an empty host on the first
    // hit must not read an index line that does not exist.
    if (lastHostIndex_ >= 0 && h == lastHost_) {
        pos = IndexPosition(hosts_.index[lastHostIndex_]);
    } else {
        const std::string key = Escape(h);
        const int at = FindKey(key, hosts_.index);
        if (at < 0) {
            lastHostIndex_ =
                hosts_.Create(key, "\\1;" + key + "\\2;1\\3;-" + Num(lineNumber) + "-\\4;-" +
                                       Num(filePos) + "-\\5;" + Escape(fields_['t']) + "\\6;");
            lastHost_ = h;
            return static_cast<long long>(hosts_.lines.size()) - 1;
        }
        lastHostIndex_ = at;
        lastHost_ = h;
        pos = IndexPosition(hosts_.index[at]);
    }
    RecordValues v = ReadFields(hosts_.lines[pos], 5);
    Increment(v[1]);
    IdListAppend(v[2], lineNumber);
    AppendIfAbsent(v[3], filePos);
    v[4] = Escape(fields_['t']);
    hosts_.lines[pos] = BuildRecord(v, 5);
    return pos;
}

void ReferenceRun::AddBrowserHit(long long lineNumber) {
    const std::string& u = fields_['U'];
    if (u.empty())
        return;
    long long pos = -1;
    if (lastAgentPos_ >= 0 && u == lastAgent_) {
        pos = lastAgentPos_;
    } else {
        const std::string key = Escape(u);
        pos = browsers_.Find(key);
        if (pos < 0) {
            browsers_.Create(key, "\\1;" + key + "\\2;1\\3;-" + Num(lineNumber) + "-\\4;");
            lastAgent_ = u;
            lastAgentPos_ = static_cast<long long>(browsers_.lines.size()) - 1;
            return;
        }
        lastAgent_ = u;
        lastAgentPos_ = pos;
    }
    RecordValues v = ReadFields(browsers_.lines[pos], 3);
    Increment(v[1]);
    IdListAppend(v[2], lineNumber);
    browsers_.lines[pos] = BuildRecord(v, 3);
}

std::pair<long long, long long> ReferenceRun::AddReferrerHit(long long filePos,
                                                             long long lineNumber, KeyedList& pages,
                                                             KeyedList& queries) {
    const std::string& r = fields_['R'];
    if (r.empty() || r == "-")
        return {-1, -1};
    const std::size_t question = r.find('?');
    const std::string page = question == std::string::npos ? r : r.substr(0, question);
    const std::string t = Escape(fields_['t']);

    const std::string pageKey = Escape(page);
    long long pagePos = pages.Find(pageKey);
    if (pagePos < 0) {
        pages.Create(pageKey, "\\1;" + pageKey + "\\2;1\\3;-" + Num(lineNumber) + "-\\4;-" +
                                  Num(filePos) + "-\\5;" + t + "\\6;");
        pagePos = static_cast<long long>(pages.lines.size()) - 1;
    } else {
        RecordValues v = ReadFields(pages.lines[pagePos], 5);
        Increment(v[1]);
        IdListAppend(v[2], lineNumber);
        AppendIfAbsent(v[3], filePos);
        v[4] = t;
        pages.lines[pagePos] = BuildRecord(v, 5);
    }
    if (question == std::string::npos)
        return {pagePos, -1};

    const std::string text = ReferenceDecodeQuery(r.substr(question + 1), r);
    // P: 1-based position of the first "/" at or after position 9; the scan
    // stops at the last character, so P is the length without such a "/", and
    // 9 for a referrer shorter than 9.
    std::size_t p = 9;
    while (p < r.size() && r[p - 1] != '/')
        ++p;

    const std::string queryKey = Escape(text);
    long long queryPos = queries.Find(queryKey);
    if (queryPos < 0) {
        queries.Create(queryKey, "\\1;" + queryKey + "\\2;" + Num(pagePos) + "\\3;-" +
                                     Num(static_cast<long long>(p)) + "-\\4;-" + Num(filePos) +
                                     "-\\5;" + t + "\\6;" + Escape(r) + "\\7;" +
                                     Escape(r.substr(0, p)) + "\\8;");
        queryPos = static_cast<long long>(queries.lines.size()) - 1;
    } else {
        RecordValues v = ReadFields(queries.lines[queryPos], 7);
        IdListAppend(v[2], static_cast<long long>(p));
        AppendIfAbsent(v[3], filePos);
        v[4] = t;
        queries.lines[queryPos] = BuildRecord(v, 7);
    }
    return {pagePos, queryPos};
}

void ReferenceRun::LinkFileReferrer(long long filePos, long long hostPos, bool internal,
                                    long long queryPos, long long pagePos) {
    RecordValues v = ReadFields(files_.lines[filePos], 12);
    if (queryPos != -1)
        AppendIfAbsent(v[internal ? 8 : 7], queryPos);
    if (pagePos != -1)
        AppendIfAbsent(v[internal ? 10 : 9], pagePos);
    AppendIfAbsent(v[6], hostPos);
    files_.lines[filePos] = BuildRecord(v, 12);
}

void ReferenceRun::Hit(long long lineNumber) {
    NormaliseDates(fields_);
    if (fields_['r'].empty())
        fields_['r'] = fields_['M'] + " " + fields_['I'] + " HTTP/1.1";

    // Day change. The day of a line counts only when characters 2-3 of t are
    // two digits from 01 to 31; any other line stays in the current day and
    // leaves the day of the previous valid line as it was.
    const std::string& t = fields_['t'];
    if (t.size() >= 3 && t[1] >= '0' && t[1] <= '9' && t[2] >= '0' && t[2] <= '9') {
        const int day = (t[1] - '0') * 10 + (t[2] - '0');
        if (day >= 1 && day <= 31) {
            if (day != previousDay_) {
                currentDay_ = day;  // the day of the date parts: the same two characters
                ++dayChanges_;
                dayHosts_ = "-";
            }
            previousDay_ = day;
        }
    }

    const long long filePos = AddFileHit(lineNumber);
    AddStatusHit(lineNumber, filePos);
    const long long hostPos = AddHostHit(filePos, lineNumber);
    AddBrowserHit(lineNumber);
    const bool internal = !siteUrl_.empty() && StartsWith(fields_['R'], siteUrl_);
    const auto [pagePos, queryPos] =
        internal ? AddReferrerHit(filePos, lineNumber, intPages_, intQueries_)
                 : AddReferrerHit(filePos, lineNumber, extPages_, extQueries_);
    LinkFileReferrer(filePos, hostPos, internal, queryPos, pagePos);

    const int d = currentDay_ - 1;
    if (!IdListContains(dayHosts_, hostPos)) {
        ++visitorsPerDay_[d];
        IdListAppend(dayHosts_, hostPos);
    }
    ++hitsPerDay_[d];
    long long bytes = 0;
    if (ReadLogNumber(fields_['b'], bytes))
        bytesPerDay_[d] += bytes;
}

ReferenceResult ReferenceRun::Run(const ReferenceMalformedAnswer& answer,
                                  const ReferenceDateText& dateText) {
    ReferenceResult result;
    const FieldFormat format = ReadFormatFile(siteDir_ + FormatFileName(key_));
    const Lines log = ReadTextLines(siteDir_ + LogFileName(key_));

    std::size_t first = 0;
    while (first < log.size() && StartsWith(log[first], "#"))
        ++first;

    for (std::size_t i = first; i < log.size(); ++i) {
        const auto lineNumber = static_cast<long long>(i);
        // A "#" line after the first data line keeps its number and is skipped.
        if (i > first && StartsWith(log[i], "#"))
            continue;
        fields_['t'].clear();
        fields_['r'].clear();
        const std::string work = log[i] + " ";
        std::string_view rest = work;
        bool dropped = false;
        for (char code : format) {
            if (rest.empty()) {
                result.questions.push_back(lineNumber);
                if (!answer(lineNumber))
                    return result;  // cancelled: no file is written
                dropped = true;
                break;
            }
            std::string_view value;
            ExtractField(rest, value, code);
            // A code outside the fifteen takes its field off the line; its value is dropped.
            if (IsFieldCode(code))
                fields_[code].assign(value);
        }
        // An ignored line is not a hit; on the last line the reading ends and
        // the run completes.
        if (!dropped)
            Hit(lineNumber);
    }

    WriteFiles();
    WriteMonthStats(dateText);
    result.completed = true;
    return result;
}

void ReferenceRun::WriteFiles() {
    Lines statusLines;
    for (int code : StatusFileCodes()) {
        const StatusSlot& s = status_[SlotOfCode(code)];
        statusLines.push_back(Num(code) + ";" + Num(s.count) + ";" + s.lines + ";" + s.files);
    }
    auto save = [&](std::string_view prefix, const Lines& lines) {
        Lines out;
        for (const std::string& line : lines)
            out.push_back(Unescape(line));
        WriteTextLines(Path(prefix), out);
    };
    WriteTextLines(Path("ret-"), statusLines);
    save("hos-", hosts_.lines);
    save("nav-", browsers_.lines);
    save("lfp-", files_.lines);
    save("mot-", extPages_.lines);
    save("ori-", extQueries_.lines);
    save("mit-", intPages_.lines);
    save("oit-", intQueries_.lines);
    WriteTextLines(Path("fls-"), {});
}

// Reads the counts, paths and top lists back from the files just written, with
// ReadField, so that values holding tags count as the windows will read them.
void ReferenceRun::WriteMonthStats(const ReferenceDateText& dateText) {
    const Lines lfp = ReadTextLines(Path("lfp-"));
    if (lfp.size() != files_.lines.size())
        throw std::runtime_error("reference: lfp- read back with another line count");
    long long page = 0, image = 0, archive = 0;
    for (const std::string& line : lfp) {
        const std::string path(ReadField(line, 1));
        const std::string ext = ExtensionOf(path, 0);
        if (!ext.empty() && OccursIn(kImageExtensions, ext))
            ++image;
        else if (!ext.empty() && OccursIn(kArchiveExtensions, ext))
            ++archive;
        else
            ++page;
    }

    std::array<long long, 6> byClass{};
    for (const std::string& line : ReadTextLines(Path("ret-"))) {
        const std::size_t a = line.find(';');
        const std::size_t b = line.find(';', a + 1);
        const long long count = ParseInteger(std::string_view(line).substr(a + 1, b - a - 1));
        const int cls = line[0] - '0';
        if (cls >= 1 && cls <= 5)
            byClass[cls] += count;
    }
    const Lines hos = ReadTextLines(Path("hos-"));
    const Lines mot = ReadTextLines(Path("mot-"));
    const long long reOk = byClass[1] + byClass[2] + byClass[3];
    const long long reKo = byClass[4] + byClass[5];

    auto sum = [](const std::array<long long, kDaysInList>& a) {
        long long s = 0;
        for (long long v : a)
            s += v;
        return s;
    };
    std::array<long long, kDaysInList> kilobytes{};
    for (int d = 0; d < kDaysInList; ++d)
        kilobytes[d] = bytesPerDay_[d] / 1024;

    const std::array<std::string, kMonthStatsLineCount> values = {
        dateText(siteDir_ + LogFileName(key_)),
        Num(static_cast<long long>(lfp.size())),
        Num(page),
        Num(image),
        Num(archive),
        Num(static_cast<long long>(hos.size())),
        Num(static_cast<long long>(ReadTextLines(Path("ori-")).size())),
        Num(static_cast<long long>(mot.size())),
        Num(reOk),
        Num(reKo),
        Num(reOk + reKo),
        Num(byClass[1]),
        Num(byClass[2]),
        Num(byClass[3]),
        Num(byClass[4]),
        Num(byClass[5]),
        Num(dayChanges_),
        FormatDayList(visitorsPerDay_),
        FormatDayList(kilobytes),
        FormatDayList(pagesPerDay_),
        FormatDayList(hitsPerDay_),
        Num(sum(visitorsPerDay_)),
        Num(sum(bytesPerDay_)),
        Num(sum(pagesPerDay_)),
        Num(sum(hitsPerDay_)),
        TopByHits(lfp, 20, kPageMarker),
        TopByHits(hos, 20, kAnyRecordMarker),
        TopByHits(mot, 20, kAnyRecordMarker),
    };
    Lines out;
    for (int i = 0; i < kMonthStatsLineCount; ++i)
        out.push_back(std::string(MonthStatsKeys()[i]) + "=" + values[i]);
    WriteTextLines(Path("mon-"), out);
}

// Value of two hexadecimal characters of an escape: upper-cased, a final "H"
// dropped; any other character than 0-9 and A-F makes the value 0.
char HexValue(char a, char b) {
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    std::string digits{upper(a), upper(b)};
    if (digits.back() == 'H')
        digits.pop_back();
    int value = 0;
    for (char c : digits) {
        int d = 0;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return '\0';
        value = value * 16 + d;
    }
    return static_cast<char>(value);
}

// Windows-1252 bytes 0x80-0x9F and their characters (0 where undefined).
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char Cp1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

std::string ReferenceUtf8ToCp1252(const std::string& utf8) {
    std::string out;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        // Length and the allowed range of the second byte (Unicode's table of
        // well-formed byte sequences).
        int length = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b == 0xE0) {
            length = 3, lo = 0xA0;
        } else if ((b >= 0xE1 && b <= 0xEC) || b == 0xEE || b == 0xEF) {
            length = 3;
        } else if (b == 0xED) {
            length = 3, hi = 0x9F;
        } else if (b == 0xF0) {
            length = 4, lo = 0x90;
        } else if (b >= 0xF1 && b <= 0xF3) {
            length = 4;
        } else if (b == 0xF4) {
            length = 4, hi = 0x8F;
        }
        if (length == 0) {
            out += '?';
            ++i;
            continue;
        }
        char32_t c = b & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        std::size_t k = 1;
        for (; k < static_cast<std::size_t>(length); ++k) {
            if (i + k >= n)
                break;
            const unsigned char cb = s[i + k];
            const unsigned char l = k == 1 ? lo : 0x80, h = k == 1 ? hi : 0xBF;
            if (cb < l || cb > h)
                break;
            c = (c << 6) | (cb & 0x3F);
        }
        if (k < static_cast<std::size_t>(length)) {
            out += '?';  // the maximal ill-formed subpart: the bytes read so far
            i += k;
            continue;
        }
        out += Cp1252Byte(c);
        i += k;
    }
    return out;
}

std::string ReferenceDecodeQuery(const std::string& rawQuery, const std::string& referrer) {
    std::string text = "\"";
    for (char c : rawQuery) {
        if (c == '&')
            text += "\"  \"";
        else
            text += c;
    }
    text += '"';

    std::string out;
    std::size_t i = 0;
    while (text.size() - i >= 3) {
        const char c = text[i];
        if (c == '%') {
            out += HexValue(text[i + 1], text[i + 2]);
            i += 3;
        } else {
            out += c == '+' ? ' ' : c;
            ++i;
        }
    }
    out += text.substr(i);

    if (referrer.find("utf-8", 1) != std::string::npos ||
        referrer.find("UTF-8", 1) != std::string::npos)
        out = ReferenceUtf8ToCp1252(out);
    // A decoded line break would split the query's record: it becomes a blank.
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

ReferenceResult ReferenceAnalyseLog(const std::string& siteDir, const std::string& monthKey,
                                    const std::string& siteUrl,
                                    const ReferenceMalformedAnswer& answerMalformed,
                                    const ReferenceDateText& dateText) {
    ReferenceRun run(siteDir, monthKey, siteUrl);
    return run.Run(answerMalformed, dateText);
}

}  // namespace trafikon::testing
