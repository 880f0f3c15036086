#include "html/tag_table.h"

#include <array>

namespace tarsel::HTML {
namespace {

struct TagRow {
  std::string_view name;
  TagKind kind;
  bool empty_element;
};

constexpr TagRow kTagTable[] = {
    {"a", kAnchor, false},       {"br", kBreak, true},      {"hr", kRule, true},
    {"tr", kTableRow, false},    {"td", kTableCell, false}, {"img", kImage, true},
    {"table", kTable, false},    {"meta", kMeta, true},     {"link", kLink, true},
    {"font", kFont, false},      {"span", kSpan, false},    {"div", kDiv, false},
    {"i", kItalic, false},       {"b", kBold, false},       {"u", kUnderline, false},
    {"strong", kStrong, false},  {"input", kInput, true},   {"!doctype", kDoctype, true},
    {"script", kScript, false},  {"object", kObject, true}, {"option", kOption, true},
    {"style", kStyle, false},    {"li", kListItem, false},  {"ul", kUnorderedList, false},
    {"ol", kOrderedList, false},
};

constexpr uint32_t ConstTagKey(std::string_view name) {
  uint32_t key = 0;
  for (char c : name)
    key = (key << 4) ^ static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
  return key;
}

struct KeyedRow {
  uint32_t key;
  TagInfo info;
};

constexpr auto kKeyedTable = [] {
  std::array<KeyedRow, std::size(kTagTable)> rows{};
  for (size_t i = 0; i < rows.size(); ++i) {
    rows[i] = {ConstTagKey(kTagTable[i].name), {kTagTable[i].kind, kTagTable[i].empty_element}};
  }
  return rows;
}();

}  // namespace

uint32_t TagKey(std::string_view lower_name) {
  return ConstTagKey(lower_name);
}

TagInfo LookupTag(std::string_view lower_name) {
  const uint32_t key = TagKey(lower_name);
  for (const KeyedRow& row : kKeyedTable) {
    if (row.key == key) return row.info;
  }
  return {kUnknown, false};
}

}  // namespace tarsel::HTML
