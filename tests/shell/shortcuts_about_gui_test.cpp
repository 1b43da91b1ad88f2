#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "shell/about_dialog.h"
#include "shell/app_state.h"
#include "shell/shortcuts_window.h"
#include "shell/text_convert_qt.h"
#include "support/scripted_messages_qt.h"

namespace trafikon {
namespace {

TEST(ShortcutsWindow, LinesFollowTheLanguageCode) {
    struct Case {
        const char* setting;
        int lines;
        QString first;
    } cases[] = {
        {"Fran\xE7"
         "ais (fr)",
         4, QString::fromUtf8("F2 : Affiche la fenêtre \"Général\"")},
        {"English (en)", 4, "F2 : Show the \"General\" window"},
        {"Deutsch (de)", 1, ""},
    };
    App().language.Assign(BuiltInEnglish());
    for (const Case& c : cases) {
        App().settings[4] = c.setting;
        TFHelp help;
        help.show();
        const QString text = help.findChild<QPlainTextEdit*>("MHelp")->toPlainText();
        EXPECT_EQ(text.split('\n').size(), c.lines) << c.setting;
        EXPECT_EQ(text.split('\n').first(), c.first);
        EXPECT_EQ(help.findChild<QPushButton*>("BClose")->text(), "Close");
    }
    EXPECT_EQ(TFHelp::ShortcutLines("en").last(),
              "CTRL+V : Load the selected file in your browser");
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
    EXPECT_EQ(about.findChild<QPushButton*>("BOK")->text(), "Fermer");
    EXPECT_TRUE(about.findChild<QPushButton*>("BOK")->isDefault());
    QTest::mouseClick(about.findChild<QLabel*>("Label4"), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace trafikon
