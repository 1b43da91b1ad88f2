// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/host_address.h"

#include <arpa/inet.h>

#include <cstring>

namespace trafikon {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '"'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '"'))
        s.remove_suffix(1);
    return s;
}

bool AllDigits(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// One item of a host field: an address alone, with a port, or in brackets.
HostAddress ReadOne(std::string_view item) {
    HostAddress a;
    item = Trim(item);
    if (item.empty() || item.size() > 64)
        return a;
    if (item.front() == '[') {  // "[v6]" or "[v6]:port"
        const std::size_t close = item.find(']');
        if (close == std::string_view::npos)
            return a;
        const std::string_view rest = item.substr(close + 1);
        if (!rest.empty() && !(rest.front() == ':' && AllDigits(rest.substr(1))))
            return a;
        item = item.substr(1, close - 1);
    } else if (const std::size_t colon = item.find(':');
               colon != std::string_view::npos &&
               item.find(':', colon + 1) == std::string_view::npos) {
        if (!AllDigits(item.substr(colon + 1)))  // one colon: "v4:port"
            return a;
        item = item.substr(0, colon);
    }
    char text[65];
    std::memcpy(text, item.data(), item.size());
    text[item.size()] = '\0';
    if (inet_pton(AF_INET, text, &a.v4) == 1) {
        a.kind = HostAddress::kIPv4;
    } else if (inet_pton(AF_INET6, text, &a.v6) == 1) {
        a.kind = HostAddress::kIPv6;
        if (IN6_IS_ADDR_V4MAPPED(&a.v6)) {
            std::memcpy(&a.v4, a.v6.s6_addr + 12, 4);
            a.kind = HostAddress::kIPv4;
        }
    }
    return a;
}

}  // namespace

HostAddress ReadHostAddress(std::string_view host) {
    HostAddress first;
    while (true) {
        const std::size_t comma = host.find(',');
        const HostAddress a = ReadOne(host.substr(0, comma));
        if (a.kind != HostAddress::kNone) {
            if (IsPublicAddress(a))
                return a;
            if (first.kind == HostAddress::kNone)
                first = a;
        }
        if (comma == std::string_view::npos)
            return first;
        host.remove_prefix(comma + 1);
    }
}

bool IsPublicAddress(const HostAddress& address) {
    if (address.kind == HostAddress::kIPv4) {
        const std::uint32_t a = ntohl(address.v4.s_addr);
        const auto in = [a](std::uint32_t net, int bits) {
            return (a >> (32 - bits)) == (net >> (32 - bits));
        };
        return !(in(0x00000000, 8) || in(0x0A000000, 8) || in(0x7F000000, 8) ||
                 in(0x64400000, 10) || in(0xA9FE0000, 16) || in(0xAC100000, 12) ||
                 in(0xC0A80000, 16) || a >= 0xE0000000);
    }
    if (address.kind == HostAddress::kIPv6) {
        const std::uint8_t* b = address.v6.s6_addr;
        return !(IN6_IS_ADDR_UNSPECIFIED(&address.v6) || IN6_IS_ADDR_LOOPBACK(&address.v6) ||
                 (b[0] & 0xFE) == 0xFC ||                    // unique local fc00::/7
                 (b[0] == 0xFE && (b[1] & 0xC0) == 0x80) ||  // link-local fe80::/10
                 b[0] == 0xFF);                              // multicast
    }
    return false;
}

std::array<char, 2> CountryOfDomain(std::string_view host) {
    host = Trim(host);
    if (const std::size_t colon = host.rfind(':');
        colon != std::string_view::npos && AllDigits(host.substr(colon + 1)))
        host = host.substr(0, colon);
    if (!host.empty() && host.back() == '.')
        host.remove_suffix(1);
    const std::size_t dot = host.rfind('.');
    if (dot == std::string_view::npos || host.size() - dot != 3)
        return {'\0', '\0'};
    char c[2];
    for (int i = 0; i < 2; ++i) {
        const char ch = host[dot + 1 + i];
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')))
            return {'\0', '\0'};
        c[i] = static_cast<char>(ch & ~0x20);
    }
    // The domains that name no country of their own, and the one whose code
    // differs from its country's.
    const std::string_view code(c, 2);
    if (code == "EU" || code == "SU" || code == "AC")
        return {'\0', '\0'};
    if (code == "UK")
        return {'G', 'B'};
    return {c[0], c[1]};
}

}  // namespace trafikon
