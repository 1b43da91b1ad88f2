// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/country_database.h"

#include <maxminddb.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "geo/cp1252_text.h"

namespace trafikon {

struct CountryDatabase::Handle {
    MMDB_s db{};
    bool opened = false;
    ~Handle() {
        if (opened)
            MMDB_close(&db);
    }
};

CountryDatabase::CountryDatabase(const std::string& path) {
    if (path.empty())
        return;
    auto handle = std::make_unique<Handle>();
    const int status = MMDB_open(path.c_str(), MMDB_MODE_MMAP, &handle->db);
    if (status != MMDB_SUCCESS) {
        error_ = status == MMDB_IO_ERROR ? std::string(std::strerror(errno))
                                         : std::string(MMDB_strerror(status));
        return;  // MMDB_open frees what it took itself when it fails
    }
    handle->opened = true;
    mmdb_ = std::move(handle);
}

CountryDatabase::~CountryDatabase() = default;

std::string CountryDatabase::Description() const {
    if (!mmdb_)
        return {};
    const MMDB_metadata_s& m = mmdb_->db.metadata;
    std::string text = m.database_type ? m.database_type : "";
    const auto epoch = static_cast<std::time_t>(m.build_epoch);
    std::tm tm{};
    char date[16];
    if (gmtime_r(&epoch, &tm) && std::strftime(date, sizeof date, "%Y-%m-%d", &tm) > 0) {
        text += ", ";
        text += date;
    }
    return Utf8ToCp1252Text(text);
}

namespace {

// A string value at `path` of an entry, or empty.
std::string_view StringAt(MMDB_entry_s entry, const char* const* path) {
    MMDB_entry_data_s data;
    if (MMDB_aget_value(&entry, &data, path) != MMDB_SUCCESS || !data.has_data ||
        data.type != MMDB_DATA_TYPE_UTF8_STRING)
        return {};
    return {data.utf8_string, data.data_size};
}

}  // namespace

GeoPlace CountryDatabase::Locate(std::string_view host) const {
    GeoPlace place;
    const HostAddress address = ReadHostAddress(host);
    if (address.kind == HostAddress::kNone) {
        place.country = CountryOfDomain(host);
        return place;
    }
    if (!mmdb_ || !IsPublicAddress(address))
        return place;
    sockaddr_in v4{};
    sockaddr_in6 v6{};
    const sockaddr* sa;
    if (address.kind == HostAddress::kIPv4) {
        v4.sin_family = AF_INET;
        v4.sin_addr = address.v4;
        sa = reinterpret_cast<const sockaddr*>(&v4);
    } else {
        v6.sin6_family = AF_INET6;
        v6.sin6_addr = address.v6;
        sa = reinterpret_cast<const sockaddr*>(&v6);
    }
    int error = 0;
    MMDB_lookup_result_s found = MMDB_lookup_sockaddr(&mmdb_->db, sa, &error);
    if (error != MMDB_SUCCESS || !found.found_entry)
        return place;
    static const char* const kTopCode[] = {"country_code", nullptr};
    static const char* const kNestedCode[] = {"country", "iso_code", nullptr};
    std::string_view code = StringAt(found.entry, kTopCode);
    if (code.empty())
        code = StringAt(found.entry, kNestedCode);
    if (code.size() != 2)
        return place;
    for (int i = 0; i < 2; ++i) {
        const char c = code[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return place;
        place.country[i] = static_cast<char>(c & ~0x20);
    }
    // City databases: the English name, else the French one, else the
    // ip-location-db layout's own field.
    static const char* const kCityEn[] = {"city", "names", "en", nullptr};
    static const char* const kCityFr[] = {"city", "names", "fr", nullptr};
    static const char* const kCityTop[] = {"city", nullptr};
    std::string_view city = StringAt(found.entry, kCityEn);
    if (city.empty())
        city = StringAt(found.entry, kCityFr);
    if (city.empty())
        city = StringAt(found.entry, kCityTop);
    if (!city.empty())
        place.city = Utf8ToCp1252Text(city.substr(0, 200));
    return place;
}

}  // namespace trafikon
