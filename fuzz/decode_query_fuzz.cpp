// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes fuzzed referrer queries and converts fuzzed UTF-8 text.
// Input: the raw query on the first line, the full referrer after it.
#include <string>
#include <string_view>

#include "engine/query_decoder.h"
#include "fuzz_util.h"

using namespace trafikon;
using trafikon::fuzz::AsText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QueryDecoder decoder;  // one per run, as the analysis keeps one
    const std::string_view text = AsText(data, size);
    const std::size_t eol = text.find('\n');
    const std::string_view query = text.substr(0, eol);
    const std::string_view referrer =
        eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);

    std::string out;
    decoder.DecodeQuery(query, referrer, out);
    decoder.DecodeQuery(referrer, query, out);

    // Every character or ill-formed sequence becomes one byte at most.
    decoder.Utf8ToCp1252(text, out);
    FUZZ_CHECK(out.size() <= text.size());
    bool ascii = true;
    for (char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        FUZZ_CHECK(out == text);

    for (char a : text.substr(0, 8))
        for (char b : text.substr(0, 8))
            FUZZ_CHECK(ReadHexPair(a, b) >= 0 && ReadHexPair(a, b) <= 255);
    return 0;
}
