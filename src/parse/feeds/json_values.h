#pragma once

// A JSON Feed body read into a JSON value under the bounds every feed reader keeps, and its texts
// taken out in the program's code page.
//
// JSON is UTF-8 by definition, but the body reaches the readers in the program's code page when
// the download converted it: such a body goes back to UTF-8 before it is read, and every text
// comes out converted to the code page again. Texts are as the document wrote them (no markup
// escaped). Nothing here throws. Any thread.

// Strings are scanned sixteen bytes at a time where the processor can (every x86-64 can).
#if defined(__SSE2__) && !defined(RAPIDJSON_SSE2)
#define RAPIDJSON_SSE2
#endif
#include <rapidjson/document.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tarsel::feeds {

// RapidJSON: it reads a body several times faster than a byte-at-a-time lexer, so a JSON Feed
// costs no more than the same items in RSS. Its parser keeps its own stack, so a document
// nested 100,000 deep costs memory in proportion to its size, never the call stack; the reader
// looks no deeper than five levels (feed, items, item, attachments, attachment).
using Json = rapidjson::Value;

// A document read in place: its texts point into the copy of the body it keeps.
struct JsonDocument {
  std::string text;
  rapidjson::Document root;
};

// Items past this many are not read.
inline constexpr size_t kMaxJsonItems = 10000;

// The prefix of every JSON Feed version ("https://jsonfeed.org/version/1.1").
inline constexpr std::string_view kJsonFeedVersionPrefix = "https://jsonfeed.org/version/";

// A cheap look at the bytes: the first one past blanks (and a UTF-8 byte order mark) opens an
// object, and "jsonfeed.org" appears somewhere (the version's slashes may be escaped).
// ReadJsonFeedBody decides for good.
bool LooksLikeJsonFeed(std::string_view body);

// The body's JSON object when it is one whose "version" is a text starting with
// kJsonFeedVersionPrefix; null for malformed JSON or any other value.
std::unique_ptr<JsonDocument> ReadJsonFeedBody(std::string_view body, int code_page);

// Texts of the document's values, converted to one code page.
class JsonTexts {
 public:
  explicit JsonTexts(int code_page) : code_page_(code_page) {}

  // The member `key` of `object` when it is a string; empty for any other value or a non-object.
  std::string Text(const Json& object, std::string_view key) const;
  // A string value itself; empty for any other value.
  std::string TextOf(const Json& value) const;
  // A string as it is, a number in its JSON form: identifiers may be written either way.
  std::string IdentifierText(const Json& object, std::string_view key) const;

 private:
  int code_page_;
};

// The member `key` of `object` (the last one when a key repeats), or a null value when
// `object` is no object or lacks it.
const Json& Member(const Json& object, std::string_view key);

// A non-negative whole number member; -1 for any other value.
int64_t WholeNumber(const Json& object, std::string_view key);

}  // namespace tarsel::feeds
