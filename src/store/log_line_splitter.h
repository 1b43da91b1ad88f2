// Splits the lines of a stored log by the month's field format for the
// analysis run, completes their dates and request lines, and tells when a line
// runs out of text before its last field (the malformed-line question).
//
// It follows the rules of ExtractField, NormaliseDates and the splitting
// order of store/log_format.h exactly (a test holds them side by side), but
// keeps the values of a line as views into its own copy of the line instead
// of copying each into a string: this is the hot path of every analysis.
// Values that the date completion and CompleteRequest make are kept in owned
// buffers and, like LogFields, stay until a later line replaces them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "store/log_format.h"

namespace trafikon {

class LogLineSplitter {
  public:
    // `format` holds the field codes in order; a letter outside the fifteen
    // takes its field off the line and its value is never read.
    explicit LogLineSplitter(FieldFormat format);

    // Empties t and r, then takes the fields of `line` (without its line end,
    // a blank appended) in format order. False when the line had no text left
    // when a field was due: a malformed line, whose values are partial.
    bool Split(std::string_view line);

    // Completes the date (as NormaliseDates), then gives IIS lines, which have
    // no request line, the request "M I HTTP/1.1" (CompleteRequest).
    void Complete();

    // The value of a field code; valid until the next Split.
    std::string_view operator[](char code) const {
        return values_[static_cast<unsigned char>(code)];
    }

  private:
    void NormaliseDates();
    void CompleteRequest();

    FieldFormat format_;
    std::array<std::string_view, 256> values_{};
    std::string line_;
    // Values made by Complete; their parts are at most a few characters each.
    char time_[40], date_[16], hour_[16];
    std::string request_;
};

}  // namespace trafikon
