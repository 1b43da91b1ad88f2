// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/hit_pipeline.h"

#include <cstring>

#include "engine/line_exclusions.h"
#include "store/line_reader.h"
#include "store/log_line_splitter.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

// A batch holds the lines of one read of kBatchBytes, up to kBatchLines of
// them (shorter lines cost a copy of the bytes left unread).
constexpr std::size_t kBatchLines = 4096;
constexpr std::size_t kBatchBytes = 512 << 10;
constexpr std::size_t kBatchesInFlight = 4;

}  // namespace

PreparedHit LineBatch::Hit(const Entry& e) const {
    PreparedHit hit;
    static_cast<HitFacts&>(hit) = e.facts;
    hit.path = Value(e, 0);
    hit.status = Value(e, 1);
    hit.time = Value(e, 2);
    hit.host = Value(e, 3);
    hit.userAgent = Value(e, 4);
    hit.referrer = Value(e, 5);
    hit.page = std::string_view(hit.referrer.data(), e.pageLength);
    hit.query = Value(e, 6);
    return hit;
}

namespace {

// Keeps where value `i` of `e` is: in the line read into the buffer starting
// at `base`, or else (a value made from the line) copied to `extra`.
void StoreValue(std::string_view value, std::string_view line, const char* base, std::string& extra,
                LineBatch::Entry& e, int i) {
    const auto size = static_cast<std::uint32_t>(value.size());
    e.size[i] = size;
    if (size == 0) {
        e.at[i] = 0;
        return;
    }
    if (value.data() >= line.data() && value.data() + size <= line.data() + line.size()) {
        const auto at = static_cast<std::size_t>(value.data() - base);
        if (at + size < LineBatch::kExtra) {
            e.at[i] = static_cast<std::uint32_t>(at);
            return;
        }
    }
    e.at[i] = LineBatch::kExtra | static_cast<std::uint32_t>(extra.size());
    extra.append(value);
}

void StoreHit(const PreparedHit& hit, std::string_view line, const char* base, std::string& extra,
              LineBatch::Entry& e) {
    const std::string_view values[7] = {hit.path,      hit.status,   hit.time, hit.host,
                                        hit.userAgent, hit.referrer, hit.query};
    for (int i = 0; i < 7; ++i)
        StoreValue(values[i], line, base, extra, e, i);
    e.pageLength = static_cast<std::uint32_t>(hit.page.size());
    e.facts = hit;
}

}  // namespace

HitPipeline::HitPipeline(const std::string& logPath, FieldFormat format, const std::string& siteUrl,
                         LineExclusions* exclusions) {
    // Opened here so that a missing log is reported at once, on the caller's thread.
    auto reader = std::make_shared<LineReader>(logPath, LineReader::kWholeLines, kBatchBytes);
    fileSize_ = reader->fileSize();
    thread_ =
        std::thread([this, reader, format = std::move(format), siteUrl, exclusions]() mutable {
            try {
                ReadBatches(*reader, std::move(format), siteUrl, exclusions);
            } catch (...) {
                std::lock_guard lock(mutex_);
                error_ = std::current_exception();
            }
            std::lock_guard lock(mutex_);
            done_ = true;
            changed_.notify_all();
        });
}

void HitPipeline::ReadBatches(LineReader& reader, FieldFormat format, const std::string& siteUrl,
                              LineExclusions* exclusions) {
    LogLineSplitter splitter(std::move(format));
    HitPreparer preparer(siteUrl);
    std::uint64_t index = 0;
    std::string_view line;
    bool more = true;
    while (more) {
        std::unique_ptr<LineBatch> batch = TakeFree();
        if (!batch)
            return;  // stopped
        // The lines stay in the reader's buffer, which the batch takes at its
        // end: a batch ends where the reader would read again.
        while (batch->entries.size() < kBatchLines) {
            const LineReader::Buffered got = reader.NextBuffered(line);
            if (got == LineReader::Buffered::kEnd) {
                more = false;
                break;
            }
            if (got == LineReader::Buffered::kNeedsRead) {
                if (!batch->entries.empty())
                    break;
                // No line of the batch is in the buffer yet: read at once.
                if (!(more = reader.Next(line)))
                    break;
            }
            const std::uint64_t number = index++;
            // Comment lines ("#") are not hits, before the first data line and after.
            if (!line.empty() && line[0] == '#')
                continue;
            LineBatch::Entry& e = batch->entries.emplace_back();
            e.lineNumber = number;
            e.malformed = !splitter.SplitInPlace(line);
            if (e.malformed) {
                StoreValue(line, line, reader.bufferData(), batch->extra, e, 0);
            } else {
                splitter.Complete();
                if (exclusions && exclusions->Excludes(splitter)) {
                    batch->entries.pop_back();
                    continue;
                }
                StoreHit(preparer.Prepare(HitFieldsOf(splitter)), line, reader.bufferData(),
                         batch->extra, e);
            }
            batch->bytesEnds.push_back(static_cast<std::uint32_t>(LineBatch::BytesEnd(e)));
            if (batch->extra.size() > (std::size_t{1} << 30))
                break;  // offsets stay within 31 bits even with huge lines
        }
        reader.TradeBuffer(batch->bytes);
        batch->bytesRead = reader.bytesRead();
        batch->linesRead = index;
        batch->last = !more;
        std::lock_guard lock(mutex_);
        ready_.push_back(std::move(batch));
        changed_.notify_all();
    }
}

HitPipeline::~HitPipeline() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        changed_.notify_all();
    }
    thread_.join();
}

std::unique_ptr<LineBatch> HitPipeline::TakeFree() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stop_ || ready_.size() < kBatchesInFlight; });
    if (stop_)
        return nullptr;
    std::unique_ptr<LineBatch> batch;
    if (!free_.empty()) {
        batch = std::move(free_.back());
        free_.pop_back();
        batch->extra.clear();
        batch->entries.clear();
        batch->bytesEnds.clear();
    } else {
        batch = std::make_unique<LineBatch>();
        batch->entries.reserve(kBatchLines);
        batch->bytesEnds.reserve(kBatchLines);
    }
    return batch;
}

const LineBatch* HitPipeline::Next() {
    std::unique_lock lock(mutex_);
    if (current_) {
        const bool wasLast = current_->last;
        free_.push_back(std::move(current_));
        changed_.notify_all();
        if (wasLast)
            return nullptr;
    }
    changed_.wait(lock, [&] { return !ready_.empty() || done_; });
    if (!ready_.empty()) {
        current_ = std::move(ready_.front());
        ready_.pop_front();
        changed_.notify_all();
        return current_.get();
    }
    if (error_)
        std::rethrow_exception(error_);
    return nullptr;
}

}  // namespace trafikon
