#pragma once

#include <cstddef>
#include <string_view>

namespace tarsel::HTML {

// A named character reference of HTML (the whole table HTML defines, "&eacute;" to "&zwnj;"),
// found at the start of the text after an '&'.
struct NamedReference {
  char32_t first = 0;
  char32_t second = 0;     // 0 unless the name stands for two code points ("&nGt;")
  size_t length = 0;       // bytes of the name that were read, its ';' included; 0: none found
  bool semicolon = false;  // the name ended with its ';'
};

// The reference that `after_ampersand` starts with: a name followed by its ';', else the
// longest of HTML's legacy names (those it also reads without the ';', as "&eacute" or "&amp")
// that starts it, so "&notit;" reads as "&not" followed by "it;". Names are case-sensitive.
// Reads at most a few dozen bytes, whatever the text's length.
NamedReference MatchNamedReference(std::string_view after_ampersand);

}  // namespace tarsel::HTML
