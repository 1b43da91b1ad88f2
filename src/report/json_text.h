// SPDX-License-Identifier: GPL-3.0-or-later
// JSON text of the month's values. Store and log texts are Windows-1252
// bytes; the JSON document is UTF-8, whatever bytes a log line held.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace trafikon::report {

// Appends `cp1252` as a quoted JSON string in UTF-8: quote, backslash and
// every control character escaped, the five bytes Windows-1252 leaves
// undefined as U+FFFD, so the output is valid UTF-8 and valid JSON.
void AppendJsonString(std::string& out, std::string_view cp1252);

// Appends a decimal integer.
void AppendJsonNumber(std::string& out, std::int64_t value);

// Receives the document piece by piece.
using JsonSink = std::function<void(std::string_view)>;

// Builds the document in a buffer handed to the sink whenever it grows past
// a few pages, so that a month with a million files never sits whole in memory.
class JsonOut {
  public:
    explicit JsonOut(const JsonSink& sink) : sink_(sink) {}
    void Raw(std::string_view text) { buf_ += text; }
    void Key(std::string_view key) {
        Separate();
        AppendJsonString(buf_, key);
        buf_ += ':';
        afterKey_ = true;
    }
    void String(std::string_view cp1252) {
        Separate();
        AppendJsonString(buf_, cp1252);
    }
    void Number(std::int64_t v) {
        Separate();
        AppendJsonNumber(buf_, v);
    }
    void Bool(bool v) {
        Separate();
        buf_ += v ? "true" : "false";
    }
    void Null() {
        Separate();
        buf_ += "null";
    }
    void Open(char bracket) {
        Separate();
        buf_ += bracket;
        first_ = true;
    }
    void Close(char bracket) {
        buf_ += bracket;
        first_ = false;
        if (buf_.size() >= kFlushAt)
            Flush();
    }
    void Flush() {
        sink_(buf_);
        buf_.clear();
    }

  private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    void Separate() {
        if (afterKey_)
            afterKey_ = false;
        else if (!first_)
            buf_ += ',';
        first_ = false;
    }
    const JsonSink& sink_;
    std::string buf_;
    bool first_ = true;
    bool afterKey_ = false;
};

}  // namespace trafikon::report
