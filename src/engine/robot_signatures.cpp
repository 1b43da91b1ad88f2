// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/robot_signatures.h"

#include <algorithm>
#include <cstdint>

namespace trafikon {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCopy(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), Lower);
    return out;
}

bool IsWordBreak(char c) {
    return c == ' ' || c == ';' || c == '(' || c == ')' || c == '/' || c == ',' || c == '+' ||
           c == ':' || c == '"' || c == '\t' || c == '[' || c == ']';
}

// The word of `agent` around position `at` (words end at spaces, slashes,
// brackets and the like).
std::string WordAround(std::string_view agent, std::size_t at) {
    std::size_t begin = at, end = at;
    while (begin > 0 && !IsWordBreak(agent[begin - 1]))
        --begin;
    while (end < agent.size() && !IsWordBreak(agent[end]))
        ++end;
    return std::string(agent.substr(begin, end - begin));
}

bool IsTokenBreak(char c) {
    return c == ' ' || c == ';' || c == '(' || c == ')' || c == ',' || c == '\t' || c == '[' ||
           c == ']';
}

// The token of `agent` (words with their slashes) around position `at`.
std::string_view TokenAround(std::string_view agent, std::size_t at) {
    std::size_t begin = at, end = at;
    while (begin > 0 && !IsTokenBreak(agent[begin - 1]))
        --begin;
    while (end < agent.size() && !IsTokenBreak(agent[end]))
        ++end;
    return agent.substr(begin, end - begin);
}

// A word that names nothing: part of an address ("+http://x.com/bot.html",
// "crawler@x.com") or the bare generic word itself ("robot", "Spider").
bool NamesNothing(std::string_view agent, std::size_t at, std::string_view word) {
    const std::string_view token = TokenAround(agent, at);
    if (token.find("://") != std::string_view::npos || token.find('@') != std::string_view::npos ||
        token.starts_with("+") || token.starts_with("www."))
        return true;
    const std::string lower = LowerCopy(word);
    for (std::string_view bare : {"bot", "bots", "robot", "robots", "crawl", "crawler", "crawlers",
                                  "spider", "spiders", "slurp"})
        if (lower == bare)
            return true;
    return false;
}

// The last product token ("Name/1.0") before position `at`, Mozilla/x aside:
// the name a client gives itself. Empty when there is none.
std::string ProductBefore(std::string_view agent, std::size_t at) {
    std::string_view found;
    std::size_t pos = 0;
    while (pos < at) {
        while (pos < at && IsTokenBreak(agent[pos]))
            ++pos;
        const std::size_t begin = pos;
        while (pos < agent.size() && !IsTokenBreak(agent[pos]))
            ++pos;
        const std::string_view token = agent.substr(begin, pos - begin);
        const std::size_t slash = token.find('/');
        if (slash == std::string_view::npos || slash == 0 || slash + 1 == token.size() ||
            token.find("://") != std::string_view::npos ||
            LowerCopy(token.substr(0, slash)) == "mozilla")
            continue;
        if (begin < at)
            found = token.substr(0, slash);
    }
    return std::string(found);
}

// The name of a robot found by a generic word at `at`: the word holding it,
// or when that names nothing the product before it, or the whole user agent.
std::string GenericName(std::string_view agent, std::size_t at) {
    std::string word = WordAround(agent, at);
    if (!word.empty() && !NamesNothing(agent, at, word))
        return word;
    std::string product = ProductBefore(agent, at);
    if (!product.empty())
        return product;
    return std::string(agent);
}

constexpr const char* kBuiltIn[] = {
    "# Crawler signatures: one \"Name;text\" a line. A user agent holding the text",
    "# (any letter case) is the robot Name. Name * is a generic word: the robot takes",
    "# the name of the word holding it. Name ! is a text that is never a robot's.",
    "# The first line that matches wins. Add your own lines; analyse again to apply.",
    "!;cubot",
    // Search engines
    "Googlebot;googlebot",
    "Google-InspectionTool;google-inspectiontool",
    "Google-Extended;google-extended",
    "AdsBot-Google;adsbot-google",
    "Mediapartners-Google;mediapartners-google",
    "Storebot-Google;storebot-google",
    "Bingbot;bingbot",
    "BingPreview;bingpreview",
    "MSNBot;msnbot",
    "Yahoo! Slurp;yahoo! slurp",
    "DuckDuckBot;duckduckbot",
    "Baiduspider;baiduspider",
    "YandexBot;yandexbot",
    "Yandex;yandex.com/bots",
    "Applebot-Extended;applebot-extended",
    "Applebot;applebot",
    "Sogou;sogou",
    "Exabot;exabot",
    "SeznamBot;seznambot",
    "Qwantbot;qwantbot",
    "PetalBot;petalbot",
    "Mojeek;mojeekbot",
    "Naver Yeti;yeti/",
    "Daum;daum",
    "Coc Coc;coccocbot",
    // Social networks and messengers
    "facebookexternalhit;facebookexternalhit",
    "Facebook;facebookcatalog",
    "Meta-ExternalAgent;meta-externalagent",
    "Meta-ExternalFetcher;meta-externalfetcher",
    "Twitterbot;twitterbot",
    "LinkedInBot;linkedinbot",
    "Pinterestbot;pinterest",
    "Slackbot;slackbot",
    "Discordbot;discordbot",
    "TelegramBot;telegrambot",
    "WhatsApp;whatsapp",
    "Skype;skypeuripreview",
    "redditbot;redditbot",
    "Mastodon;mastodon",
    "Embedly;embedly",
    // AI training and AI answers
    "GPTBot;gptbot",
    "ChatGPT-User;chatgpt-user",
    "OAI-SearchBot;oai-searchbot",
    "CCBot;ccbot",
    "ClaudeBot;claudebot",
    "Claude-Web;claude-web",
    "Claude-User;claude-user",
    "anthropic-ai;anthropic-ai",
    "Bytespider;bytespider",
    "PerplexityBot;perplexitybot",
    "Perplexity-User;perplexity-user",
    "Amazonbot;amazonbot",
    "cohere-ai;cohere-ai",
    "Diffbot;diffbot",
    "YouBot;youbot",
    "Timpibot;timpibot",
    "ImagesiftBot;imagesiftbot",
    "Omgilibot;omgili",
    "Kangaroo Bot;kangaroo bot",
    "AI2Bot;ai2bot",
    "DuckAssistBot;duckassistbot",
    "Google-CloudVertexBot;google-cloudvertexbot",
    "FacebookBot;facebookbot",
    "MistralAI-User;mistralai-user",
    "ICC-Crawler;icc-crawler",
    "PetalBot;aspiegelbot",
    "cohere-training-data-crawler;cohere-training-data-crawler",
    // SEO tools and archives
    "AhrefsBot;ahrefsbot",
    "AhrefsSiteAudit;ahrefssiteaudit",
    "SemrushBot;semrushbot",
    "MJ12bot;mj12bot",
    "DotBot;dotbot",
    "BLEXBot;blexbot",
    "DataForSeoBot;dataforseobot",
    "Screaming Frog;screaming frog",
    "serpstatbot;serpstatbot",
    "SeekportBot;seekportbot",
    "archive.org_bot;archive.org_bot",
    "ia_archiver;ia_archiver",
    // Monitoring
    "UptimeRobot;uptimerobot",
    "Pingdom;pingdom",
    "StatusCake;statuscake",
    "Site24x7;site24x7",
    "Uptime-Kuma;uptime-kuma",
    "Better Uptime;betteruptime",
    "Datadog;datadog",
    "NewRelicPinger;newrelicpinger",
    "Nagios;check_http",
    "Zabbix;zabbix",
    // Tools and feeds: feed readers, link checkers, configuration and
    // packaging tools, sites that fetch pages for their readers
    "UniversalFeedParser;universalfeedparser",
    "Tiny Tiny RSS;tiny tiny rss",
    "FeedBurner;feedburner",
    "Feedbin;feedbin",
    "Feedly;feedly",
    "Inoreader;inoreader",
    "NewsBlur;newsblur",
    "Feedfetcher-Google;feedfetcher-google",
    "Reeder;reeder/",
    "Newsify;newsify/",
    "The Old Reader;theoldreader",
    "Flipboard;flipboard",
    "CommaFeed;commafeed",
    "NetNewsWire;netnewswire",
    "FreshRSS;freshrss",
    "Miniflux;miniflux",
    "NextCloud News;nextcloud-news",
    "LiveJournal;livejournal.com",
    "Xenu Link Sleuth;xenu link sleuth",
    "eZ Publish Link Validator;ez publish link validator",
    "W3C Link Checker;w3c-checklink",
    "W3C Validator;w3c_validator",
    "Chef Client;chef client",
    "portscout;portscout",
    // Scripts and command-line clients
    "curl;curl/",
    "Wget;wget/",
    "python-requests;python-requests",
    "Python urllib;python-urllib",
    "aiohttp;aiohttp",
    "Go-http-client;go-http-client",
    "Java;java/",
    "okhttp;okhttp",
    "libwww-perl;libwww-perl",
    "HTTP_Request2;http_request2",
    "Guzzle;guzzlehttp",
    "WinHttp;winhttp",
    "Python httpx;python-httpx",
    "Apache-HttpClient;apache-httpclient",
    "HeadlessChrome;headlesschrome",
    "PhantomJS;phantomjs",
    "Scrapy;scrapy",
    "node-fetch;node-fetch",
    "axios;axios/",
    // Generic words, last
    "*;bot",
    "*;crawl",
    "*;spider",
    "*;slurp",
};

}  // namespace

Lines BuiltInRobotSignatureLines() {
    return Lines(std::begin(kBuiltIn), std::end(kBuiltIn));
}

RobotSignatures::RobotSignatures() : RobotSignatures(BuiltInRobotSignatureLines()) {}

namespace {

// "Name;text" with a text long enough not to be found in every user agent,
// and no control character: a damaged file's lines are no signatures.
bool IsSignatureLine(std::string_view line, std::size_t semi) {
    constexpr std::size_t kShortestText = 3;
    if (semi == std::string_view::npos || semi == 0 || line.size() - semi - 1 < kShortestText)
        return false;
    for (char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    return true;
}

}  // namespace

RobotSignatures::RobotSignatures(const Lines& lines) {
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t semi = line.find(';');
        if (!IsSignatureLine(line, semi)) {
            ++ignoredLines_;
            continue;
        }
        const std::string name = line.substr(0, semi);
        std::string text = LowerCopy(std::string_view(line).substr(semi + 1));
        if (name == "!")
            exceptions_.push_back(std::move(text));
        else
            entries_.push_back({name, std::move(text)});
    }
    BuildIndex();
}

namespace {

// Bucket of a text starting with bytes a and b.
std::size_t PairBucket(char a, char b, std::size_t buckets) {
    const unsigned pair = static_cast<unsigned char>(a) << 8 | static_cast<unsigned char>(b);
    return (pair * 0x9E37u >> 4) & (buckets - 1);
}

}  // namespace

void RobotSignatures::BuildIndex() {
    const auto count = static_cast<std::uint32_t>(exceptions_.size() + entries_.size());
    bucketStarts_.assign(kBuckets + 1, 0);
    for (std::uint32_t n = 0; n < count; ++n)
        ++bucketStarts_[PairBucket(Text(n)[0], Text(n)[1], kBuckets) + 1];
    for (std::size_t b = 0; b < kBuckets; ++b)
        bucketStarts_[b + 1] += bucketStarts_[b];
    bucketTexts_.assign(count, 0);
    std::vector<std::uint32_t> next(bucketStarts_.begin(), bucketStarts_.end() - 1);
    for (std::uint32_t n = 0; n < count; ++n)
        bucketTexts_[next[PairBucket(Text(n)[0], Text(n)[1], kBuckets)]++] = n;
}

RobotMatch RobotSignatures::Classify(std::string_view userAgent) const {
    if (userAgent.empty() || userAgent == "-")
        return {RobotKind::kEmptyAgent, "-"};
    const std::string lower = LowerCopy(userAgent);
    // The lowest numbered text found anywhere, and where it is first: an
    // exception wins over every entry, and among entries the first listed.
    auto best = static_cast<std::uint32_t>(exceptions_.size() + entries_.size());
    std::size_t bestAt = 0;
    for (std::size_t i = 0; i + 1 < lower.size(); ++i) {
        const std::size_t b = PairBucket(lower[i], lower[i + 1], kBuckets);
        for (std::uint32_t k = bucketStarts_[b]; k < bucketStarts_[b + 1]; ++k) {
            const std::uint32_t n = bucketTexts_[k];
            if (n >= best)
                break;  // numbers grow along a bucket
            const std::string& text = Text(n);
            if (lower.compare(i, text.size(), text) == 0) {
                best = n;
                bestAt = i;
                break;
            }
        }
        if (best < exceptions_.size())
            return {};
    }
    if (best >= exceptions_.size() + entries_.size())
        return {};
    const Entry& e = entries_[best - exceptions_.size()];
    if (e.name != "*")
        return {RobotKind::kSignature, e.name};
    return {RobotKind::kGeneric, GenericName(userAgent, bestAt)};
}

RobotSignatures LoadRobotSignatures(const std::string& programDir) {
    const std::string path = programDir + std::string(kRobotSignatureFileName);
    try {
        if (FileExists(path))
            return RobotSignatures(ReadTextLines(path));
    } catch (const IoError&) {
    }
    return RobotSignatures();
}

namespace {

// FNV-1a of a file's lines, each ended by '\n'.
std::uint64_t LinesHash(const Lines& lines) {
    std::uint64_t h = 0xcbf29ce484222325u;
    for (const std::string& line : lines)
        for (const char c : line + '\n') {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001b3u;
        }
    return h;
}

// The built-in files of earlier versions: a file left as one of them was
// never edited, and takes the current list.
constexpr std::uint64_t kEarlierBuiltIns[] = {0x6d8eb178cbb1dd68u};

}  // namespace

void WriteRobotSignatureFileIfMissing(const std::string& programDir) {
    const std::string path = programDir + std::string(kRobotSignatureFileName);
    try {
        const bool earlier = FileExists(path) &&
                             std::ranges::find(kEarlierBuiltIns, LinesHash(ReadTextLines(path))) !=
                                 std::end(kEarlierBuiltIns);
        if (!FileExists(path) || earlier)
            WriteTextLines(path, BuiltInRobotSignatureLines());
    } catch (const IoError&) {
        // A folder that cannot be written keeps the built-in list.
    }
}

std::string ProgramDirOfSite(const std::string& siteDir) {
    return siteDir + "../../";
}

}  // namespace trafikon
