// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include "app/language_dialog.h"
#include "shell_fixture_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {
namespace {

using testing::kFrenchEntry;
using testing::ProgramFolder;
using testing::ReadRaw;
using testing::WriteRaw;

const std::string kParam =
    "http://www.example.com\r\nRetour On\r\n70\r\nEnglish (en)\r\n"
    "five\r\n\r\nseven \r\n\r\n\r\n\r\n\r\n\r\nthirteen\r\n";

class SettingsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.Prepare();
        StartUp(folder.dir(), {});
    }
    ProgramFolder folder;
    TFConfiguration dialog;
};

TEST_F(SettingsDialogTest, ShowsTheFileAndSavesItBackUnchanged) {
    WriteRaw(folder.site() + "param.tfd", kParam);
    dialog.show();
    EXPECT_EQ(dialog.urlEdit()->text(), "http://www.example.com");
    EXPECT_TRUE(dialog.statusBox()->isChecked());
    EXPECT_EQ(dialog.minHostControl()->value(), 70);
    ASSERT_NE(dialog.languageList()->currentItem(), nullptr);
    EXPECT_EQ(dialog.languageList()->currentItem()->text(), "English (en)");
    EXPECT_EQ(dialog.windowTitle(), Tr(176));
    dialog.BEnregParamClick();
    EXPECT_EQ(ReadRaw(folder.site() + "param.tfd"), kParam);
    EXPECT_EQ(ReadRaw(folder.dir() + "conf.tfd"), kParam);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SettingsDialogTest, ABareLanguageCodeSelectsNothingAndSavesFrench) {
    WriteRaw(folder.site() + "param.tfd", "\r\nRetour Off\r\n40\r\nfr\r\n");
    dialog.show();
    EXPECT_FALSE(dialog.statusBox()->isChecked());
    EXPECT_TRUE(dialog.languageList()->selectedItems().isEmpty());
    dialog.BEnregParamClick();
    EXPECT_EQ(ReadRaw(folder.site() + "param.tfd"), "\r\nRetour Off\r\n40\r\n" + kFrenchEntry +
                                                        "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(SettingsDialogTest, CancelSavesNothing) {
    WriteRaw(folder.site() + "param.tfd", kParam);
    dialog.show();
    dialog.urlEdit()->setText("changed");
    dialog.statusBox()->setChecked(false);
    dialog.BCancelClick();
    EXPECT_EQ(ReadRaw(folder.site() + "param.tfd"), kParam);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SettingsDialogTest, MinimumRequestsMovesOnlyByTheArrowsInStepsOfTenWithinBounds) {
    dialog.show();
    QSpinBox* spin = dialog.minHostControl();
    struct Case {
        int start;
        int steps;
        int expected;
    };
    for (const Case& c : {Case{40, 1, 50}, Case{40, -3, 10}, Case{5, -1, 0}, Case{0, -1, 0},
                          Case{32760, 1, 32767}, Case{32767, 1, 32767}}) {
        spin->setValue(c.start);
        spin->stepBy(c.steps);
        EXPECT_EQ(spin->value(), c.expected) << c.start << " " << c.steps;
    }
    EXPECT_TRUE(spin->findChild<QLineEdit*>()->isReadOnly());
    spin->setValue(120);
    dialog.BEnregParamClick();
    EXPECT_EQ(App().settings[3], "120");
}

TEST_F(SettingsDialogTest, BothDialogsListEveryLanguageFile) {
    std::string german = "Deutsch\r\n";
    for (int i = 1; i < 194; ++i)
        german += "x\r\n";
    WriteRaw(folder.dir() + "de.tfl", german);
    dialog.show();
    ASSERT_EQ(dialog.languageList()->count(), 3);
    EXPECT_EQ(dialog.languageList()->item(0)->text(), "Deutsch (de)");
    TFLangue chooser;
    chooser.show();
    ASSERT_EQ(chooser.languageList()->count(), 3);
    // French is offered first; what is typed is taken as it is.
    EXPECT_EQ(chooser.languageList()->currentText(), FromCp1252(kFrenchEntry));
    chooser.languageList()->setEditText("Klingon (kl)");
    chooser.BOKClick();
    EXPECT_EQ(chooser.chosen(), "Klingon (kl)");
}

}  // namespace
}  // namespace trafikon
