// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/add_log_form.h"

#include <gtest/gtest.h>

#include "text/language_table.h"

namespace trafikon {
namespace {

// Texts "%<code>-name" for the field entries, "need: " for entry 81.
std::string FakeText(int entry) {
    if (entry == lang::kAddLog + 33)
        return "need: ";
    for (const FieldCode& field : kFieldCodes)
        if (lang::kAddLog + field.offset == entry)
            return std::string("%") + field.code + "-name";
    return entry == lang::kAddLog ? "Add" : "";
}

std::string CodesOf(const std::vector<std::string>& texts) {
    std::string codes;
    for (const std::string& text : texts)
        codes += CodeOfFieldText(text);
    return codes;
}

TEST(AddLogForm, PresetTakesSavedFieldsOffTheLeftListButN) {
    AddLogForm form(FakeText);
    struct Case {
        std::string saved, format, left;
    };
    for (const Case& c :
         {Case{"dHhuNNMINsU", "dHhuNNMINsU", "ltrbRvN"}, Case{"", "", "hlutrIsbRUvdHMN"},
          Case{"hlutrsbRU", "hlutrsbRU", "IvdHMN"}}) {
        form.Preset(c.saved);
        EXPECT_EQ(CodesOf(form.formatFields()), c.format) << c.saved;
        EXPECT_EQ(CodesOf(form.allFields()), c.left) << c.saved;
        EXPECT_EQ(form.Codes(), c.format);
    }
}

TEST(AddLogForm, UnknownSavedCodeShowsTheSectionTextAndEmptyTextsLeaveTheLeftList) {
    AddLogForm form(FakeText);
    form.Preset("hx");
    ASSERT_EQ(form.formatFields().size(), 2u);
    EXPECT_EQ(form.formatFields()[1], "Add");  // offset 0 of the section
    EXPECT_EQ(form.allFields().size(), 14u);
}

TEST(AddLogForm, RequiredFieldsNameEveryMissingNeedInOrder) {
    AddLogForm form(FakeText);
    struct Case {
        std::string_view codes;
        std::string message;
    };
    for (const Case& c :
         {Case{"hlutrsb", ""}, Case{"hsM", ""}, Case{"lutr", "need: Retour HTTP, Host"},
          Case{"hs", "need: Ressource"}, Case{"HS", "need: Ressource, Retour HTTP, Host"}}) {
        form.ApplyDefault({c.codes, ""});
        EXPECT_EQ(form.RequiredFieldsMessage(), c.message) << c.codes;
    }
}

TEST(AddLogForm, SampleRecordsFollowTheFormatOrder) {
    AddLogForm form(FakeText);
    form.ApplyDefault({"suN", ""});
    EXPECT_EQ(form.SampleRecord(0), "304 - - ");
    EXPECT_EQ(form.SampleRecord(1), "304 user - ");
    const std::vector<std::string> preview = form.PreviewLines({"line a"});
    EXPECT_EQ(preview, (std::vector<std::string>{"line a", "", "304 - - ", "304 user - "}));
}

TEST(AddLogForm, MovesStayWithinTheList) {
    AddLogForm form(FakeText);
    form.ApplyDefault({"hls", ""});
    EXPECT_EQ(form.MoveUp(0), -1);
    EXPECT_EQ(form.MoveDown(2), -1);
    EXPECT_EQ(form.MoveDown(-1), -1);
    EXPECT_EQ(form.MoveDown(0), 1);
    EXPECT_EQ(form.Codes(), "lhs");
    EXPECT_FALSE(form.AddField(99));
    EXPECT_FALSE(form.RemoveField(-1));
}

}  // namespace
}  // namespace trafikon
