// SPDX-License-Identifier: GPL-3.0-or-later
// What the host field of a log line says about where the visitor is: an
// address to look up, or a host name whose country-code top-level domain
// tells the country. Nothing here asks the network.
#pragma once

#include <netinet/in.h>

#include <array>
#include <string_view>

namespace trafikon {

struct HostAddress {
    enum Kind { kNone, kIPv4, kIPv6 } kind = kNone;
    in_addr v4{};
    in6_addr v6{};
};

// The address a host field names. Read sensibly: "1.2.3.4", "1.2.3.4:5678",
// "2001:db8::1", "[2001:db8::1]:443", an IPv4-mapped IPv6 address (given as
// IPv4), and a list "203.0.113.7, 10.0.0.1" (its first public address, else
// its first address). kind is kNone for anything else, such as a host name.
HostAddress ReadHostAddress(std::string_view host);

// False for the private, loopback, link-local, shared and unspecified ranges,
// which no country holds.
bool IsPublicAddress(const HostAddress& address);

// The country code ("FR") of a host name's last label when that label is a
// country-code top-level domain ("www.example.fr"); "\0\0" otherwise.
std::array<char, 2> CountryOfDomain(std::string_view host);

}  // namespace trafikon
