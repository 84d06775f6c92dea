// The rules of the file selection dialog: which recordings it offers (at most 1500 of each
// list), the ticks and, in join mode, the one block of consecutive rows they always form,
// the total size of the ticked recordings and the refusals of OK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recordings/recording_entry.h"

namespace quorva {

enum class FileSelectMode : int { kDelete = 0, kJoin = 2 };

constexpr size_t kFileSelectLimit = 1500;    // entries copied from each list
constexpr uint64_t kJoinSizeLimitMb = 1024;  // more MB ticked in join mode is too big
constexpr int kJoinCountLimit = 99;          // more rows ticked in join mode are too many

// What OK does with the ticks.
enum class FileSelectAnswer {
    kAccept,   // the ticked entries are the result
    kTooBig,   // UI text 138; the dialog stays
    kTooMany,  // UI text 140; the dialog stays
    kNothing,  // nothing ticked: OK is disabled
};

class FileSelection {
  public:
    // Copies at most 1500 entries of the group list (the recordings the command is offered
    // for) and of the list of all recordings (delete mode's show-all), and shows the group
    // list unticked. Answers false when a list was longer (UI text 103 tells the user).
    bool Prepare(FileSelectMode mode, const std::vector<RecordingEntry>& group,
                 const std::vector<RecordingEntry>& all);

    FileSelectMode Mode() const { return mode_; }
    // The recordings shown as rows: the list of all recordings while show-all is on, else
    // the group list; in join mode only movies (".MOV" in the name).
    const std::vector<RecordingEntry>& Rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }

    bool Ticked(int row) const;
    // The user flipped row k's box. In join mode the ticked rows stay one block: ticking a
    // row before or after the block ticks the rows between; unticking a row inside the block
    // unticks it and the rows after it. Ticking and unticking the block's first row, or any
    // tick while nothing is ticked, change only that row.
    void Click(int row);
    // Sets one row's tick as it is (no block rule).
    void SetTicked(int row, bool ticked);

    // The two switches: flipping one fills the rows again (no earlier ticks are kept) and,
    // while select-all-shown is on, ticks every row.
    void SetShowAll(bool on);
    void SetSelectAllShown(bool on);
    bool ShowAll() const { return showAll_; }
    bool SelectAllShown() const { return selectAllShown_; }

    // The ticked block of join mode: its first row and the first unticked row after it
    // (the row count when there is none); both -1 when nothing is ticked.
    int BlockFirst() const { return first_; }
    int BlockEnd() const { return end_; }

    int TickedCount() const;
    // Movie, sub-camera and drive-data bytes of the ticked rows.
    uint64_t TotalBytes() const;
    // "%lld MB" of the total bytes in whole MiB.
    std::string TotalText() const;
    // Join mode: the three sizes of the ticked rows, each in whole MiB, add up to more
    // than 1024; more than 99 rows are ticked.
    bool TooBig() const;
    bool TooMany() const;
    bool OkEnabled() const { return TickedCount() > 0; }

    // OK: kAccept puts the ticked entries, in row order, into result.
    FileSelectAnswer Confirm(std::vector<RecordingEntry>* result) const;

    // "%llu MB": a movie's size in whole MiB (the size column).
    static std::string SizeText(uint64_t bytes);

  private:
    void Fill();
    void RecomputeBlock();

    FileSelectMode mode_ = FileSelectMode::kDelete;
    std::vector<RecordingEntry> group_;
    std::vector<RecordingEntry> all_;
    std::vector<RecordingEntry> rows_;
    std::vector<char> ticked_;
    bool showAll_ = false;
    bool selectAllShown_ = false;
    int first_ = -1;
    int end_ = -1;
};

}  // namespace quorva
