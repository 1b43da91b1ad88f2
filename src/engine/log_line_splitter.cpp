#include "engine/log_line_splitter.h"

namespace trafikon {

bool LogLineSplitter::Split(std::string_view line) {
    fields_['t'].clear();
    fields_['r'].clear();
    line_.assign(line);
    line_.push_back(' ');
    std::string_view rest = line_;
    std::string_view value;
    for (char code : format_) {
        if (rest.empty())
            return false;
        ExtractField(rest, value, code);
        fields_[code].assign(value);
    }
    return true;
}

void LogLineSplitter::Complete() {
    NormaliseDates(fields_, parts_);
    CompleteRequest(fields_);
}

void CompleteRequest(LogFields& fields) {
    std::string& r = fields['r'];
    if (!r.empty())
        return;
    r.append(fields['M']).append(" ").append(fields['I']).append(" HTTP/1.1");
}

}  // namespace trafikon
