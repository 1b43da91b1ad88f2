// SPDX-License-Identifier: GPL-3.0-or-later
// What the add-log dialog does with its two field lists, its preview and the
// files it is given, apart from the widgets.
//
// Fields are held by their shown texts (Windows-1252 bytes from the language
// table); the code of a text is its second character. The field N may stand in
// the format any number of times, so its text never leaves the list of all fields.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/log_format.h"

namespace trafikon {

// Absolute language entry of a field code's text (add-log base + offset).
int FieldTextEntry(char code);

class AddLogForm {
  public:
    // `textOf` gives the language text of an absolute entry number.
    explicit AddLogForm(std::function<std::string(int)> textOf);

    const std::vector<std::string>& allFields() const { return all_; }
    const std::vector<std::string>& formatFields() const { return format_; }

    // All fifteen field texts on the left in code order, none on the right.
    void Reset();
    // The saved format on the right; its fields but N leave the left list,
    // and entries with an empty text are dropped from the left.
    void Preset(std::string_view codes);
    // Fills both lists with a default's orders.
    void ApplyDefault(const DefaultFormat& format);

    // Moves the left list's `row` to the end of the format (N stays on the left).
    bool AddField(int row);
    // Moves the format's `row` to the end of the left list.
    bool RemoveField(int row);
    // Moves a format entry one place; returns its new row, or -1 when nothing moved.
    int MoveUp(int row);
    int MoveDown(int row);

    // The format as codes (second character of each text, case kept).
    FieldFormat Codes() const;
    // The refusal message for a format without its required fields, or empty.
    std::string RequiredFieldsMessage() const;

    // The preview lines: the example lines, an empty line, then the two sample
    // records of the format (each value followed by one blank).
    std::vector<std::string> PreviewLines(const std::vector<std::string>& examples) const;
    // One sample record (0 or 1) of the format.
    std::string SampleRecord(int sample) const;

  private:
    std::string TextOf(char code) const;
    std::function<std::string(int)> textOf_;
    std::vector<std::string> all_;
    std::vector<std::string> format_;
};

}  // namespace trafikon
