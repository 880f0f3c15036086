#pragma once

// Find RSS Items: a rule made from the dialog's choices, the matching of one record, and the
// search over every column of the columns tree. Main thread only; a column whose update is
// running is passed over. Texts are bytes in the program's code page.

#include <cstdint>
#include <string>

#include "store/column_tree.h"
#include "store/filter_rule.h"
#include "store/record.h"
#include "view/records_view_model.h"

namespace tarsel {

// What the dialog asks, remembered for its next opening.
struct SearchChoices {
  std::string text;
  int32_t field = kFilterDescription;  // "Item Content"
  int32_t condition = kFilterContains;
  bool whole_word = false;
  bool match_case = false;
  bool unread_only = false;

  bool operator==(const SearchChoices&) const = default;
};

// The field values in the order the dialog lists them: All Fields, Any Fields, Title,
// Item Content, Link.
inline constexpr int32_t kSearchFieldOrder[] = {kFilterAllFields, kFilterAnyField, kFilterTitle,
                                                kFilterDescription, kFilterLink};

class SearchRule {
 public:
  // Without match_case the text is folded to lower case here, once. `code_page` is the
  // program's code page of the records' texts.
  SearchRule(const SearchChoices& choices, int code_page);

  // The filters' test (an empty field holds nothing, not even an empty text) on the chosen
  // field or fields, with the case and whole-word options; then the unread test.
  bool Matches(const Record& record) const;

 private:
  bool TextTest(const std::string& field) const;
  bool Found(const std::string& field) const;

  SearchChoices choices_;
  int code_page_;
  std::string needle_;
};

// Lower case of program text, for comparing without case: ASCII, and the letters of the
// Latin, Greek and Cyrillic alphabets the code pages hold. The result is UTF-8.
std::string FoldCase(const std::string& program_text, int code_page);

// Every record of every column that the rule matches, deleted ones never, in tree order.
RecordsViewModel BuildSearchResult(const ColumnTree& tree, const SearchRule& rule);

// "Search Result(%d)" with the number of results.
std::string SearchCaption(size_t results);

}  // namespace tarsel
