#pragma once

// The ten entries of the quick-view list (eight views and two separators) and the views they
// build over every column of the columns tree. Main thread only; a column whose update is
// running is passed over, so no worker writes the records read here.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "store/column_tree.h"
#include "store/record.h"
#include "view/records_view_model.h"

namespace tarsel {

inline constexpr int kQuickViewCount = 10;

// A small test of one record.
class RecordPredicate {
 public:
  virtual ~RecordPredicate() = default;
  virtual bool Matches(const Record& record, int32_t now) const = 0;
};

// Received less than `seconds` before `now` (a record received exactly `seconds` ago is out).
class ReceivedWithin : public RecordPredicate {
 public:
  explicit ReceivedWithin(int32_t seconds) : seconds_(seconds) {}
  bool Matches(const Record& record, int32_t now) const override;

 private:
  int32_t seconds_;
};

// The record's unread flag equals the wanted one.
class ReadState : public RecordPredicate {
 public:
  explicit ReadState(bool unread) : unread_(unread) {}
  bool Matches(const Record& record, int32_t) const override { return record.unread == unread_; }

 private:
  bool unread_;
};

// The first predicate, then the second when there is one.
class BothPredicates : public RecordPredicate {
 public:
  BothPredicates(std::unique_ptr<RecordPredicate> first, std::unique_ptr<RecordPredicate> second)
      : first_(std::move(first)), second_(std::move(second)) {}
  bool Matches(const Record& record, int32_t now) const override {
    return first_->Matches(record, now) && (!second_ || second_->Matches(record, now));
  }

 private:
  std::unique_ptr<RecordPredicate> first_;
  std::unique_ptr<RecordPredicate> second_;
};

// Positions 3 and 7 separate the groups of views; choosing them changes nothing.
bool IsQuickViewSeparator(int position);
// The caption string id of a view (457-462, 466, 467); 0 for a separator or a bad position.
int QuickViewCaptionId(int position);
// The command id of a view (40261-40268); 0 for a separator or a bad position.
int QuickViewCommandId(int position);
// The list position of a view's command id; -1 for other ids.
int QuickViewPositionOfCommand(int command_id);

// The records of the view at `position` over every column of `tree` (memories left out),
// deleted records never listed. Time views list matching records column by column in each
// column's order; the latest-unread views list the 10 or 100 newest unread records by
// published time, newest first. Nothing for a separator or a bad position.
std::optional<RecordsViewModel> BuildQuickView(const ColumnTree& tree, int position, int32_t now);

}  // namespace tarsel
