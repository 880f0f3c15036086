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

constexpr size_t kScanPadding = 16;

// Reads `document->text` in place: the texts are decoded where they stand, with no copy.
void ParseInPlace(JsonDocument& document) {
  document.root.ParseInsitu<rapidjson::kParseIterativeFlag>(document.text.data());
}

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

std::unique_ptr<JsonDocument> ReadJsonFeedBody(std::string_view body, int code_page) {
  if (body.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    body.remove_prefix(kByteOrderMark.size());
  }
  // A zero byte can stand in no JSON document; reading in place would take it for the end.
  if (body.find('\0') != std::string_view::npos) return nullptr;
  auto document = std::make_unique<JsonDocument>();
  // A body the download converted to a single-byte page is no longer UTF-8 once it holds a
  // letter past ASCII, and one that came malformed has parts no JSON reader takes: either is
  // brought to well-formed UTF-8 first.
  document->text = IsValidUtf8(body) ? std::string(body) : CodePageToUtf8(body, code_page);
  // The sixteen-byte scans may load the rest of the block the last byte is in: it is there.
  document->text.append(kScanPadding, '\0');
  ParseInPlace(*document);
  if (document->root.HasParseError() || !document->root.IsObject()) return nullptr;
  const Json& version = Member(document->root, "version");
  if (!version.IsString()) return nullptr;
  const std::string_view text(version.GetString(), version.GetStringLength());
  if (!text.starts_with(kJsonFeedVersionPrefix)) return nullptr;
  return document;
}

const Json& Member(const Json& object, std::string_view key) {
  static const Json kNull;
  if (!object.IsObject()) return kNull;
  const Json* found = &kNull;
  for (const auto& member : object.GetObject()) {
    const std::string_view name(member.name.GetString(), member.name.GetStringLength());
    if (name == key) found = &member.value;
  }
  return *found;
}

int64_t WholeNumber(const Json& object, std::string_view key) {
  const Json& value = Member(object, key);
  if (value.IsInt64()) return value.GetInt64() < 0 ? -1 : value.GetInt64();
  return -1;
}

std::string JsonTexts::TextOf(const Json& value) const {
  if (!value.IsString()) return std::string();
  std::string text(value.GetString(), value.GetStringLength());
  if (code_page_ != kCodePageUtf8) Utf8ToCodePage(text, ChoiceForCodePage(code_page_));
  return text;
}

std::string JsonTexts::Text(const Json& object, std::string_view key) const {
  return TextOf(Member(object, key));
}

std::string JsonTexts::IdentifierText(const Json& object, std::string_view key) const {
  const Json& value = Member(object, key);
  if (value.IsInt64()) return std::to_string(value.GetInt64());
  if (value.IsUint64()) return std::to_string(value.GetUint64());
  return TextOf(value);
}

}  // namespace tarsel::feeds
