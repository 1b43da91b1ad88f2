// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/format_detection.h"

#include <algorithm>
#include <cctype>

#include "import/log_file_check.h"
#include "import/log_source.h"
#include "store/log_line_splitter.h"

namespace trafikon {

namespace {

constexpr std::string_view kFieldsDirective = "#Fields:";

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

char W3cFieldCode(std::string_view name) {
    static constexpr std::pair<std::string_view, char> kNames[] = {
        {"date", 'd'},        {"time", 'H'},     {"cs-method", 'M'},      {"cs-uri-stem", 'I'},
        {"cs-username", 'u'}, {"c-ip", 'h'},     {"cs(User-Agent)", 'U'}, {"cs(Referer)", 'R'},
        {"sc-status", 's'},   {"sc-bytes", 'b'},
    };
    for (const auto& [known, code] : kNames)
        if (EqualsNoCase(name, known))
            return code;
    return 'N';
}

bool IsDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "dd/Mon/yyyy:hh:mm:ss" at the start of `s` (after the '[').
bool ReadsAsApacheTime(std::string_view s) {
    if (s.size() < 20 || s[2] != '/' || s[6] != '/' || s[11] != ':' || s[14] != ':' || s[17] != ':')
        return false;
    if (!IsDigits(s.substr(0, 2)) || !IsDigits(s.substr(7, 4)) || !IsDigits(s.substr(12, 2)) ||
        !IsDigits(s.substr(15, 2)) || !IsDigits(s.substr(18, 2)))
        return false;
    const auto& names = MonthNames();
    return std::find(names.begin(), names.end(), s.substr(3, 3)) != names.end();
}

bool ReadsAsIsoDate(std::string_view s) {
    return s.size() == 10 && s[4] == '-' && s[7] == '-' && IsDigits(s.substr(0, 4)) &&
           IsDigits(s.substr(5, 2)) && IsDigits(s.substr(8, 2));
}

bool ReadsAsTime(std::string_view s) {
    return s.size() >= 8 && s[2] == ':' && s[5] == ':' && IsDigits(s.substr(0, 2)) &&
           IsDigits(s.substr(3, 2)) && IsDigits(s.substr(6, 2));
}

// Whether a value fits its code; codes without a rule always fit.
bool Fits(char code, std::string_view value) {
    switch (code) {
        case 's':
            return IsDigits(value);
        case 'b':
            return value == "-" || IsDigits(value);
        case 't':
            return value.size() > 1 && value[0] == '[' && ReadsAsApacheTime(value.substr(1));
        case 'd':
            return ReadsAsIsoDate(value);
        case 'H':
            return ReadsAsTime(value);
        default:
            return true;
    }
}

// One field of a line as the splitting cuts it, with how it was written.
struct Token {
    enum Kind { kBare, kQuoted, kBracketed } kind;
    std::string_view text;
};

// Cuts a line into its fields, telling how each was written, which the
// splitter does not. Looser than the splitter's cut, as fits a guess: a run of
// blanks parts two fields (the splitter reads an empty field between two
// blanks), a bracketed field ends at its first ']' even without a blank after
// it, brackets are left out of its text, an unclosed quote ends the line, and
// the request line gets no repair.
std::vector<Token> Tokens(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size() && tokens.size() < 16) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        Token token{Token::kBare, {}};
        std::size_t end;
        if (line[i] == '"') {
            token.kind = Token::kQuoted;
            end = line.find("\" ", i + 1);
            if (end == std::string_view::npos) {
                if (line.size() - i < 2 || line.back() != '"')
                    break;
                end = line.size() - 1;
            }
            token.text = line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else if (line[i] == '[') {
            token.kind = Token::kBracketed;
            end = line.find(']', i);
            if (end == std::string_view::npos)
                break;
            token.text = line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            end = std::min(line.find(' ', i), line.size());
            token.text = line.substr(i, end - i);
            i = end;
        }
        tokens.push_back(token);
    }
    return tokens;
}

bool CommonAt(const std::vector<Token>& t, std::size_t o) {
    return t.size() >= o + 7 && t[o].kind == Token::kBare && t[o + 1].kind == Token::kBare &&
           t[o + 2].kind == Token::kBare && t[o + 3].kind == Token::kBracketed &&
           ReadsAsApacheTime(t[o + 3].text) && t[o + 4].kind == Token::kQuoted &&
           t[o + 5].kind == Token::kBare && t[o + 5].text.size() == 3 && IsDigits(t[o + 5].text) &&
           t[o + 6].kind == Token::kBare && Fits('b', t[o + 6].text);
}

bool CombinedAt(const std::vector<Token>& t, std::size_t o) {
    return CommonAt(t, o) && t.size() >= o + 9 && t[o + 7].kind == Token::kQuoted &&
           t[o + 8].kind == Token::kQuoted;
}

// A virtual host as servers write it first on a line: a host name or
// address, with or without ":port", or "-" when the request named none.
bool ReadsAsVirtualHost(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' ||
               c == ':' || c == '[' || c == ']';
    });
}

std::vector<std::string_view> DataLines(const std::vector<std::string>& head) {
    std::vector<std::string_view> lines;
    for (const std::string& line : head)
        if (!IsHeaderOrBlank(line))
            lines.push_back(line);
    return lines;
}

}  // namespace

bool IsW3cFieldsLine(std::string_view line) {
    return line.substr(0, kFieldsDirective.size()) == kFieldsDirective;
}

FieldFormat W3cFieldsCodes(std::string_view line) {
    FieldFormat codes;
    if (!IsW3cFieldsLine(line))
        return codes;
    line.remove_prefix(kFieldsDirective.size());
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        const std::size_t end = std::min(line.find_first_of(" \t", i), line.size());
        codes.push_back(W3cFieldCode(line.substr(i, end - i)));
        i = end;
    }
    return codes;
}

std::vector<std::string> ReadFileHead(const std::string& path, std::size_t dataLines) {
    constexpr std::size_t kMaxHeadLines = 200;  // a header block is a few lines
    std::vector<std::string> head;
    LogReader reader(path, 64 * 1024, LogReader::kHeadBytes);
    std::string_view line;
    std::size_t data = 0;
    while (data < dataLines && head.size() < kMaxHeadLines && reader.Next(line)) {
        head.emplace_back(line);
        while (reader.partial() && reader.Next(line)) {  // the start of a very long line is enough
        }
        if (!IsHeaderOrBlank(head.back()))
            ++data;
    }
    return head;
}

FieldFormat DetectFormat(const std::vector<std::string>& head) {
    FieldFormat fields;
    for (const std::string& line : head) {
        if (!IsHeaderOrBlank(line))
            break;
        if (IsW3cFieldsLine(line))
            fields = W3cFieldsCodes(line);
    }
    // The lines under a "#Fields:" directive must show its fields (not tabs
    // between them, say, nor lines of another format): else nothing is told.
    if (!fields.empty())
        return FirstMisfitField(fields, head) == '\0' ? fields : FieldFormat();
    // A first field before combined or common lines: a virtual host when it
    // reads as one (Apache "%v" or "%v:%p", nginx "$host" or "$server_name").
    std::size_t first = 0, firstIsHost = 0, firstBeforeCombined = 0;
    std::size_t combined = 0, common = 0;
    const std::vector<std::string_view> lines = DataLines(head);
    for (std::string_view line : lines) {
        const std::vector<Token> tokens = Tokens(line);
        if (!tokens.empty() && tokens[0].kind == Token::kBare && CommonAt(tokens, 1)) {
            ++first;
            firstBeforeCombined += CombinedAt(tokens, 1) ? 1 : 0;
            firstIsHost += ReadsAsVirtualHost(tokens[0].text) ? 1 : 0;
        } else if (CombinedAt(tokens, 0)) {
            ++combined;
        } else if (CommonAt(tokens, 0)) {
            ++common;
        }
    }
    const std::size_t half = lines.size() / 2;
    if (first > half) {
        const char code = firstIsHost * 2 > first ? 'v' : 'N';
        return code + std::string(firstBeforeCombined > half ? "hlutrsbRU" : "hlutrsb");
    }
    if (combined > half)
        return "hlutrsbRU";
    if (combined + common > half)
        return "hlutrsb";
    return {};
}

FieldFormat DetectFileFormat(const std::string& path) {
    return DetectFormat(ReadFileHead(path));
}

char FirstMisfitField(std::string_view codes, const std::vector<std::string>& head) {
    const std::vector<std::string_view> lines = DataLines(head);
    if (lines.empty() || codes.empty())
        return '\0';
    std::vector<std::size_t> misfits(codes.size(), 0);
    std::string work;
    for (std::string_view line : lines) {
        work.assign(line);
        work.push_back(' ');
        std::size_t pos = 0;
        for (std::size_t i = 0; i < codes.size(); ++i) {
            if (pos >= work.size()) {  // the line ends before this field
                ++misfits[i];
                continue;
            }
            if (!Fits(codes[i], LogLineSplitter::TakeField(work, pos, codes[i])))
                ++misfits[i];
        }
    }
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (misfits[i] * 2 > lines.size())
            return codes[i];
    return '\0';
}

std::string SpacedCodes(std::string_view codes) {
    std::string spaced;
    for (char c : codes) {
        if (!spaced.empty())
            spaced.push_back(' ');
        spaced.push_back(c);
    }
    return spaced;
}

}  // namespace trafikon
