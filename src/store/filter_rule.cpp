#include "store/filter_rule.h"

#include <array>

namespace tarsel {
namespace {

// An empty field counts as not containing anything, even an empty text.
bool TextTest(const std::string& field, const FilterRule& rule) {
  if (field.empty()) return rule.condition == kFilterNotContains;
  const bool found = field.find(rule.text) != std::string::npos;
  return rule.condition == kFilterContains ? found : !found;
}

template <size_t N>
const char* WordOf(const std::array<const char*, N>& words, int32_t value) {
  if (value < 0 || static_cast<size_t>(value) >= N) return "";
  return words[static_cast<size_t>(value)];
}

}  // namespace

bool FilterRecord(Record& record, const FilterRule& rule) {
  bool matched = false;
  switch (rule.field) {
    case kFilterTitle:
      matched = TextTest(record.title, rule);
      break;
    case kFilterDescription:
      matched = TextTest(record.description, rule);
      break;
    case kFilterLink:
      matched = TextTest(record.link, rule);
      break;
    case kFilterAllFields:
      matched = TextTest(record.title, rule) && TextTest(record.description, rule) &&
                TextTest(record.link, rule);
      break;
    case kFilterAnyField:
      matched = TextTest(record.title, rule) || TextTest(record.description, rule) ||
                TextTest(record.link, rule);
      break;
    default:
      return rule.action != kFilterAccept;
  }
  if (!matched) return rule.action != kFilterAccept;
  if (rule.action == kFilterMarkRead) record.unread = false;
  return rule.action != kFilterDecline;
}

bool PassesFilterRules(Record& record, const std::vector<FilterRule>& rules) {
  for (const FilterRule& rule : rules) {
    if (!FilterRecord(record, rule)) return false;
  }
  return true;
}

std::string FilterRuleText(const FilterRule& rule) {
  static constexpr std::array<const char*, 5> kFieldWords = {"title ", "description ", "link ",
                                                             "all field ", "any field "};
  static constexpr std::array<const char*, 2> kConditionWords = {"contains ", "dosn't contains "};
  static constexpr std::array<const char*, 3> kActionWords = {"accept item", "decline item",
                                                              "mark item as read"};
  std::string text = "If ";
  text += WordOf(kFieldWords, rule.field);
  text += WordOf(kConditionWords, rule.condition);
  text += '"';
  text += rule.text;
  text += '"';
  text += " then ";
  text += WordOf(kActionWords, rule.action);
  return text;
}

}  // namespace tarsel
