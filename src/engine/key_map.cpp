// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/key_map.h"

#include <cstring>
#include <stdexcept>

namespace trafikon {

namespace {

inline std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
    const unsigned __int128 r = static_cast<unsigned __int128>(a) * b;
    return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
}

inline std::uint64_t Load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

}  // namespace

std::uint64_t HashBytes(std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    std::uint64_t h = 0x243F6A8885A308D3ull ^ n;
    while (n >= 16) {
        h = Mix(Load64(p) ^ 0xA0761D6478BD642Full, Load64(p + 8) ^ h);
        p += 16;
        n -= 16;
    }
    if (n >= 8) {
        h = Mix(Load64(p) ^ 0xE7037ED1A0B428DBull, h ^ 0x8EBC6AF09C88C6E3ull);
        p += 8;
        n -= 8;
    }
    std::uint64_t tail = 0;
    if (n > 0)
        std::memcpy(&tail, p, n);
    return Mix(tail ^ 0x589965CC75374CC3ull, h ^ 0x1D8E4E27C47D124Full);
}

bool PackAddress(std::string_view text, std::uint32_t& address) {
    const std::size_t n = text.size();
    if (n < 7 || n > 15)
        return false;
    std::uint32_t packed = 0;
    std::size_t i = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && (i >= n || text[i++] != '.'))
            return false;
        const std::size_t start = i;
        unsigned value = 0;
        while (i < n && i - start < 3 && text[i] >= '0' && text[i] <= '9')
            value = value * 10 + static_cast<unsigned>(text[i++] - '0');
        const std::size_t digits = i - start;
        if (digits == 0 || value > 255 || (digits > 1 && text[start] == '0'))
            return false;
        packed = packed << 8 | value;
    }
    if (i != n)
        return false;
    address = packed;
    return true;
}

KeyMap::KeyMap() : table_(1024), mask_(1023) {}

std::string_view KeyMap::TextOf(const Stored& key, char (&buffer)[16]) {
    if (!key.address)
        return std::string_view(key.bytes, key.size);
    std::uint32_t address;
    std::memcpy(&address, key.bytes, 4);
    char* p = buffer;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned value = address >> shift & 0xFF;
        if (value >= 100)
            *p++ = static_cast<char>('0' + value / 100);
        if (value >= 10)
            *p++ = static_cast<char>('0' + value / 10 % 10);
        *p++ = static_cast<char>('0' + value % 10);
        if (shift > 0)
            *p++ = '.';
    }
    return std::string_view(buffer, static_cast<std::size_t>(p - buffer));
}

std::string_view KeyMap::Key(std::uint32_t position) const {
    std::uint64_t offset = samples_[position / kSampleEvery];
    for (std::uint32_t k = position % kSampleEvery; k > 0; --k)
        offset = keys_.After(offset, StoredBytes(offset));
    thread_local char buffer[16];
    std::uint32_t unused;
    return TextOf(StoredAt(offset, unused), buffer);
}

std::int64_t KeyMap::Find(std::string_view key) const {
    const std::uint64_t h = HashBytes(key);
    const std::uint64_t tag = h >> kOffsetBits << kOffsetBits;
    for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
        const std::uint64_t slot = table_[i];
        if (slot == 0)
            return -1;
        std::uint32_t position;
        if ((slot & ~kOffsetMask) == tag && Holds(slot, key, position))
            return position;
    }
}

std::uint32_t KeyMap::Add(std::string_view key, std::uint64_t tag, std::size_t slot) {
    const auto position = static_cast<std::uint32_t>(size());
    char header[9];
    std::memcpy(header, &position, 4);
    std::size_t headerSize = 5;
    std::uint32_t address;
    if (packAddresses_ && PackAddress(key, address)) {
        header[4] = static_cast<char>(kAddressKey);
        std::memcpy(header + 5, &address, 4);
        headerSize = 9;
        key = {};
    } else if (key.size() < kAddressKey) {
        header[4] = static_cast<char>(key.size());
    } else {
        header[4] = static_cast<char>(kLongKey);
        const auto length = static_cast<std::uint32_t>(key.size());
        std::memcpy(header + 5, &length, 4);
        headerSize = 9;
    }
    std::uint64_t offset;
    char* p = keys_.Reserve(headerSize + key.size(), offset, kOffsetBits);
    std::memcpy(p, header, headerSize);
    if (!key.empty())
        std::memcpy(p + headerSize, key.data(), key.size());
    if (position % kSampleEvery == 0)
        samples_.push_back(offset);
    ++size_;
    table_[slot] = tag | (offset + 1);
    if (size() * 4 > table_.size() * 3)
        Grow();
    return position;
}

void KeyMap::Grow() {
    std::vector<std::uint64_t> table(table_.size() * 2);
    const std::size_t mask = table.size() - 1;
    // The keys are read in the order they are stored, one after the other,
    // where a walk of the table would read them in no order at all.
    std::uint64_t offset = size_ == 0 ? 0 : samples_[0];
    for (std::uint32_t k = 0; k < size_; ++k, offset = keys_.After(offset, StoredBytes(offset))) {
        std::uint32_t position;
        char buffer[16];
        const std::uint64_t h = HashBytes(TextOf(StoredAt(offset, position), buffer));
        std::size_t i = h & mask;
        while (table[i] != 0)
            i = (i + 1) & mask;
        table[i] = (h >> kOffsetBits << kOffsetBits) | (offset + 1);
    }
    table_.swap(table);
    mask_ = mask;
}

}  // namespace trafikon
