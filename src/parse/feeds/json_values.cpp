#include "parse/feeds/json_values.h"

#include "parse/charsets/charsets.h"
#include "platform/system_code_page.h"

namespace tarsel::feeds {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

EncodingChoice ChoiceForCodePage(int code_page) {
  switch (code_page) {
    case 1251:
      return EncodingChoice::kCyrillicWindows;
    case 1250:
      return EncodingChoice::kCentralEuropean;
    default:
      return EncodingChoice::kWesternEurope;
  }
}

// A body the download converted to a single-byte page is no longer UTF-8 once it holds a letter
// past ASCII, and one that came malformed has parts no JSON reader takes: either is brought to
// well-formed UTF-8 first. A valid body is read as it is, without a copy.
std::string_view Utf8Body(std::string_view body, int code_page, std::string& converted) {
  if (IsValidUtf8(body)) return body;
  converted = CodePageToUtf8(body, code_page);
  return converted;
}

// Tracks where the parser is, to keep only what a feed can use: no value nested past
// kMaxJsonDepth, no item past kMaxJsonItems.
class BoundedTree {
 public:
  bool Keep(int depth, Json::parse_event_t event, const Json& parsed) {
    using Event = Json::parse_event_t;
    if (event == Event::key && depth == 1) in_items_ = parsed == "items";
    if (event != Event::object_start && event != Event::array_start) return true;
    if (depth > kMaxJsonDepth) return false;
    if (depth == 2 && in_items_ && event == Event::object_start) return ++items_ <= kMaxJsonItems;
    return true;
  }

 private:
  bool in_items_ = false;
  size_t items_ = 0;
};

}  // namespace

bool LooksLikeJsonFeed(std::string_view body) {
  if (body.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    body.remove_prefix(kByteOrderMark.size());
  }
  const size_t first = body.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos || body[first] != '{') return false;
  // The version's slashes may be escaped ("https:\/\/jsonfeed.org\/version\/1"), as some
  // writers do; its host is never split.
  return body.find("jsonfeed.org") != std::string_view::npos;
}

std::optional<Json> ReadJsonFeedBody(std::string_view body, int code_page) {
  if (body.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    body.remove_prefix(kByteOrderMark.size());
  }
  std::string converted;
  const std::string_view utf8 = Utf8Body(body, code_page, converted);
  BoundedTree bounds;
  Json::parser_callback_t keep = [&bounds](int depth, Json::parse_event_t event, Json& parsed) {
    return bounds.Keep(depth, event, parsed);
  };
  Json document = Json::parse(utf8.begin(), utf8.end(), keep, /*allow_exceptions=*/false);
  if (document.is_discarded() || !document.is_object()) return std::nullopt;
  const Json& version = Member(document, "version");
  if (!version.is_string()) return std::nullopt;
  if (version.get_ref<const std::string&>().rfind(kJsonFeedVersionPrefix, 0) != 0) {
    return std::nullopt;
  }
  return document;
}

const Json& Member(const Json& object, std::string_view key) {
  static const Json kNull;
  if (!object.is_object()) return kNull;
  const auto found = object.find(key);
  return found == object.end() ? kNull : *found;
}

int64_t WholeNumber(const Json& object, std::string_view key) {
  const Json& value = Member(object, key);
  if (value.is_number_unsigned()) {
    const uint64_t number = value.get<uint64_t>();
    return number > static_cast<uint64_t>(INT64_MAX) ? -1 : static_cast<int64_t>(number);
  }
  if (value.is_number_integer()) {
    const int64_t number = value.get<int64_t>();
    return number < 0 ? -1 : number;
  }
  return -1;
}

std::string JsonTexts::TextOf(const Json& value) const {
  if (!value.is_string()) return std::string();
  std::string text = value.get<std::string>();
  if (code_page_ != kCodePageUtf8) Utf8ToCodePage(text, ChoiceForCodePage(code_page_));
  return text;
}

std::string JsonTexts::Text(const Json& object, std::string_view key) const {
  return TextOf(Member(object, key));
}

std::string JsonTexts::IdentifierText(const Json& object, std::string_view key) const {
  const Json& value = Member(object, key);
  if (value.is_number_integer() || value.is_number_unsigned()) return value.dump();
  return TextOf(value);
}

}  // namespace tarsel::feeds
