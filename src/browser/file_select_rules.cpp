#include "browser/file_select_rules.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "appcore/ascii_text.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace {

constexpr uint64_t kMiB = 1048576;

std::vector<RecordingEntry> FirstOf(const std::vector<RecordingEntry>& list, bool* longer) {
    if (list.size() > kFileSelectLimit) *longer = true;
    const size_t n = std::min(list.size(), kFileSelectLimit);
    return std::vector<RecordingEntry>(list.begin(), list.begin() + static_cast<ptrdiff_t>(n));
}

bool IsMovieName(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    for (size_t i = 0; i + 4 <= name.size(); ++i)
        if (EqualsIgnoringCase(name.substr(i, 4), ".MOV")) return true;
    return false;
}

}  // namespace

bool FileSelection::Prepare(FileSelectMode mode, const std::vector<RecordingEntry>& group,
                            const std::vector<RecordingEntry>& all) {
    mode_ = mode;
    bool longer = false;
    group_ = FirstOf(group, &longer);
    all_ = FirstOf(all, &longer);
    showAll_ = false;
    selectAllShown_ = false;
    Fill();
    return !longer;
}

void FileSelection::Fill() {
    rows_.clear();
    const std::vector<RecordingEntry>& source = showAll_ ? all_ : group_;
    for (const RecordingEntry& e : source) {
        if (mode_ == FileSelectMode::kJoin && !IsMovieName(e.path)) continue;
        rows_.push_back(e);
    }
    ticked_.assign(rows_.size(), selectAllShown_ ? 1 : 0);
    RecomputeBlock();
}

bool FileSelection::Ticked(int row) const {
    return row >= 0 && row < RowCount() && ticked_[static_cast<size_t>(row)] != 0;
}

void FileSelection::SetTicked(int row, bool ticked) {
    if (row < 0 || row >= RowCount()) return;
    ticked_[static_cast<size_t>(row)] = ticked ? 1 : 0;
    RecomputeBlock();
}

void FileSelection::Click(int row) {
    if (row < 0 || row >= RowCount()) return;
    const bool tick = !Ticked(row);
    if (mode_ == FileSelectMode::kJoin && first_ >= 0) {
        if (tick && row < first_) {
            for (int r = row; r < first_; ++r)
                ticked_[static_cast<size_t>(r)] = 1;
        } else if (tick && row >= end_) {
            for (int r = end_; r <= row; ++r)
                ticked_[static_cast<size_t>(r)] = 1;
        } else if (!tick && row > first_ && row < end_) {
            for (int r = row; r < end_; ++r)
                ticked_[static_cast<size_t>(r)] = 0;
        } else {
            ticked_[static_cast<size_t>(row)] = tick ? 1 : 0;
        }
    } else {
        ticked_[static_cast<size_t>(row)] = tick ? 1 : 0;
    }
    RecomputeBlock();
}

void FileSelection::RecomputeBlock() {
    first_ = end_ = -1;
    for (int r = 0; r < RowCount(); ++r) {
        if (Ticked(r)) {
            first_ = r;
            break;
        }
    }
    if (first_ < 0) return;
    end_ = first_;
    while (end_ < RowCount() && Ticked(end_))
        ++end_;
}

void FileSelection::SetShowAll(bool on) {
    showAll_ = on;
    Fill();
}

void FileSelection::SetSelectAllShown(bool on) {
    selectAllShown_ = on;
    Fill();
}

int FileSelection::TickedCount() const {
    int n = 0;
    for (char t : ticked_)
        n += t != 0;
    return n;
}

uint64_t FileSelection::TotalBytes() const {
    uint64_t sum = 0;
    for (int r = 0; r < RowCount(); ++r) {
        if (!Ticked(r)) continue;
        const RecordingEntry& e = rows_[static_cast<size_t>(r)];
        sum += e.movieSize + e.subSize + e.dataSize;
    }
    return sum;
}

std::string FileSelection::TotalText() const {
    char text[48];
    std::snprintf(text, sizeof text, "%lld MB", static_cast<long long>(TotalBytes() / kMiB));
    return text;
}

bool FileSelection::TooBig() const {
    if (mode_ != FileSelectMode::kJoin) return false;
    uint64_t mb = 0;
    for (int r = 0; r < RowCount(); ++r) {
        if (!Ticked(r)) continue;
        const RecordingEntry& e = rows_[static_cast<size_t>(r)];
        mb += e.movieSize / kMiB + e.subSize / kMiB + e.dataSize / kMiB;
    }
    return mb > kJoinSizeLimitMb;
}

bool FileSelection::TooMany() const {
    return mode_ == FileSelectMode::kJoin && TickedCount() > kJoinCountLimit;
}

FileSelectAnswer FileSelection::Confirm(std::vector<RecordingEntry>* result) const {
    if (!OkEnabled()) return FileSelectAnswer::kNothing;
    if (TooBig()) return FileSelectAnswer::kTooBig;
    if (TooMany()) return FileSelectAnswer::kTooMany;
    if (result) {
        result->clear();
        for (int r = 0; r < RowCount(); ++r)
            if (Ticked(r)) result->push_back(rows_[static_cast<size_t>(r)]);
    }
    return FileSelectAnswer::kAccept;
}

std::string FileSelection::SizeText(uint64_t bytes) {
    char text[48];
    std::snprintf(text, sizeof text, "%llu MB", static_cast<unsigned long long>(bytes / kMiB));
    return text;
}

}  // namespace quorva
