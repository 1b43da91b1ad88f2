// SPDX-License-Identifier: GPL-3.0-or-later
// Opens fuzzed bytes as the country database, as the analyses do from the
// file the settings name: a file that is not a database must say why, and
// lookups in one that opens must end, whatever its tree and data hold.
// Input: host fields to look up on the first line (split by spaces), the
// database file after it.
#include <arpa/inet.h>

#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz_util.h"
#include "geo/country_database.h"

using namespace trafikon;
using namespace trafikon::fuzz;

// libmaxminddb 1.7.1 leaks 4.6 KB of its own when a file's metadata holds bad
// data; the program opens its database once an analysis, so only leaks of
// ours count here.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libmaxminddb.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = Cut(AsText(data, size), "\n", 2);
    const std::string_view hosts = parts[0];
    const std::string_view file = parts.size() > 1 ? parts[1] : std::string_view();

    const std::string path = ScratchStore() + "countries.mmdb";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
    }
    const CountryDatabase db(path);
    if (!db.open()) {
        FUZZ_CHECK(!db.error().empty() && db.error() != std::strerror(0));
        return 0;
    }
    FUZZ_CHECK(db.error().empty());
    (void)db.Description();

    const auto check = [&db](std::string_view host) {
        const GeoPlace place = db.Locate(host);
        for (const char c : place.country)
            FUZZ_CHECK(c == '\0' || (c >= 'A' && c <= 'Z'));
        FUZZ_CHECK(place.city.size() <= 200 * 3);
    };
    for (const std::string_view host : Cut(hosts, " ", 5))
        check(host);
    // Addresses spread over both trees, from the database's last bytes.
    char text[INET6_ADDRSTRLEN];
    unsigned char bytes[16] = {};
    std::memcpy(bytes, file.data() + file.size() - std::min<std::size_t>(16, file.size()),
                std::min<std::size_t>(16, file.size()));
    bytes[0] |= 0x20;  // a public range
    if (inet_ntop(AF_INET6, bytes, text, sizeof text))
        check(text);
    if (inet_ntop(AF_INET, bytes, text, sizeof text))
        check(text);
    check("203.0.113.7");
    check("2001:db8::1");
    return 0;
}
