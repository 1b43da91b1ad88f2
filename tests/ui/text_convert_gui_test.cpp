// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text_convert_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>

#include "ui/message_service_qt.h"

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

TEST(TextConvertTest, DisplayTextsAreCutAndToolTipsShowMarkupAsText) {
    EXPECT_EQ(DisplayText(std::string(kDisplayTextLimit, 'a')).size(), kDisplayTextLimit);
    const QString cut = DisplayText(std::string(1 << 20, 'a'));
    EXPECT_EQ(cut.size(), kDisplayTextLimit + 1);
    EXPECT_EQ(cut.back(), QChar(0x2026));
    // Log lines show as the log has them: UTF-8 when they are, NUL visible.
    EXPECT_EQ(LogLineText("GET /caf\xc3\xa9 HTTP/1.1"),
              QString::fromUtf8("GET /caf\xc3\xa9 HTTP/1.1"));
    EXPECT_EQ(LogLineText("GET /caf\xe9"), QString::fromUtf8("GET /caf\xc3\xa9"));
    EXPECT_EQ(LogLineText(std::string("a\0b", 3)), QStringLiteral("a\\0b"));
    EXPECT_TRUE(PlainToolTip(QString()).isEmpty());
    const QString markup = QStringLiteral("<h1 style=\"color:red\">A</h1> <img src='/x.png'>&amp;");
    QTextDocument shown;
    shown.setHtml(PlainToolTip(markup));
    EXPECT_EQ(shown.toPlainText(), markup);
}

TEST(TextConvertTest, MessageBoxesShowTheirTextAsPlainText) {
    Qt::TextFormat format = Qt::RichText;
    QString text;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                format = box->textFormat();
                text = box->text();
                box->accept();
            }
        }
    });
    Messages().Inform(nullptr, QStringLiteral("<b>bold</b>"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(text, QStringLiteral("<b>bold</b>"));
}

}  // namespace
}  // namespace trafikon
