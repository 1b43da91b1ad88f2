// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/list_shortcuts.h"

#include "store/cp1252.h"

namespace trafikon {

ListShortcut ShortcutFor(int key, bool ctrl, bool shift) {
    if (!ctrl)
        return ListShortcut::None;
    if (key == 'C' || key == kInsertKey)
        return shift ? ListShortcut::CopyAll : ListShortcut::Copy;
    if (key == 'V' && !shift)
        return ListShortcut::Open;
    return ListShortcut::None;
}

bool IsOpenableAddress(std::string_view address) {
    auto startsWithNoCase = [&](std::string_view prefix) {
        if (address.size() <= prefix.size())
            return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            char c = address[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != prefix[i])
                return false;
        }
        return true;
    };
    if (!startsWithNoCase("http://") && !startsWithNoCase("https://"))
        return false;
    // Control characters have no place in an address handed to another program.
    for (char c : address)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    return true;
}

std::string SitePageAddress(std::string_view siteUrl, std::string_view page) {
    std::string out(siteUrl);
    out.append(page);
    return out;
}

std::string AddressHost(std::string_view address) {
    const auto scheme = address.find("://");
    if (scheme == std::string_view::npos)
        return {};
    std::string_view authority = address.substr(scheme + 3);
    // Browsers end the host at "\\" as at "/".
    authority = authority.substr(0, authority.find_first_of("/?#\\"));
    if (const auto at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    std::string host(authority);
    for (char& c : host)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return host;
}

bool LeadsToSite(std::string_view address, std::string_view siteUrl) {
    // Compared as the page opener gets them: an escape can move the host.
    const std::string host = AddressHost(AddressForOpener(siteUrl));
    return !host.empty() && AddressHost(AddressForOpener(address)) == host;
}

std::string AddressForOpener(std::string_view address) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(address.size());
    auto escape = [&](unsigned char b) {
        out.push_back('%');
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 15]);
    };
    for (const unsigned char c : address) {
        if (c >= 0x80) {
            const char16_t u = Cp1252ToUnicode(c);
            if (u < 0x800) {
                escape(static_cast<unsigned char>(0xC0 | (u >> 6)));
            } else {
                escape(static_cast<unsigned char>(0xE0 | (u >> 12)));
                escape(static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F)));
            }
            escape(static_cast<unsigned char>(0x80 | (u & 0x3F)));
        } else if (c <= 0x20 || c == 0x7F ||
                   std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) !=
                       std::string_view::npos) {
            escape(c);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

}  // namespace trafikon
