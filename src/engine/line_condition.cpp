// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/line_condition.h"

#include <arpa/inet.h>
#include <regex.h>

#include <cctype>
#include <cstring>

#include "engine/regex_expansion.h"

namespace trafikon {

class CompiledRegex {
  public:
    // Empty error() once compiled.
    explicit CompiledRegex(const std::string& pattern) {
        const int code = regcomp(&regex_, pattern.c_str(), REG_EXTENDED | REG_NOSUB);
        if (code != 0) {
            char text[256];
            regerror(code, &regex_, text, sizeof text);
            error_ = text;
            return;
        }
        compiled_ = true;
    }
    ~CompiledRegex() {
        if (compiled_)
            regfree(&regex_);
    }
    CompiledRegex(const CompiledRegex&) = delete;
    CompiledRegex& operator=(const CompiledRegex&) = delete;
    const std::string& error() const { return error_; }
    bool Finds(const char* text) const { return regexec(&regex_, text, 0, nullptr, 0) == 0; }

  private:
    regex_t regex_{};
    bool compiled_ = false;
    std::string error_;
};

namespace {

struct FieldName {
    std::string_view name;
    LineField field;
};
constexpr FieldName kFieldNames[] = {
    {"status", LineField::kStatus},   {"host", LineField::kHost},    {"path", LineField::kPath},
    {"method", LineField::kMethod},   {"ref", LineField::kReferrer}, {"ua", LineField::kAgent},
    {"country", LineField::kCountry}, {"robot", LineField::kRobot},  {"spam", LineField::kSpam}};
constexpr const char* kFieldList = "status, host, path, method, ref, ua, country, robot, spam";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = Lower(c);
    return out;
}
std::string Uppered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = Upper(c);
    return out;
}

// An address "203.0.113.7" or network "203.0.113.0/24", "2001:db8::/32".
bool ReadRange(std::string_view text, AddressRange& range) {
    const std::size_t slash = text.find('/');
    const std::string address(text.substr(0, slash));
    int maxBits = 32;
    if (inet_pton(AF_INET, address.c_str(), range.bytes.data()) == 1) {
        range.kind = HostAddress::kIPv4;
    } else if (inet_pton(AF_INET6, address.c_str(), range.bytes.data()) == 1) {
        range.kind = HostAddress::kIPv6;
        maxBits = 128;
    } else {
        return false;
    }
    range.prefixBits = maxBits;
    if (slash == std::string_view::npos)
        return true;
    const std::string_view bits = text.substr(slash + 1);
    if (bits.empty() || bits.size() > 3 || bits.find_first_not_of("0123456789") != bits.npos)
        return false;
    range.prefixBits = std::stoi(std::string(bits));
    return range.prefixBits <= maxBits;
}

class Parser {
  public:
    Parser(std::string_view text, ConditionError& error) : text_(text), error_(error) {}

    bool Parse(std::vector<LineCondition>& out) {
        SkipBlanks();
        while (pos_ < text_.size()) {
            LineCondition condition;
            if (!ParseOne(condition))
                return false;
            out.push_back(std::move(condition));
            SkipBlanks();
        }
        return true;
    }

  private:
    bool Fail(std::size_t at, const std::string& message) {
        error_.position = at + 1;
        error_.message = "position " + std::to_string(at + 1) + ": " + message;
        return false;
    }
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }
    bool At(char c) const { return pos_ < text_.size() && text_[pos_] == c; }
    bool AtEnd() const { return pos_ >= text_.size() || IsBlank(text_[pos_]); }

    bool ParseOne(LineCondition& c) {
        if (At('!')) {
            c.negated = true;
            ++pos_;
        }
        const std::size_t nameAt = pos_;
        while (pos_ < text_.size() && text_[pos_] >= 'a' && text_[pos_] <= 'z')
            ++pos_;
        const std::string_view name = text_.substr(nameAt, pos_ - nameAt);
        if (name.empty())
            return Fail(nameAt, std::string("a field was expected (") + kFieldList + ")");
        const FieldName* found = nullptr;
        for (const FieldName& f : kFieldNames)
            if (f.name == name)
                found = &f;
        if (!found)
            return Fail(nameAt, "unknown field \"" + std::string(name) + "\" (" + kFieldList + ")");
        c.field = found->field;
        if (c.field == LineField::kRobot || c.field == LineField::kSpam)
            return AtEnd() || Fail(pos_, std::string(name) + " takes no operator or value");
        if (!ParseOperator(c, name))
            return false;
        return ParseValues(c) && (AtEnd() || Fail(pos_, "a blank was expected after the value"));
    }

    bool ParseOperator(LineCondition& c, std::string_view name) {
        const std::size_t at = pos_;
        if (At('!')) {
            if (c.negated)
                return Fail(at, "a condition is negated once");
            c.negated = true;
            ++pos_;
        }
        if (At('=')) {
            c.kind = MatchKind::kEquals;
            ++pos_;
        } else if (At('~')) {
            ++pos_;
            c.kind = MatchKind::kContains;
            if (At('~')) {
                c.kind = MatchKind::kRegex;
                ++pos_;
            }
        } else {
            return Fail(at, "an operator was expected after \"" + std::string(name) +
                                "\" (=, ~, ~~, !=, !~, !~~)");
        }
        const bool equalsOnly = c.field == LineField::kStatus || c.field == LineField::kMethod ||
                                c.field == LineField::kCountry;
        if (equalsOnly && c.kind != MatchKind::kEquals)
            return Fail(at, std::string(name) + " takes = or != only");
        return true;
    }

    // The next value, quoted or up to a blank (or a comma, when `commas`).
    bool TakeValue(bool commas, std::string_view& value) {
        const std::size_t at = pos_;
        if (At('"')) {
            const std::size_t end = text_.find('"', at + 1);
            if (end == std::string_view::npos)
                return Fail(at, "the quote is not closed");
            value = text_.substr(at + 1, end - at - 1);
            pos_ = end + 1;
        } else {
            while (pos_ < text_.size() && !IsBlank(text_[pos_]) && !(commas && text_[pos_] == ','))
                ++pos_;
            value = text_.substr(at, pos_ - at);
        }
        return !value.empty() || Fail(at, "a value was expected");
    }

    bool ParseValues(LineCondition& c) {
        if (c.kind == MatchKind::kRegex) {
            const std::size_t at = pos_;
            std::string_view value;
            if (!TakeValue(false, value))
                return false;
            if (RegexElements(value) > kMaxRegexElements)
                return Fail(at,
                            "regular expression too large once its repetitions are "
                            "written out; repeat less");
            auto regex = std::make_shared<CompiledRegex>(std::string(value));
            if (!regex->error().empty())
                return Fail(at, "not a regular expression: " + regex->error());
            c.regex = std::move(regex);
            return true;
        }
        for (;;) {
            const std::size_t at = pos_;
            std::string_view value;
            if (!TakeValue(true, value) || !AddValue(c, value, at))
                return false;
            if (!At(','))
                return true;
            ++pos_;
        }
    }

    bool AddValue(LineCondition& c, std::string_view value, std::size_t at) {
        const bool ignoreCase = c.kind == MatchKind::kContains && c.field != LineField::kPath;
        switch (c.field) {
            case LineField::kStatus: {
                bool good = value.size() == 3 && value[0] >= '1' && value[0] <= '9';
                for (char ch : value)
                    good = good && ((ch >= '0' && ch <= '9') || ch == 'x' || ch == 'X');
                if (!good)
                    return Fail(at, "a status is three digits, or a class such as 5xx or 40x");
                c.texts.push_back(Lowered(value));
                return true;
            }
            case LineField::kHost:
                if (c.kind == MatchKind::kEquals) {
                    AddressRange range;
                    if (ReadRange(value, range)) {
                        c.ranges.push_back(range);
                        return true;
                    }
                    if (value.find('/') != std::string_view::npos)
                        return Fail(at, "not an address or network: \"" + std::string(value) +
                                            "\" (203.0.113.0/24, 2001:db8::/32)");
                    c.texts.push_back(Lowered(value));
                    return true;
                }
                break;
            case LineField::kMethod:
                c.texts.push_back(Lowered(value));
                return true;
            case LineField::kCountry:
                if (value.size() != 2 || !std::isalpha(static_cast<unsigned char>(value[0])) ||
                    !std::isalpha(static_cast<unsigned char>(value[1])))
                    return Fail(at, "a country is a code of two letters (FR, DE)");
                c.texts.push_back(Uppered(value));
                return true;
            default:
                break;
        }
        c.texts.push_back(ignoreCase ? Lowered(value) : std::string(value));
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    ConditionError& error_;
};

}  // namespace

bool ParseConditions(std::string_view text, std::vector<LineCondition>& out,
                     ConditionError& error) {
    std::vector<LineCondition> parsed;
    if (!Parser(text, error).Parse(parsed))
        return false;
    for (LineCondition& c : parsed)
        out.push_back(std::move(c));
    return true;
}

bool WildcardMatches(std::string_view pattern, std::string_view text) {
    if (pattern.find_first_of("*?") == std::string_view::npos)
        return text.starts_with(pattern);
    // Greedy with one point to come back to: the last '*' seen.
    std::size_t p = 0, t = 0, starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++p, ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool AddressInRange(const HostAddress& address, const AddressRange& range) {
    if (address.kind != range.kind || address.kind == HostAddress::kNone)
        return false;
    const auto* bytes = address.kind == HostAddress::kIPv4
                            ? reinterpret_cast<const unsigned char*>(&address.v4)
                            : reinterpret_cast<const unsigned char*>(&address.v6);
    const int whole = range.prefixBits / 8;
    if (std::memcmp(bytes, range.bytes.data(), static_cast<std::size_t>(whole)) != 0)
        return false;
    const int rest = range.prefixBits % 8;
    if (rest == 0)
        return true;
    const auto mask = static_cast<unsigned char>(0xFF << (8 - rest));
    return (bytes[whole] & mask) == (range.bytes[static_cast<std::size_t>(whole)] & mask);
}

bool RegexFinds(const CompiledRegex& regex, std::string_view text, std::string& scratch) {
    scratch.assign(text);
    return regex.Finds(scratch.c_str());
}

}  // namespace trafikon
