// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/id_list_cutter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "store/line_reader.h"
#include "store/result_records.h"
#include "store/status_table.h"
#include "store/tagged_record.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

constexpr std::size_t kBlock = 1 << 20;

// Follows one line through its parts as its bytes come.
class Cutter {
  public:
    Cutter(IdListPlace place, const std::function<void(CutLine&)>& onLine)
        : place_(place), onLine_(onLine) {}

    // Bytes of the line under way (no line end among them), at file offset `at`.
    void Take(const char* p, std::size_t n, std::uint64_t at) {
        if (!started_) {
            started_ = true;
            line_.lineOffset = at;
        }
        line_.lineLength += n;
        while (n > 0) {
            std::size_t used = 0;
            if (part_ == Part::Head)
                used = TakeHead(p, n, at);
            else if (part_ == Part::List)
                used = TakeList(p, n, at);
            else
                line_.tail.append(p, used = n);
            p += used;
            n -= used;
            at += used;
        }
    }

    // The line ends here (or the file does, when a line was under way).
    void EndLine(std::uint64_t at) {
        if (!started_)
            line_.lineOffset = at;
        if (part_ == Part::List && place_ == IdListPlace::kTaggedRecord) {
            // No closing tag: the field reads empty, and the line stays whole.
            line_.cut = false;
            line_.headIsWhole = false;
        } else {
            // A status part may run to the end of the line.
            line_.cut = part_ != Part::Head;
        }
        onLine_(line_);
        // The next line reuses the room of this one's head and tail.
        std::string head = std::move(line_.head), tail = std::move(line_.tail);
        head.clear();
        tail.clear();
        line_ = CutLine{};
        line_.head = std::move(head);
        line_.tail = std::move(tail);
        part_ = Part::Head;
        started_ = false;
        semicolons_ = 0;
        held_ = 0;
    }

    bool started() const { return started_; }

  private:
    enum class Part { Head, List, Tail };

    std::size_t TakeHead(const char* p, std::size_t n, std::uint64_t at) {
        if (place_ == IdListPlace::kStatusLine) {
            // The list part follows as many separators as parts come before it.
            for (std::size_t i = 0; i < n; ++i)
                if (p[i] == kStatusPartSeparator &&
                    ++semicolons_ == static_cast<int>(StatusPart::kLogLines)) {
                    line_.head.append(p, i + 1);
                    StartList(at + i + 1);
                    return i + 1;
                }
            line_.head.append(p, n);
            return n;
        }
        // The first opening tag of the list, which may begin in the last bytes
        // taken before.
        const std::string_view tag = openTag_.view();
        std::string& head = line_.head;
        std::size_t tagEnd = std::string_view::npos;  // in p, just past the tag
        for (std::size_t k = tag.size() - 1; k >= 1 && tagEnd == std::string_view::npos; --k)
            if (head.size() >= k && n >= tag.size() - k &&
                std::string_view(head).substr(head.size() - k) == tag.substr(0, k) &&
                std::string_view(p, tag.size() - k) == tag.substr(k))
                tagEnd = tag.size() - k;
        if (tagEnd == std::string_view::npos) {
            const std::size_t at = std::string_view(p, n).find(tag);
            if (at == std::string_view::npos) {
                head.append(p, n);
                return n;
            }
            tagEnd = at + tag.size();
        }
        head.append(p, tagEnd);
        StartList(at + tagEnd);
        return tagEnd;
    }

    void StartList(std::uint64_t at) {
        part_ = Part::List;
        line_.listOffset = at;
    }

    void ListBytes(const char* p, std::size_t n) {
        line_.counter.Add(std::string_view(p, n));
        line_.listLength += n;
    }

    std::size_t TakeList(const char* p, std::size_t n, std::uint64_t) {
        if (place_ == IdListPlace::kStatusLine) {
            const auto* semi = static_cast<const char*>(std::memchr(p, kStatusPartSeparator, n));
            const std::size_t used = semi ? static_cast<std::size_t>(semi - p) : n;
            ListBytes(p, used);
            if (semi)
                part_ = Part::Tail;  // the ';' starts the tail
            return used;
        }
        // Looks for the closing tag, which may be cut between two reads: held_
        // counts its bytes seen so far.
        const std::string_view tag = closeTag_.view();
        std::size_t i = 0;
        while (i < n) {
            if (held_ == 0) {
                const auto* slash =
                    static_cast<const char*>(std::memchr(p + i, tag.front(), n - i));
                const std::size_t stop = slash ? static_cast<std::size_t>(slash - p) : n;
                ListBytes(p + i, stop - i);
                if (!slash)
                    return n;
                held_ = 1;
                i = stop + 1;
                continue;
            }
            if (p[i] == tag[held_]) {
                ++i;
                if (++held_ == tag.size()) {  // the closing tag: it begins the tail
                    line_.tail = tag;
                    held_ = 0;
                    part_ = Part::Tail;
                    return i;
                }
                continue;
            }
            ListBytes(tag.data(), held_);  // not the tag after all
            held_ = 0;
        }
        return n;
    }

    IdListPlace place_;
    const FieldTag openTag_{kIdListField};
    const FieldTag closeTag_{kIdListField + 1};
    const std::function<void(CutLine&)>& onLine_;
    CutLine line_;
    Part part_ = Part::Head;
    bool started_ = false;
    int semicolons_ = 0;
    std::size_t held_ = 0;
};

std::size_t ReadAt(int fd, const std::string& path, char* into, std::size_t n, std::uint64_t at) {
    for (;;) {
        const ssize_t r = ::pread(fd, into, n, static_cast<off_t>(at));
        if (r >= 0)
            return static_cast<std::size_t>(r);
        if (errno != EINTR)
            ThrowErrno(path);
    }
}

}  // namespace

void ReadCuttingIdLists(int fd, const std::string& path, IdListPlace place,
                        const std::function<void(CutLine&)>& onLine) {
    Cutter cutter(place, onLine);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        ThrowErrno(path);
    // The store's line reader, in pieces: the lists are cut as their bytes
    // come, never held whole.
    LineReader reader(std::make_unique<FileBytes>(fd, path, static_cast<std::uint64_t>(st.st_size)),
                      kBlock);
    std::string_view piece;
    while (reader.Next(piece)) {
        cutter.Take(piece.data(), piece.size(), reader.lineStart());
        if (!reader.partial())
            cutter.EndLine(reader.lineStart() + piece.size());
    }
    if (cutter.started())  // the file ended in a piece of a line
        cutter.EndLine(reader.bytesRead());
}

std::string ReadWholeLine(int fd, const std::string& path, const CutLine& line) {
    std::string whole(static_cast<std::size_t>(line.lineLength), '\0');
    std::size_t got = 0;
    while (got < whole.size()) {
        const std::size_t r =
            ReadAt(fd, path, whole.data() + got, whole.size() - got, line.lineOffset + got);
        if (r == 0)
            throw IoError(path, "shorter than when it was read");
        got += r;
    }
    return whole;
}

}  // namespace trafikon
