// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary record lines and id lists the way the engine and the
// windows read them, and checks that records built from tag-free values read
// back the same.
#include <string>
#include <string_view>

#include "fuzz_util.h"
#include "store/tagged_record.h"
#include "support/store_records.h"

using namespace trafikon;
using trafikon::fuzz::AsText;
using trafikon::fuzz::Cut;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = AsText(data, size);

    // Reading by field number: every view points into the line.
    for (int i = -1; i <= kMaxRecordFields + 2; ++i) {
        const std::string_view a = ReadField(line, i);
        FUZZ_CHECK(a.empty() ||
                   (a.data() >= line.data() && a.data() + a.size() <= line.data() + line.size()));
    }
    for (int n = -1; n <= kMaxRecordFields + 2; ++n) {
        const RecordValues values = ReadFields(line, n);
        for (int i = 1; i <= kMaxRecordFields; ++i)
            FUZZ_CHECK(values[i - 1] == (i <= n ? ReadField(line, i) : std::string_view()));
    }

    // Id lists and numbers.
    const std::vector<long long> ids = ParseIdList(line);
    FUZZ_CHECK(ids.size() == IdListSize(line));
    (void)ParseInteger(line);
    (void)ParseSignedDecimal(line);
    // A list rebuilt from the numbers holds each of them and reads back the same;
    // a list already in that form is its own rebuild.
    std::string rebuilt(kEmptyIdList);
    for (long long id : ids)
        IdListAppend(rebuilt, id);
    FUZZ_CHECK(ParseIdList(rebuilt) == ids);
    for (long long id : ids)
        FUZZ_CHECK(IdListContains(rebuilt, id));
    if (rebuilt == line) {
        for (long long id : ids)
            FUZZ_CHECK(IdListContains(line, id));
    }

    // Values without a backslash cannot hold a tag: they read back unchanged.
    const auto pieces = Cut(line, "|", kMaxRecordFields);
    RecordValues values;
    const int n = static_cast<int>(pieces.size());
    bool tagFree = true;
    for (int i = 0; i < n; ++i) {
        values[i] = pieces[i];
        tagFree = tagFree && pieces[i].find('\\') == std::string_view::npos;
    }
    if (tagFree) {
        const std::string record = BuildRecord(values, n);
        FUZZ_CHECK(ReadFields(record, n) == values);
        std::string appended;
        std::vector<std::string_view> views(pieces.begin(), pieces.end());
        AppendRecord(appended, views);
        FUZZ_CHECK(appended == record);
    }
    return 0;
}
