// SPDX-License-Identifier: GPL-3.0-or-later
// The files listed in the add-log dialog, apart from the widgets: of each, its
// first lines and the format they show, and the rules that pick the format it
// is imported with and the first file that the format shown does not fit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "store/log_format.h"

namespace trafikon {

class AddLogFiles {
  public:
    void Clear();
    // Lists a file by its first lines (ReadFileHead); the format they show is
    // detected now.
    void Add(std::vector<std::string> head);
    void Remove(std::size_t file);
    std::size_t size() const { return heads_.size(); }
    // The format detected for each listed file (empty when not recognised).
    const std::vector<FieldFormat>& detected() const { return detected_; }

    // Whether `file` is imported with its own detected format: when
    // `ownFormats` asks for it and that format holds the required fields.
    bool UsesOwnFormat(std::size_t file, bool ownFormats) const;
    // The format `file` is imported with: its own, or `shown`.
    const FieldFormat& FormatOf(std::size_t file, const FieldFormat& shown, bool ownFormats) const;

    struct Misfit {
        std::size_t file = 0;
        char field = '\0';     // the first field of `shown` that does not fit its lines
        FieldFormat detected;  // the format its lines show, or empty
    };
    // The first listed file, among those imported with `shown`, that `shown`
    // does not fit.
    std::optional<Misfit> FirstMisfit(const FieldFormat& shown, bool ownFormats) const;

  private:
    std::vector<std::vector<std::string>> heads_;
    std::vector<FieldFormat> detected_;
};

}  // namespace trafikon
