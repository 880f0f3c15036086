#pragma once

// Field readers that any feed format may use: enclosure lengths, category lists and
// dates in either common form. Texts are bytes as the document carried them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "parse/dates/date_language.h"
#include "parse/xml/xml_node.h"

namespace tarsel::feeds {

// A byte count as a feed writes it ("12345", blanks around allowed); -1 when it is anything
// else or too large to mean a file.
int64_t ReadByteCount(std::string_view text);

// Joins a record's categories with ", " in document order. Empty ones are skipped, and only the
// first kMaxCategories count, so an entry with a hundred thousand of them stays cheap.
class CategoryList {
 public:
  static constexpr size_t kMaxCategories = 100;

  void Add(std::string_view category);
  bool full() const { return count_ >= kMaxCategories; }
  bool empty() const { return count_ == 0; }
  const std::string& joined() const { return joined_; }

 private:
  std::string joined_;
  size_t count_ = 0;
};

// The categories that podcast and video feeds give an item beside RSS's and Atom's own, in
// document order: the text attribute of each itunes:category and of the subcategories inside
// it, and the text of each media:category, also inside media:group.
void AddExtensionCategories(const XMLParser::Node& item, CategoryList& categories);

// A date in the W3C form or the RFC 822 form, whichever reads, with the names of the feed's
// language; nothing when neither does.
std::optional<int32_t> TryReadAnyDate(std::string_view text, DateLanguage language);

// The language an element and what it holds are in, as XML declares it (xml:lang), else the
// one `inherited` from the element around it.
std::string_view DeclaredXmlLanguage(const XMLParser::Node& element, std::string_view inherited);

}  // namespace tarsel::feeds
