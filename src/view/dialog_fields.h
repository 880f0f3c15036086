#pragma once

// How the dialogs read their fields back, without any widget: number fields, URL fields, the
// update interval choice, the archive choice and the encoding list. Texts are bytes in the
// program's code page. Pure functions; any thread.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

// A number field: read as atoi reads it (leading blanks, sign, digits; letters or an empty
// field give 0), then kept within [min, max] so that no later sum or timer overflows.
int32_t ReadNumberField(std::string_view text, int32_t min, int32_t max);

// Why a feed address the user typed cannot be stored or fetched.
enum class UrlFieldProblem {
  kNone,
  kEmpty,
  kBlankOrControl,  // a blank, CR, LF, tab or another control byte anywhere in it
  kScript,          // a "javascript:", "vbscript:" or "data:" address (any case)
  kNotWebAddress,   // not http or https, or no host: the HTTP client could never fetch it
};
// The one check of a typed feed address: the dialogs and tarsel-cli's add, set and fetch.
UrlFieldProblem CheckUrlField(std::string_view url);
// The string id of the message shown for a problem (0 for kNone).
int UrlProblemTextId(UrlFieldProblem problem);

// The update interval of a column (Alert page) or of new columns (Columns settings page).
enum class IntervalKind { kOnlyManual, kCheckEvery, kCustom };
// "10 Minutes", "30 Minutes", "Hour", "Day", "Week" in seconds, in list order.
inline constexpr std::array<int32_t, 5> kIntervalChoices = {600, 1800, 3600, 86400, 604800};

struct IntervalControls {
  IntervalKind kind = IntervalKind::kOnlyManual;
  int list_index = -1;      // entry of the "Check every" list; -1 when none is selected
  std::string custom_text;  // "hh:mm:ss", always filled from the interval
  bool operator==(const IntervalControls&) const = default;
};

// 0 is "Only manual check"; a listed value is "Check every" with its entry; anything else is
// "Custom". The custom text always shows the interval as "%02d:%02d:%02d".
IntervalControls IntervalToControls(int32_t seconds);
// "Only manual check" gives 0; "Check every" the listed value (`unchanged` when no entry is
// selected); "Custom" the text read as a duration. A negative result becomes 0 (a negative
// interval would make the column due at every check).
int32_t IntervalFromControls(const IntervalControls& controls, int32_t unchanged);

// The archive choice of a column (Archive page) or of new columns (Columns settings page).
struct ArchiveControls {
  bool enabled = false;
  bool by_count = true;    // "Store last N records"; false: "Store records for last N days"
  std::string count_text;  // the field of "Store last "
  std::string days_text;   // the field of "Store records for last "
  bool operator==(const ArchiveControls&) const = default;
};
struct ArchiveChoice {
  bool enabled = false;
  bool by_count = true;
  int32_t depth = 30;
  bool operator==(const ArchiveChoice&) const = default;
};

// The field of the chosen button starts with the depth, the other one empty.
ArchiveControls ArchiveToControls(const ArchiveChoice& choice);
// The depth is the number in the chosen button's field, read as a decimal integer, never
// negative.
ArchiveChoice ArchiveFromControls(const ArchiveControls& controls);

// The "Encoding" list: positions 0, 1, 2, 3 stand for the settings values 0, 1, 2, 5; any other
// value shows position 0, any other position stores 0.
int EncodingListPosition(int32_t encoding);
int32_t EncodingFromListPosition(int position);

}  // namespace tarsel
