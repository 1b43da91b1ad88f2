// Splits the lines of a stored log by the month's field format for the
// analysis run, and tells when a line runs out of text before its last field
// (the malformed-line question). Values live in a LogFields reused from line
// to line, so splitting allocates nothing once its buffers have grown.
#pragma once

#include <string>
#include <string_view>

#include "import/log_format.h"

namespace trafikon {

class LogLineSplitter {
  public:
    // `format` holds the field codes in order; a letter outside the fifteen
    // takes its field off the line and its value is never read.
    explicit LogLineSplitter(FieldFormat format) : format_(std::move(format)) {}

    // Empties t and r, then takes the fields of `line` (without its line end,
    // a blank appended) in format order. False when the line had no text left
    // when a field was due: a malformed line, whose values are partial.
    bool Split(std::string_view line);

    // Completes the date (NormaliseDates), then gives IIS lines, which have no
    // request line, the request "M I HTTP/1.1" (CompleteRequest).
    void Complete();

    const std::string& operator[](char code) const { return fields_[code]; }
    LogFields& fields() { return fields_; }

  private:
    FieldFormat format_;
    LogFields fields_;
    DateParts parts_;
    std::string line_;
};

// Sets r to M, a blank, I and " HTTP/1.1" when r is empty.
void CompleteRequest(LogFields& fields);

}  // namespace trafikon
