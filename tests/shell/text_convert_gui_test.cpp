#include "shell/text_convert_qt.h"

#include <gtest/gtest.h>

namespace trafikon {
namespace {

TEST(TextConvertTest, Cp1252RoundTripsAndUnmappableBecomesQuestionMark) {
    const std::string bytes =
        "Fran\xe7"
        "ais \x80 \x9c \x85";
    const QString text = FromCp1252(bytes);
    EXPECT_EQ(text, QString::fromUtf8("Français € œ …"));
    EXPECT_EQ(ToCp1252(text), bytes);
    EXPECT_EQ(ToCp1252(QString::fromUtf8("a\u4e2db")), "a?b");
    // Bytes with no character in Windows-1252 survive a round trip.
    EXPECT_EQ(ToCp1252(FromCp1252("\x81\x8d")), "\x81\x8d");
}

}  // namespace
}  // namespace trafikon
