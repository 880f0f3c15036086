#include "parse/feeds/feed_fields.h"

#include <optional>

#include "parse/dates/date_readers.h"
#include "platform/blank_trim.h"

namespace tarsel::feeds {

namespace {

// No enclosure is near a petabyte; longer digit runs are noise, not sizes.
constexpr size_t kMaxByteCountDigits = 15;

}  // namespace

int64_t ReadByteCount(std::string_view text) {
  const std::string_view digits = TrimBlanks(text);
  if (digits.empty() || digits.size() > kMaxByteCountDigits) return -1;
  int64_t count = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    count = count * 10 + (c - '0');
  }
  return count;
}

void CategoryList::Add(std::string_view category) {
  category = TrimBlanks(category);
  if (category.empty() || full()) return;
  if (count_ > 0) joined_ += ", ";
  joined_ += category;
  ++count_;
}

void AddExtensionCategories(const XMLParser::Node& item, CategoryList& categories) {
  const XMLParser::NodeList* children = item.Children();
  if (children == nullptr) return;
  for (const auto& child : *children) {
    if (categories.full()) return;
    if (child->name == "itunes:category") {
      categories.Add(child->GetAttribute("text"));
      AddExtensionCategories(*child, categories);
    } else if (child->name == "media:category") {
      categories.Add(child->text);
    } else if (child->name == "media:group") {
      AddExtensionCategories(*child, categories);
    }
  }
}

std::optional<int32_t> TryReadAnyDate(std::string_view text, DateLanguage language) {
  if (std::optional<int32_t> iso = TryReadIsoDateInLanguage(text, language)) return iso;
  return TryReadRfc822DateInLanguage(text, language);
}

std::string_view DeclaredXmlLanguage(const XMLParser::Node& element, std::string_view inherited) {
  const std::string& own = element.GetAttribute("xml:lang");
  return own.empty() ? inherited : std::string_view(own);
}

}  // namespace tarsel::feeds
