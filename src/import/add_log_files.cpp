// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/add_log_files.h"

#include "import/format_detection.h"

namespace trafikon {

void AddLogFiles::Clear() {
    heads_.clear();
    detected_.clear();
}

void AddLogFiles::Add(std::vector<std::string> head) {
    detected_.push_back(DetectFormat(head));
    heads_.push_back(std::move(head));
}

void AddLogFiles::Remove(std::size_t file) {
    if (file >= heads_.size())
        return;
    heads_.erase(heads_.begin() + static_cast<std::ptrdiff_t>(file));
    detected_.erase(detected_.begin() + static_cast<std::ptrdiff_t>(file));
}

bool AddLogFiles::UsesOwnFormat(std::size_t file, bool ownFormats) const {
    const FieldFormat& own = detected_[file];
    return ownFormats && !own.empty() && CheckRequiredFields(own).empty();
}

const FieldFormat& AddLogFiles::FormatOf(std::size_t file, const FieldFormat& shown,
                                         bool ownFormats) const {
    return UsesOwnFormat(file, ownFormats) ? detected_[file] : shown;
}

std::optional<AddLogFiles::Misfit> AddLogFiles::FirstMisfit(const FieldFormat& shown,
                                                            bool ownFormats) const {
    for (std::size_t i = 0; i < heads_.size(); ++i) {
        if (UsesOwnFormat(i, ownFormats))  // the format shown does not apply to it
            continue;
        const char field = FirstMisfitField(shown, heads_[i]);
        if (field != '\0')
            return Misfit{i, field, detected_[i]};
    }
    return std::nullopt;
}

}  // namespace trafikon
