#include "parse/lists/found_feed_tree.h"

#include <new>
#include <string>
#include <utility>
#include <vector>

#include "html/entities.h"
#include "parse/charsets/charsets.h"
#include "parse/charsets/legacy_charsets.h"
#include "parse/feeds/directory_readers.h"
#include "parse/xml/xml_document.h"
#include "platform/system_code_page.h"

namespace tarsel {

namespace {

using XMLParser::Node;

class OutlineReader {
 public:
  OutlineReader(std::string_view document_encoding, EncodingChoice choice)
      : encoding_(document_encoding),
        utf8_(document_encoding == "utf-8"),
        choice_(choice),
        code_page_(CodePageForEncoding(choice_)) {}

  void ReadChildren(const Node& element, FoundFeedTree& list, int depth) {
    const XMLParser::NodeList* children = element.Children();
    if (children == nullptr) return;
    for (const auto& child : *children) {
      if (child->name == "outline") ReadOutline(*child, list, depth);
    }
  }

 private:
  void ReadOutline(const Node& outline, FoundFeedTree& list, int depth) {
    if (outline.Children() == nullptr) {
      ReadLeaf(outline, list);
      return;
    }
    // OPML names folders by "text"; some writers use "title" as well or instead.
    std::string title = Text(outline, "title");
    if (title.empty()) title = Text(outline, "text");
    if (title.empty()) {
      // Only a name is missing: the feeds inside are still the user's.
      ReadUntitledFolder(outline, list, depth);
      return;
    }
    if (depth >= kMaxListNesting) {
      Flatten(outline, list);
      return;
    }
    list.lists.push_back({std::move(title), {}, {}});
    ReadChildren(outline, list.lists.back(), depth + 1);
  }

  // An untitled folder's outlines join the list it sits in. Its depth still counts, so a chain
  // of untitled folders is flattened like any other deep nesting.
  void ReadUntitledFolder(const Node& folder, FoundFeedTree& list, int depth) {
    if (depth >= kMaxListNesting) {
      Flatten(folder, list);
      return;
    }
    ReadChildren(folder, list, depth + 1);
  }

  // The leaves below a folder too deep to keep, in document order and without recursion: the
  // document may nest thousands of levels.
  void Flatten(const Node& folder, FoundFeedTree& list) {
    struct Level {
      const XMLParser::NodeList* children;
      size_t next;
    };
    std::vector<Level> levels = {{folder.Children(), 0}};
    while (!levels.empty()) {
      Level& level = levels.back();
      if (level.next == level.children->size()) {
        levels.pop_back();
        continue;
      }
      const Node& child = *(*level.children)[level.next++];
      if (child.name != "outline") continue;
      if (child.Children() == nullptr) {
        ReadLeaf(child, list);
      } else {
        levels.push_back({child.Children(), 0});
      }
    }
  }

  void ReadLeaf(const Node& outline, FoundFeedTree& list) {
    constexpr auto kAddress = HTML::EntityContext::kAttribute;
    std::string site = HTML::DecodeEntities(outline.GetAttribute("htmlurl"), code_page_, kAddress);
    std::string feed = HTML::DecodeEntities(outline.GetAttribute("xmlurl"), code_page_, kAddress);
    if (feed.empty()) {
      ++list.without_feed_url;
      return;
    }
    std::string text = Text(outline, "text");
    if (text.empty()) text = Text(outline, "title");
    list.feeds.push_back(
        {std::move(site), std::move(feed), Text(outline, "description"), std::move(text)});
  }

  std::string Text(const Node& node, std::string_view attribute) const {
    std::string text = node.GetAttribute(attribute);
    if (code_page_ == kCodePageUtf8) {
      // Into UTF-8 first, so that the characters the references give are not read again.
      BodyToUtf8(text, encoding_, /*guess_windows_1252=*/true);
      HTML::DecodeEntitiesInPlace(text, code_page_);
      return text;
    }
    HTML::DecodeEntitiesInPlace(text, code_page_);
    if (utf8_ && IsValidUtf8(text)) Utf8ToCodePage(text, choice_);
    return text;
  }

  std::string encoding_;
  bool utf8_;
  EncodingChoice choice_;
  int code_page_;
};

}  // namespace

size_t FoundFeedTree::TotalFeeds() const {
  size_t total = feeds.size();
  for (const FoundFeedTree& nested : lists) total += nested.TotalFeeds();
  return total;
}

size_t FoundFeedTree::TotalWithoutFeedUrl() const {
  size_t total = without_feed_url;
  for (const FoundFeedTree& nested : lists) total += nested.TotalWithoutFeedUrl();
  return total;
}

void ParseOpmlOutlines(const Node& element, FoundFeedTree& list, std::string_view document_encoding,
                       EncodingChoice encoding) {
  OutlineReader(document_encoding, encoding).ReadChildren(element, list, 0);
}

void ReadListDocument(const Node& root, std::string_view document_encoding, FoundFeedTree& list,
                      EncodingChoice encoding) {
  if (root.Children() == nullptr) return;
  if (!root.FindChildNoCase("rdf:description").IsNull()) {
    ParseOcsDirectory(root, list.feeds);
  } else if (root.name == "feedlists") {
    ParseDirectoryItems(root, list.feeds);
  } else {
    const Node& body = root.FindChildNoCase("body");
    if (!body.IsNull()) ParseOpmlOutlines(body, list, document_encoding, encoding);
  }
}

namespace {

template <typename Reader>
bool ParseWith(std::string_view bytes, FoundFeedTree& list, std::string& error, Reader read) {
  XMLParser::Document document;
  try {
    const Node& root = document.ParseBuffer(bytes);
    FoundFeedTree result{list.name, {}, {}};
    read(root, document.Encoding(), result);
    list = std::move(result);
    return true;
  } catch (const XMLParser::Exception& failure) {
    error = "not well-formed XML, or nested too deeply (line " + std::to_string(failure.line) +
            ", column " + std::to_string(failure.column) + ")";
    return false;
  } catch (const std::bad_alloc&) {
    error = "not enough memory to read the list";
    return false;
  }
}

}  // namespace

bool ParseListBytes(std::string_view bytes, FoundFeedTree& list, std::string& error,
                    EncodingChoice encoding) {
  return ParseWith(bytes, list, error,
                   [encoding](const Node& root, std::string_view declared, FoundFeedTree& result) {
                     ReadListDocument(root, declared, result, encoding);
                   });
}

bool ParseOpmlBytes(std::string_view bytes, FoundFeedTree& list, std::string& error,
                    EncodingChoice encoding) {
  return ParseWith(bytes, list, error,
                   [encoding](const Node& root, std::string_view declared, FoundFeedTree& result) {
                     const Node& body = root.FindChildNoCase("body");
                     if (!body.IsNull()) ParseOpmlOutlines(body, result, declared, encoding);
                   });
}

}  // namespace tarsel
