#pragma once

// What each cell of the records list shows, the six header columns and where the settings keep
// their widths and visibility, the description block, and the header sort. No Qt here; main
// thread only. Texts are bytes in the program's code page.

#include <cstdint>
#include <string>

#include "settings/settings.h"
#include "store/record.h"
#include "view/records_view_model.h"

namespace tarsel {

enum RecordsColumn : int {
  kReadStateColumn = 0,
  kTitleColumn = 1,
  kReceivedColumn = 2,
  kSubjectColumn = 3,
  kAuthorColumn = 4,
  kPersistenceColumn = 5,
};
inline constexpr int kRecordsColumnCount = 6;

// Icon indices of the two icon columns.
inline constexpr int kIconUnread = 0;
inline constexpr int kIconRead = 1;
inline constexpr int kIconNotPersistent = 4;
inline constexpr int kIconPersistent = 5;

struct RecordsColumnInfo {
  int header_text_id;
  // The headers entry holding the width. Subject's width lives under "author" and Author's
  // under "subject": old settings files were written that way and are read the same way.
  const char* width_key;
  // The headers entry holding the visibility; null for the two columns that are always shown.
  const char* visibility_key;
  int show_command_id;  // 40248-40251; 0 for the always shown columns
};

// `column` in 0..5.
const RecordsColumnInfo& ColumnInfo(int column);
// The column a show command (40248-40251) flips; -1 for other ids.
int ColumnOfShowCommand(int command_id);

// The record's published time as "[%d.%02d.%02d %02d:%02d]" in local time, or "(empty)" for a
// time of zero or less.
std::string RecordDateText(int32_t published);
// A text cell (title, received, subject, author): the field or "(empty)". Icon columns give "".
std::string CellText(const Record& record, int column);
// An icon cell's index (0/1 read state, 4/5 persistence); -1 for text columns.
int CellIcon(const Record& record, int column);
// What a screen reader hears for a cell, in the user's language: the cell's text, and for an
// icon cell the state its icon shows ("New" for an unread record of the latest update).
std::string CellAccessibleText(const Record& record, int column);

// The most characters a description block shows whatever the settings say: a row taller than
// the list helps nobody, and laying out a huge summary at every paint would stall the window.
inline constexpr size_t kDescriptionCeiling = 4000;

// The description block under the title: empty when descriptions_show is off or the summary is
// empty; cut to descriptions_symbols characters and "..." appended when descriptions_limitsymbols
// is on and the summary is longer (and likewise at kDescriptionCeiling). A cut never splits a
// UTF-8 sequence.
std::string DescriptionText(const Record& record, const Settings& settings);

// "Sort by: %s" with the column's header text.
std::string SortTooltip(int column);

// Orders the rows by one column: byte-wise by cell text when either cell has text, else by icon
// index. Rows that compare equal keep their order.
void SortRowsByColumn(std::vector<RecordsRow>& rows, int column, bool ascending);

}  // namespace tarsel
