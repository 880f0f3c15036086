#include "parse/feeds/author_name.h"

#include <optional>

#include "platform/blank_trim.h"

namespace tarsel::feeds {

namespace {

std::string_view Unquoted(std::string_view name) {
  for (std::string_view quote : {"\"", "&quot;"}) {
    if (name.size() >= 2 * quote.size() && name.starts_with(quote) && name.ends_with(quote)) {
      return TrimBlanks(name.substr(quote.size(), name.size() - 2 * quote.size()));
    }
  }
  return name;
}

// "Name <mail>", as mail headers write a person: the part before the bracketed address.
std::optional<std::string_view> NameBeforeAddress(std::string_view text) {
  size_t open = text.find('<');
  size_t bracket = 1;
  if (const size_t escaped = text.find("&lt;"); escaped < open) {
    open = escaped;
    bracket = 4;
  }
  if (open == std::string_view::npos) return std::nullopt;
  if (text.substr(open + bracket).find('@') == std::string_view::npos) return std::nullopt;
  const std::string_view name = Unquoted(TrimBlanks(text.substr(0, open)));
  if (name.empty()) return std::nullopt;
  return name;
}

// "mail (Name)", as RSS 2.0 writes an author: the name in parentheses after an address.
std::optional<std::string_view> NameAfterAddress(std::string_view text) {
  text = TrimBlanks(text);
  const size_t open = text.find('(');
  if (open == std::string_view::npos || !text.ends_with(')')) return std::nullopt;
  if (text.substr(0, open).find('@') == std::string_view::npos) return std::nullopt;
  const std::string_view name = TrimBlanks(text.substr(open + 1, text.size() - open - 2));
  if (name.empty()) return std::nullopt;
  return name;
}

}  // namespace

std::string AuthorName(std::string_view text) {
  if (std::optional<std::string_view> name = NameBeforeAddress(text)) return std::string(*name);
  if (std::optional<std::string_view> name = NameAfterAddress(text)) return std::string(*name);
  return std::string(text);
}

}  // namespace tarsel::feeds
