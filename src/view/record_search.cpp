#include "view/record_search.h"

#include <cstdio>

#include "parse/charsets/encoding_choice.h"
#include "platform/system_code_page.h"
#include "platform/utf8_text.h"
#include "settings/settings.h"
#include "store/column.h"
#include "view/records_view_model_texts.h"
#include "view/string_table.h"

namespace tarsel {
namespace {

char32_t LowerCodePoint(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x178) return 0xFF;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if (c == 0x490) return 0x491;
  return c;
}

// Decodes one code point of valid UTF-8 at `at` and moves past it.
char32_t DecodeUtf8(const std::string& text, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (at + length > text.size()) length = 1;
  char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (size_t i = 1; i < length; ++i) c = (c << 6) | (byte(at + i) & 0x3F);
  at += length;
  return c;
}

// Letters, digits and the underscore; bytes above ASCII count as letters of other alphabets.
bool IsWordByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
         u == '_';
}

}  // namespace

std::string FoldCase(const std::string& program_text, int code_page) {
  const std::string utf8 = CodePageToUtf8(program_text, code_page);
  std::string folded;
  folded.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) AppendUtf8(LowerCodePoint(DecodeUtf8(utf8, at)), folded);
  return folded;
}

SearchRule::SearchRule(const SearchChoices& choices, int code_page)
    : choices_(choices),
      code_page_(code_page),
      needle_(choices.match_case ? choices.text : FoldCase(choices.text, code_page)) {}

bool SearchRule::Found(const std::string& field) const {
  const std::string folded = choices_.match_case ? std::string() : FoldCase(field, code_page_);
  const std::string& haystack = choices_.match_case ? field : folded;
  if (!choices_.whole_word) return haystack.find(needle_) != std::string::npos;
  for (size_t at = haystack.find(needle_); at != std::string::npos;
       at = haystack.find(needle_, at + 1)) {
    const size_t end = at + needle_.size();
    const bool starts = at == 0 || !IsWordByte(haystack[at - 1]);
    const bool ends = end >= haystack.size() || !IsWordByte(haystack[end]);
    if (starts && ends) return true;
  }
  return false;
}

bool SearchRule::TextTest(const std::string& field) const {
  if (field.empty()) return choices_.condition == kFilterNotContains;
  const bool found = Found(field);
  return choices_.condition == kFilterNotContains ? !found : found;
}

bool SearchRule::Matches(const Record& record) const {
  if (choices_.unread_only && !record.unread) return false;
  switch (choices_.field) {
    case kFilterTitle:
      return TextTest(record.title);
    case kFilterDescription:
      return TextTest(record.description);
    case kFilterLink:
      return TextTest(record.link);
    case kFilterAllFields:
      return TextTest(record.title) && TextTest(record.description) && TextTest(record.link);
    case kFilterAnyField:
      return TextTest(record.title) || TextTest(record.description) || TextTest(record.link);
    default:
      return false;
  }
}

RecordsViewModel BuildSearchResult(const ColumnTree& tree, const SearchRule& rule) {
  RecordsViewModel view(RecordsViewKind::kSearch);
  for (const std::shared_ptr<Column>& column : tree.Columns()) {
    if (column->update_state.load() == kUpdateRunning) continue;
    for (const RecordRef& record : column->channel.records) {
      if (!record->deleted && rule.Matches(*record)) view.AddRow(column, record);
    }
  }
  return view;
}

std::string SearchCaption(size_t results) {
  const std::string name = GetText(kTextSearchResult);
  char count[32];
  std::snprintf(count, sizeof count, "(%zu)", results);
  return name + count;
}

}  // namespace tarsel
