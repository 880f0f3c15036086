#pragma once

#include <cstdint>
#include <string_view>

#include "html/node.h"

namespace tarsel::HTML {

struct TagInfo {
  TagKind kind;
  bool empty_element;
};

// The lookup key of a lower-cased tag name: for each byte (signed), shift left by 4 and xor it in,
// wrapping at 32 bits.
uint32_t TagKey(std::string_view lower_name);

// The table row whose key equals the name's key; {kUnknown, false} when there is none.
TagInfo LookupTag(std::string_view lower_name);

}  // namespace tarsel::HTML
