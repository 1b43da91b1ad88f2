// SPDX-License-Identifier: GPL-3.0-or-later
// Small stores for the engine tests: a site folder with stored logs and their
// formats, an observer that answers the malformed-line question from a script,
// and helpers to read the result files back.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/analysis_observer.h"
#include "store/data_store.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon::testing {

class TestStore {
  public:
    TestStore() : siteDir_(dir_.path() + "/data/1/") { WriteRaw(siteDir_ + ".keep", ""); }
    const std::string& siteDir() const { return siteDir_; }
    const std::string& root() const { return dir_.path(); }

    // Stores `lines` (each ended by CR LF) as the log of `key` with `format`.
    void AddMonth(const std::string& key, const std::vector<std::string>& lines,
                  const std::string& format = "hlutrsbRU") {
        std::string text;
        for (const auto& l : lines)
            text += l + "\r\n";
        WriteRaw(siteDir_ + LogFileName(key), text);
        std::string formatText;
        for (char c : format)
            formatText += std::string(1, c) + "\r\n";
        WriteRaw(siteDir_ + FormatFileName(key), formatText);
    }
    std::string Read(const std::string& prefix, const std::string& key) const {
        return ReadRaw(siteDir_ + prefix + key + ".tfd");
    }
    Lines ReadLines(const std::string& prefix, const std::string& key) const {
        return ReadTextLines(siteDir_ + prefix + key + ".tfd");
    }
    bool Has(const std::string& prefix, const std::string& key) const {
        return FileExists(siteDir_ + prefix + key + ".tfd");
    }

  private:
    TempDir dir_;
    std::string siteDir_;
};

// Answers the malformed-line question with the next scripted answer (Ignore
// once the script is used up) and records what it was asked.
class ScriptedObserver : public AnalysisObserver {
  public:
    explicit ScriptedObserver(std::vector<MalformedLineAnswer> answers = {})
        : answers_(std::move(answers)) {}
    MalformedLineAnswer MalformedLine(std::int64_t lineNumber, std::string_view line) override {
        asked.emplace_back(lineNumber, std::string(line));
        if (next_ < answers_.size())
            return answers_[next_++];
        return MalformedLineAnswer::Ignore;
    }
    void Progress(int percent) override { progress.push_back(percent); }
    void Cancelled(const std::string& key) override { cancelled.push_back(key); }
    void MonthFinished(const std::string& key) override { finished.push_back(key); }

    std::vector<std::pair<std::int64_t, std::string>> asked;
    std::vector<int> progress;
    std::vector<std::string> cancelled, finished;

  private:
    std::vector<MalformedLineAnswer> answers_;
    std::size_t next_ = 0;
};

// A combined log line.
inline std::string Combined(const std::string& host, const std::string& time,
                            const std::string& request, const std::string& status,
                            const std::string& bytes, const std::string& referrer = "-",
                            const std::string& agent = "Moz") {
    return host + " - - [" + time + "] \"" + request + "\" " + status + " " + bytes + " \"" +
           referrer + "\" \"" + agent + "\"";
}

}  // namespace trafikon::testing
