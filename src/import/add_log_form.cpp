// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/add_log_form.h"

#include <algorithm>

#include "text/language_table.h"
#include "text/window_entries.h"

namespace trafikon {

namespace {

// Sample values of each code for the preview, first and second record.
struct SampleValues {
    char code;
    const char* first;
    const char* second;
};
constexpr SampleValues kSamples[] = {
    {'h', "client.example.com", "192.168.10.25"},
    {'l', "-", "-"},
    {'u', "-", "user"},
    {'t', "[24/Mar/2002:01:37:08 +0100]", "[25/Mar/2002:21:37:08 +0100]"},
    {'r', "\"GET /index.php HTTP/1.1\"", "\"GET http://www.example.com/index.php HTTP/1.1\""},
    {'I', "/index.php", "http://www.example.com/index.php"},
    {'s', "304", "304"},
    {'b', "1248", "1248"},
    {'R', "\"http://www.example.com/links.html\"", "\"-\""},
    {'U', "\"Mozilla/3\"", "\"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)\""},
    {'v', "www.example.com", "www.example.com"},
    {'d', "2003-10-08", "2003-10-08"},
    {'H', "00:13:11", "00:13:11"},
    {'M', "GET", "GET"},
    {'N', "-", "-"},
};

const SampleValues* FindSample(char code) {
    for (const SampleValues& s : kSamples)
        if (s.code == code)
            return &s;
    return nullptr;
}

}  // namespace

int FieldTextEntry(char code) {
    return lang::kAddLog + FieldCodeOffset(code);
}

AddLogForm::AddLogForm(std::function<std::string(int)> textOf) : textOf_(std::move(textOf)) {}

std::string AddLogForm::TextOf(char code) const {
    return textOf_(FieldTextEntry(code));
}

void AddLogForm::Reset() {
    all_.clear();
    format_.clear();
    for (const FieldCode& field : kFieldCodes)
        all_.push_back(TextOf(field.code));
}

void AddLogForm::Preset(std::string_view codes) {
    Reset();
    for (char code : codes) {
        const std::string text = TextOf(code);
        format_.push_back(text);
        if (code != 'N') {
            auto it = std::find(all_.begin(), all_.end(), text);
            if (it != all_.end())
                all_.erase(it);
        }
    }
    all_.erase(std::remove(all_.begin(), all_.end(), std::string()), all_.end());
}

void AddLogForm::ApplyDefault(const DefaultFormat& format) {
    all_.clear();
    format_.clear();
    for (char code : format.format)
        format_.push_back(TextOf(code));
    for (char code : format.remaining)
        all_.push_back(TextOf(code));
}

bool AddLogForm::AddField(int row) {
    if (row < 0 || row >= static_cast<int>(all_.size()))
        return false;
    const std::string text = all_[static_cast<std::size_t>(row)];
    format_.push_back(text);
    if (CodeOfFieldText(text) != 'N')
        all_.erase(all_.begin() + row);
    return true;
}

bool AddLogForm::RemoveField(int row) {
    if (row < 0 || row >= static_cast<int>(format_.size()))
        return false;
    all_.push_back(format_[static_cast<std::size_t>(row)]);
    format_.erase(format_.begin() + row);
    return true;
}

int AddLogForm::MoveUp(int row) {
    if (row <= 0 || row >= static_cast<int>(format_.size()))
        return -1;
    std::swap(format_[static_cast<std::size_t>(row)], format_[static_cast<std::size_t>(row - 1)]);
    return row - 1;
}

int AddLogForm::MoveDown(int row) {
    if (row < 0 || row + 1 >= static_cast<int>(format_.size()))
        return -1;
    std::swap(format_[static_cast<std::size_t>(row)], format_[static_cast<std::size_t>(row + 1)]);
    return row + 1;
}

FieldFormat AddLogForm::Codes() const {
    FieldFormat codes;
    for (const std::string& text : format_)
        codes.push_back(CodeOfFieldText(text));
    return codes;
}

std::string AddLogForm::RequiredFieldsMessage() const {
    const std::string missing = CheckRequiredFields(Codes());
    return missing.empty() ? std::string() : textOf_(lang::addlog::kRequiredFields) + missing;
}

std::string AddLogForm::SampleRecord(int sample) const {
    std::string record;
    for (const std::string& text : format_) {
        if (const SampleValues* values = FindSample(CodeOfFieldText(text)))
            record += sample == 0 ? values->first : values->second;
        record += ' ';
    }
    return record;
}

std::vector<std::string> AddLogForm::PreviewLines(const std::vector<std::string>& examples) const {
    std::vector<std::string> lines = examples;
    lines.emplace_back();
    lines.push_back(SampleRecord(0));
    lines.push_back(SampleRecord(1));
    return lines;
}

}  // namespace trafikon
