// SPDX-License-Identifier: GPL-3.0-or-later
// Visitors' addresses as reports and exports show them when the user asks for
// them masked: IPv4 cut to its /24 network, IPv6 to its /48, as the French
// data-protection authority recommends. Host names stay as they are.
#pragma once

#include <string>
#include <string_view>

namespace trafikon {

// "203.0.113.0/24" for "203.0.113.7:5678"; "2001:db8:39::/48" for
// "[2001:db8:39:b1::a7]:443"; a list is read as ReadHostAddress reads it.
// Anything that is not an address comes back unchanged.
std::string MaskedHost(std::string_view host);

}  // namespace trafikon
