// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/country_names.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

#include "geo/cp1252_text.h"

namespace trafikon {

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The string value of `"key": "..."` inside one object of the list.
std::string ValueOf(std::string_view object, std::string_view key) {
    const std::string quoted = "\"" + std::string(key) + "\"";
    std::size_t at = object.find(quoted);
    if (at == std::string_view::npos)
        return {};
    at = object.find('"', object.find(':', at + quoted.size()));
    if (at == std::string_view::npos)
        return {};
    std::string value;
    for (std::size_t i = at + 1; i < object.size() && object[i] != '"'; ++i) {
        if (object[i] == '\\' && i + 1 < object.size())
            ++i;  // the list escapes only quotes and backslashes
        value.push_back(object[i]);
    }
    return value;
}

// msgid -> msgstr of a gettext .mo catalogue.
std::unordered_map<std::string, std::string> ReadCatalogue(const std::string& path) {
    std::unordered_map<std::string, std::string> out;
    const std::string mo = ReadFile(path);
    if (mo.size() < 28)
        return out;
    std::uint32_t magic;
    std::memcpy(&magic, mo.data(), 4);
    const bool swap = magic == 0xde120495;
    if (!swap && magic != 0x950412de)
        return out;
    const auto word = [&](std::size_t at) -> std::uint32_t {
        if (at + 4 > mo.size())
            return 0;
        std::uint32_t w;
        std::memcpy(&w, mo.data() + at, 4);
        return swap ? __builtin_bswap32(w) : w;
    };
    const auto text = [&](std::size_t entry) -> std::string_view {
        const std::uint32_t length = word(entry), offset = word(entry + 4);
        if (offset > mo.size() || length > mo.size() - offset)
            return {};
        return std::string_view(mo).substr(offset, length);
    };
    const std::uint32_t count = word(8), originals = word(12), translations = word(16);
    for (std::uint32_t i = 0; i < count && i < mo.size() / 8; ++i) {
        const std::string_view id = text(originals + 8 * std::size_t{i});
        const std::string_view str = text(translations + 8 * std::size_t{i});
        if (!id.empty() && !str.empty())
            out.emplace(id, str);
    }
    return out;
}

}  // namespace

CountryNames::CountryNames(const std::string& json, const std::string& frenchCatalogue) {
    const std::string list = ReadFile(json);
    const auto catalogue = ReadCatalogue(frenchCatalogue);
    const auto translated = [&](const std::string& english) {
        const auto it = catalogue.find(english);
        return it == catalogue.end() ? std::string() : it->second;
    };
    std::size_t at = 0;
    while ((at = list.find('{', at + 1)) != std::string::npos) {
        const std::size_t end = list.find('}', at);
        if (end == std::string::npos)
            break;
        const std::string_view object = std::string_view(list).substr(at, end - at);
        const std::string code = ValueOf(object, "alpha_2");
        const std::string name = ValueOf(object, "name");
        if (code.size() != 2 || name.empty())
            continue;
        // The usual name ("Bolivia") where the list gives one beside the formal one.
        const std::string common = ValueOf(object, "common_name");
        english_[code] = Utf8ToCp1252Text(common.empty() ? name : common);
        std::string fr = common.empty() ? std::string() : translated(common);
        if (fr.empty())
            fr = translated(name);
        french_[code] = Utf8ToCp1252Text(fr.empty() ? (common.empty() ? name : common) : fr);
        at = end;
    }
}

const CountryNames& CountryNames::Installed() {
    static const CountryNames names("/usr/share/iso-codes/json/iso_3166-1.json",
                                    "/usr/share/locale/fr/LC_MESSAGES/iso_3166-1.mo");
    return names;
}

std::string CountryNames::Name(std::string_view code, bool french) const {
    const auto& names = french ? french_ : english_;
    const auto it = names.find(std::string(code));
    return it == names.end() ? std::string() : it->second;
}

std::string CountryLabel(const CountryNames& names, std::string_view code, bool french,
                         const std::string& unknown) {
    if (code.empty())
        return unknown;
    std::string name = names.Name(code, french);
    return name.empty() ? std::string(code) : name;
}

}  // namespace trafikon
