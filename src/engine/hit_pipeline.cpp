// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/hit_pipeline.h"

#include <cstring>

#include "engine/line_exclusions.h"
#include "store/line_reader.h"
#include "store/log_line_splitter.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

constexpr std::size_t kBatchLines = 2048;
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

// Appends the texts of `hit` to `text` from `start` on, and keeps in `e` where
// each ends and the rest of the hit.
void StoreHit(const PreparedHit& hit, std::uint32_t start, std::string& text, LineBatch::Entry& e) {
    const std::string_view texts[7] = {hit.path,      hit.status,   hit.time, hit.host,
                                       hit.userAgent, hit.referrer, hit.query};
    std::size_t total = 0;
    for (const std::string_view t : texts)
        total += t.size();
    text.resize(start + total);
    char* out = text.data() + start;
    for (int i = 0; i < 7; ++i) {
        if (!texts[i].empty())
            std::memcpy(out, texts[i].data(), texts[i].size());
        out += texts[i].size();
        e.at[i + 1] = static_cast<std::uint32_t>(out - text.data());
    }
    e.pageLength = static_cast<std::uint32_t>(hit.page.size());
    e.facts = hit;
}

}  // namespace

HitPipeline::HitPipeline(const std::string& logPath, FieldFormat format, const std::string& siteUrl,
                         LineExclusions* exclusions) {
    // Opened here so that a missing log is reported at once, on the caller's thread.
    auto reader = std::make_shared<LineReader>(logPath, LineReader::kWholeLines, 4 << 20);
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
        while (batch->entries.size() < kBatchLines && (more = reader.Next(line))) {
            const std::uint64_t number = index++;
            // Comment lines ("#") are not hits, before the first data line and after.
            if (!line.empty() && line[0] == '#')
                continue;
            LineBatch::Entry& e = batch->entries.emplace_back();
            e.lineNumber = number;
            const auto start = static_cast<std::uint32_t>(batch->text.size());
            e.at[0] = start;
            // The line stays in the reader's buffer until its values are stored.
            if (!splitter.SplitInPlace(line)) {
                e.malformed = true;
                batch->text.append(line);
                e.at[1] = static_cast<std::uint32_t>(batch->text.size());
            } else {
                splitter.Complete();
                if (exclusions && exclusions->Excludes(splitter)) {
                    batch->entries.pop_back();
                    continue;
                }
                StoreHit(preparer.Prepare(HitFieldsOf(splitter)), start, batch->text, e);
            }
            if (batch->text.size() > (std::size_t{1} << 30))
                break;  // offsets stay within 32 bits even with huge lines
        }
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
        batch->text.clear();
        batch->entries.clear();
    } else {
        batch = std::make_unique<LineBatch>();
        batch->entries.reserve(kBatchLines);
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
