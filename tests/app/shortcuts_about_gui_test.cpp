// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/about_dialog.h"
#include "app/shortcuts_window.h"
#include "state/app_state.h"
#include "support/scripted_messages_qt.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"

namespace trafikon {
namespace {

TEST(ShortcutsWindow, LinesFollowTheInterfaceLanguage) {
    struct Case {
        const std::vector<std::string>& table;
        QString first, close;
    } cases[] = {
        {BuiltInFrench(), QString::fromUtf8("F2 : Affiche la fenêtre \"Général\""), "Fermer"},
        {BuiltInEnglish(), "F2 : Show the \"General\" window", "Close"},
    };
    for (const Case& c : cases) {
        App().language.Assign(c.table);
        TFHelp help;
        help.show();
        const QStringList lines =
            help.findChild<QPlainTextEdit*>("MHelp")->toPlainText().split('\n');
        EXPECT_EQ(lines.size(), 4);
        EXPECT_EQ(lines.first(), c.first);
        EXPECT_EQ(help.findChild<QPushButton*>("BClose")->text(), c.close);
    }
    EXPECT_EQ(TFHelp::ShortcutLines().last(), "CTRL+V : Load the selected file in your browser");
}

TEST(AboutBox, ShowsVersionAndTextsAndOpensNothingWithoutBrowser) {
    testing::ScriptedMessages messages;
    App().language.Assign(BuiltInFrench());
    App().browserCommand.clear();
    TFAprop about;
    about.show();
    EXPECT_EQ(about.windowTitle(), "A Propos");
    EXPECT_EQ(about.findChild<QLabel*>("LVersion")->text(), "Version : 3.1.1");
    EXPECT_TRUE(about.findChild<QLabel*>("LVersion")->font().bold());
    EXPECT_EQ(about.findChild<QLabel*>("Label1")->text(), Tr(184));
    EXPECT_EQ(about.findChild<QLabel*>("Label2")->text(), Tr(186));
    EXPECT_FALSE(Tr(184).isEmpty());
    EXPECT_TRUE(about.findChild<QLabel*>("Label4")->text().contains("GPL"));
    EXPECT_EQ(about.findChild<QPushButton*>("BOK")->text(), "Fermer");
    EXPECT_TRUE(about.findChild<QPushButton*>("BOK")->isDefault());
    QTest::mouseClick(about.findChild<QLabel*>("Label4"), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(about.isVisible());
    App().browserCommand = "/nonexistent/browser";
    about.Label4Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("/nonexistent/browser"));
    App().browserCommand.clear();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace trafikon
