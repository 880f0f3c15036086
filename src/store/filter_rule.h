#pragma once

// Per-column filter rules: each tests one record field (or all three, or any of three) for a
// substring and then accepts the record, declines it, or marks it read. Rules change nothing
// that a column stores except the unread flag a mark-read rule clears while a view is built.
// Texts are bytes in the program's code page; matching is byte for byte, case-sensitive.

#include <cstdint>
#include <string>
#include <vector>

#include "store/record.h"

namespace tarsel {

// FilterRule::condition
inline constexpr int32_t kFilterContains = 0;
inline constexpr int32_t kFilterNotContains = 1;
// FilterRule::action
inline constexpr int32_t kFilterAccept = 0;
inline constexpr int32_t kFilterDecline = 1;
inline constexpr int32_t kFilterMarkRead = 2;
// FilterRule::field
inline constexpr int32_t kFilterTitle = 0;
inline constexpr int32_t kFilterDescription = 1;
inline constexpr int32_t kFilterLink = 2;
inline constexpr int32_t kFilterAllFields = 3;
inline constexpr int32_t kFilterAnyField = 4;

struct FilterRule {
  std::string text;  // the substring searched for
  int32_t condition = kFilterContains;
  int32_t action = kFilterAccept;
  int32_t field = kFilterAnyField;

  bool operator==(const FilterRule&) const = default;
};

// Whether `rule` keeps `record`. A matching mark-read rule sets record.unread to false.
bool FilterRecord(Record& record, const FilterRule& rule);

// Applies `rules` in order: the record is kept only when every rule keeps it; the first rule
// that does not keep it ends the evaluation, so later rules neither test nor mark it.
bool PassesFilterRules(Record& record, const std::vector<FilterRule>& rules);

// The line shown in the Filters page list, e.g. `If title contains "x" then accept item`.
std::string FilterRuleText(const FilterRule& rule);

}  // namespace tarsel
