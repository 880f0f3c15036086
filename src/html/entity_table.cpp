#include "html/entity_table.h"

#include <algorithm>
#include <cstdint>

namespace tarsel::HTML {
namespace {

struct NameRow {
  uint16_t offset;  // in kNames
  uint8_t length;
  bool legacy;  // HTML reads it without its ';' too
  uint32_t first;
  uint16_t second;
};

#include "html/entity_table.inc"

static_assert((kHashSlotCount & (kHashSlotCount - 1)) == 0, "probing wraps with a mask");

constexpr uint32_t kFnvOffset = 2166136261u;
constexpr uint32_t kFnvPrime = 16777619u;

bool IsAsciiAlphanumeric(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Names are short: a loop beats a call to memcmp.
bool SameBytes(const char* at, std::string_view name) {
  for (size_t i = 0; i < name.size(); ++i) {
    if (at[i] != name[i]) return false;
  }
  return true;
}

// The row named `name`, whose FNV-1a hash is `hash`; none when the table lacks it.
const NameRow* FindRow(std::string_view name, uint32_t hash) {
  for (size_t slot = hash & (kHashSlotCount - 1); kHashSlots[slot] != kEmptySlot;
       slot = (slot + 1) & (kHashSlotCount - 1)) {
    const NameRow& row = kRows[kHashSlots[slot]];
    if (row.length == name.size() && SameBytes(kNames + row.offset, name)) return &row;
  }
  return nullptr;
}

NamedReference Found(const NameRow& row, size_t length, bool semicolon) {
  return {static_cast<char32_t>(row.first), static_cast<char32_t>(row.second), length, semicolon};
}

}  // namespace

NamedReference MatchNamedReference(std::string_view after_ampersand) {
  // One pass over the letters and digits hashes the whole run and keeps the hashes of the
  // prefixes a legacy name could be.
  uint32_t prefix_hashes[kLongestLegacyName + 1] = {};
  uint32_t hash = kFnvOffset;
  size_t run = 0;
  while (run < after_ampersand.size() && run <= kLongestName &&
         IsAsciiAlphanumeric(after_ampersand[run])) {
    hash = (hash ^ static_cast<uint8_t>(after_ampersand[run])) * kFnvPrime;
    ++run;
    if (run <= kLongestLegacyName) prefix_hashes[run] = hash;
  }
  if (run == 0) return {};
  if (run <= kLongestName && run < after_ampersand.size() && after_ampersand[run] == ';') {
    if (const NameRow* row = FindRow(after_ampersand.substr(0, run), hash)) {
      return Found(*row, run + 1, true);
    }
  }
  for (size_t length = std::min(run, kLongestLegacyName); length >= 2; --length) {
    const NameRow* row = FindRow(after_ampersand.substr(0, length), prefix_hashes[length]);
    if (row != nullptr && row->legacy) return Found(*row, length, false);
  }
  return {};
}

}  // namespace tarsel::HTML
