// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/address_mask.h"

#include <arpa/inet.h>

#include <cstring>

#include "geo/host_address.h"

namespace trafikon {

std::string MaskedHost(std::string_view host) {
    HostAddress a = ReadHostAddress(host);
    char text[INET6_ADDRSTRLEN];
    if (a.kind == HostAddress::kIPv4) {
        a.v4.s_addr &= htonl(0xFFFFFF00u);
        inet_ntop(AF_INET, &a.v4, text, sizeof text);
        return std::string(text) + "/24";
    }
    if (a.kind == HostAddress::kIPv6) {
        std::memset(a.v6.s6_addr + 6, 0, 10);
        inet_ntop(AF_INET6, &a.v6, text, sizeof text);
        return std::string(text) + "/48";
    }
    return std::string(host);
}

}  // namespace trafikon
