#pragma once

#include <string>
#include <string_view>

#include "html/node.h"

// Pieces of cleaned HTML and plain text shared by the tree renderings and the streaming ones.
namespace tarsel::HTML {

// A value goes back between double quotes. A quote of its own would end it early and let the
// rest read as further attributes; '<' and '>' could end a comment or a raw-text element that a
// browser sees where this parser saw a tag (a name such as "?x", or "xmp"), and turn the rest of
// the value into markup. Browsers decode the references, so the value keeps its meaning.
inline void AppendAttributeValue(std::string_view value, std::string& out) {
  size_t start = 0;
  for (size_t special = value.find_first_of("\"<>"); special != std::string_view::npos;
       special = value.find_first_of("\"<>", start)) {
    out.append(value.substr(start, special - start));
    out += value[special] == '"' ? "&quot;" : value[special] == '<' ? "&lt;" : "&gt;";
    start = special + 1;
  }
  out.append(value.substr(start));
}

// "<name a=\"v\" b=\"w\" >", or "/>" in place of ">" for an empty element. `attributes` holds
// objects with `name` and `value`.
template <typename Attributes>
void AppendOpeningTag(std::string_view name, const Attributes& attributes, bool empty_element,
                      std::string& out) {
  out += '<';
  out.append(name);
  if (!attributes.empty()) {
    out += ' ';
    for (const auto& attribute : attributes) {
      out.append(attribute.name);
      out += "=\"";
      AppendAttributeValue(attribute.value, out);
      out += "\" ";
    }
  }
  out += empty_element ? "/>" : ">";
}

inline void AppendClosingTag(std::string_view name, std::string& out) {
  out += "</";
  out.append(name);
  out += '>';
}

// The kinds whose plain text ends with a line feed: br, hr, tr, div and li.
inline bool EndsWithLineFeed(TagKind kind) {
  return kind == kBreak || kind == kRule || kind == kTableRow || kind == kDiv || kind == kListItem;
}

}  // namespace tarsel::HTML
